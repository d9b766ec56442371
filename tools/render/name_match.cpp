#include "name_match.h"

#include <algorithm>
#include <cctype>

namespace spwrender {
namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

template <typename Equal>
std::vector<int> Matches(const std::vector<std::string>& names, const std::string& text, Equal equal) {
  std::vector<int> found;
  for (size_t i = 0; i < names.size(); ++i) {
    if (equal(names[i], text)) found.push_back(static_cast<int>(i));
  }
  return found;
}

}  // namespace

std::vector<int> MatchName(const std::vector<std::string>& names, const std::string& text) {
  std::vector<int> found = Matches(names, text, [](const std::string& a, const std::string& b) { return a == b; });
  return found.empty() ? Matches(names, text, EqualIgnoringCase) : found;
}

}  // namespace spwrender
