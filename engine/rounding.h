#pragma once
// How applied parameter integers are formed and turned back into engine values.

#include <cstdint>

#include "engine_constants.h"

// Nearest integer, halves away from zero: x + 0.5 truncated for x >= 0, x - 0.5 truncated below.
// [any thread]
inline int32_t RoundHalfAwayFromZero(double x) noexcept {
  return x >= 0.0 ? static_cast<int32_t>(x + 0.5) : static_cast<int32_t>(x - 0.5);
}

// An integer count of hundredths as a 32-bit float value (Hz or seconds): n x 0.01 in float.
// [any thread]
inline float HundredthsToFloat(int32_t hundredths) noexcept {
  return static_cast<float>(hundredths) * kHundredth;
}
