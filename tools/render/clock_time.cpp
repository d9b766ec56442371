#include "clock_time.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace spwrender {
namespace {

constexpr int kSecondsPerMinute = 60;
constexpr int kSecondsPerHour = 3600;
constexpr int kMaxFields = 3;  // hours, minutes, seconds
// Digits before the fraction: enough for any render, few enough to stay exact.
constexpr size_t kMaxWholeDigits = 9;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

// A field of digits with an optional fraction ("12", "12.5"), which only the last
// field may have. *wholeDigits: the number of digits before the point.
bool ReadField(const std::string& field, bool last, double* value, size_t* wholeDigits) {
  const size_t dot = field.find('.');
  const std::string whole = field.substr(0, dot);
  *wholeDigits = whole.size();
  if (!AllDigits(whole) || whole.size() > kMaxWholeDigits) return false;
  if (dot != std::string::npos && (!last || !AllDigits(field.substr(dot + 1)))) return false;
  // Only digits and one point remain, which strtod reads as the decimal number they are.
  *value = std::strtod(field.c_str(), nullptr);
  return true;
}

std::vector<std::string> SplitAtColons(const std::string& text) {
  std::vector<std::string> fields(1);
  for (char c : text) {
    if (c == ':') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

}  // namespace

bool ParseClockTime(const std::string& text, double* seconds) {
  const std::vector<std::string> fields = SplitAtColons(text);
  if (fields.size() > kMaxFields) return false;
  double total = 0.0;
  for (size_t i = 0; i < fields.size(); ++i) {
    const bool last = i + 1 == fields.size();
    double value = 0.0;
    size_t wholeDigits = 0;
    if (!ReadField(fields[i], last, &value, &wholeDigits)) return false;
    // After a colon: "mm" or "ss", two digits below 60.
    if (i > 0 && (wholeDigits != 2 || value >= kSecondsPerMinute)) return false;
    total = total * kSecondsPerMinute + value;
  }
  *seconds = total;
  return true;
}

std::string FormatClockTime(double seconds) {
  const long tenths = std::lround(std::fmax(seconds, 0.0) * 10.0);
  const long whole = tenths / 10;
  char text[48];
  const int hours = int(whole / kSecondsPerHour), minutes = int(whole / kSecondsPerMinute % kSecondsPerMinute),
            secs = int(whole % kSecondsPerMinute);
  const int length = hours > 0 ? std::snprintf(text, sizeof text, "%d:%02d:%02d", hours, minutes, secs)
                               : std::snprintf(text, sizeof text, "%d:%02d", minutes, secs);
  if (tenths % 10 != 0) std::snprintf(text + length, sizeof text - size_t(length), ".%ld", tenths % 10);
  return text;
}

}  // namespace spwrender
