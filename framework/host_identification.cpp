#include "host_identification.h"

#include <cctype>
#include <cstring>

namespace {
struct HostEntry {
  const char* text;  // lower case, matched anywhere in the lowered name
  int code;
};

// Searched in order: the first entry found wins ("cubase" before "reaper").
constexpr HostEntry kHosts[] = {
    {"zelvaranhost", 29}, {"cubase", 3},     {"reaper", 1},      {"nuendo", 4},      {"cakewalk", 5},
    {"samplitude", 8},    {"fruity", 7},     {"live", 9},        {"melodyne", 12},   {"vstmanlib", 13},
    {"aulab", 14},        {"forte", 15},     {"chainer", 16},    {"audition", 17},   {"orion", 18},
    {"sawstudio", 20},    {"logic", 21},     {"digital", 22},    {"audiomulch", 23}, {"presonus", 24},
    {"acoustica", 25},    {"garageband", 26}, {"ardour", 27},    {"wavelab", 28},    {"gold", 30},
};
constexpr size_t kNameBuffer = 256;
}  // namespace

int MatchHostName(const char* name) {
  if (!name) return 0;
  char lowered[kNameBuffer];
  size_t n = 0;
  // A longer name is cut: the buffer never overflows.
  for (; name[n] != '\0' && n < kNameBuffer - 1; ++n) {
    lowered[n] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[n])));
  }
  lowered[n] = '\0';
  for (const HostEntry& entry : kHosts) {
    if (std::strstr(lowered, entry.text)) return entry.code;
  }
  return 0;
}
