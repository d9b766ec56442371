#include "decimal_number.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace spwrender {
namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Advances i over digits; returns how many there were.
size_t SkipDigits(const std::string& text, size_t* i) {
  const size_t start = *i;
  while (*i < text.size() && IsDigit(text[*i])) ++*i;
  return *i - start;
}

// The end of the decimal number starting at i: [+-] digits [. digits] [e [+-] digits],
// with digits on at least one side of the point; i itself when there is none.
size_t DecimalEnd(const std::string& text, size_t i) {
  const size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = SkipDigits(text, &i);
  if (i < text.size() && text[i] == '.') {
    ++i;
    digits += SkipDigits(text, &i);
  }
  if (digits == 0) return start;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t e = i + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    if (SkipDigits(text, &e) > 0) i = e;
  }
  return i;
}

}  // namespace

bool ReadLeadingDecimal(const std::string& text, double* value, size_t* used) {
  size_t start = 0;
  while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
  const size_t end = DecimalEnd(text, start);
  if (end == start) return false;
  // The text has been checked; strtod (in the program's C locale) does the rounding.
  const std::string number = text.substr(start, end - start);
  errno = 0;
  *value = std::strtod(number.c_str(), nullptr);
  if (errno != 0 || !std::isfinite(*value)) return false;
  *used = end;
  return true;
}

bool ReadDecimal(const std::string& text, double* value) {
  size_t used = 0;
  return ReadLeadingDecimal(text, value, &used) && used == text.size();
}

}  // namespace spwrender
