#include "caption_format.h"

#include <cmath>
#include <cstdint>

void FormatHzCaption(float hz, char* out) noexcept {
  // A float has 24 significant bits, so hz x 100 is exact in double and
  // rint (ties to even in the default rounding mode) matches "%.2f".
  const double hundredths = std::rint(static_cast<double>(hz) * 100.0);
  if (!(std::fabs(hundredths) < 1e17)) {
    out[0] = out[1] = out[2] = '-';
    out[3] = '\0';
    return;
  }
  char digits[24];
  int count = 0;
  uint64_t n = static_cast<uint64_t>(std::fabs(hundredths));
  do {
    digits[count++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0 || count < 3);  // at least "0.dd"
  char* p = out;
  if (std::signbit(hz)) *p++ = '-';
  while (count > 2) *p++ = digits[--count];
  *p++ = '.';
  *p++ = digits[1];
  *p++ = digits[0];
  *p++ = 'H';
  *p++ = 'z';
  *p = '\0';
}
