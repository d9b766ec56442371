#pragma once
// The polynomial sine and the seven wave shapes. Defined inline so the block
// renderer can compile one loop per shape; the bank holds a pointer to the
// same functions. Every shape takes a phase in [0, 2 pi) and returns [-1, 1].
// [any thread; pure]

#include <cstdint>

#include "oscillator_bank.h"

// Sine of any x to within about 0.0003, exactly 1 at pi/2: fold into
// [-pi/2, pi/2] by the nearest multiple of pi, then an odd quintic.
inline double FastSine(const OscillatorBank& bank, double x) noexcept {
  const double t = x * bank.invPi;
  const int32_t n = t >= 0.0 ? static_cast<int32_t>(t + 0.5) : static_cast<int32_t>(t - 0.5);
  const double y = x + n * (-kPi);
  const double y2 = y * y;
  const double p = y * ((y2 * bank.sineC5 + bank.sineC3) * y2 + bank.sineC1);
  return (n & 1) ? -p : p;
}

inline double WaveSine(const OscillatorBank& bank, double phase) noexcept {
  return FastSine(bank, phase);
}

// Symmetric triangle in step with the sine: 0 rising at 0, +1 at pi/2, -1 at 3 pi/2.
inline double WaveTriangle(const OscillatorBank& bank, double phase) noexcept {
  double u = phase + bank.quarterTurn;
  if (u > bank.period) u -= bank.period;
  const double b = u * bank.slopeA;
  return u >= kPi ? 3.0 - b : b - 1.0;
}

// Rising ramp, 0 at phase 0, jumping from +1 to -1 at pi.
inline double WaveSaw(const OscillatorBank& bank, double phase) noexcept {
  double u = phase + kPi;
  if (u > bank.period) u -= bank.period;
  return u * kInvPi - 1.0;
}

// A cosine whose phase runs through its falling half in 38.2 % of the cycle
// and its rising half in the remaining 61.8 %; shifted to rise through 0 at 0.
inline double WaveGoldenSine(const OscillatorBank& bank, double phase) noexcept {
  double u = phase - static_cast<double>(bank.goldenFraction) * kPi;
  if (u < 0.0) u += bank.period;
  const double w = u >= bank.split ? u * bank.slopeB + bank.offsetB : u * bank.slopeA;
  return FastSine(bank, w + bank.quarterTurn);
}

// One positive half-sine hump over the whole cycle, rescaled to [-1, 1].
inline double WaveGoldenSineHalf(const OscillatorBank& bank, double phase) noexcept {
  double u = phase + kGoldenSineHalfShift;
  if (u > bank.period) u -= bank.period;
  const double w = u >= bank.split ? u * bank.slopeB + bank.offsetB : u * bank.slopeA;
  return 2.0 * FastSine(bank, w) - 1.0;
}

// Rises from -1 to +1 over 61.8 % of the cycle, falls back over 38.2 %.
inline double WaveGoldenTriangle(const OscillatorBank& bank, double phase) noexcept {
  double u = phase + kGoldenTriangleShift;
  if (u > bank.period) u -= bank.period;
  return u >= bank.split ? bank.slopeB - u * bank.offsetB : u * bank.slopeA - 1.0;
}

// +1 before the bank's split, -1 from it to the end of the cycle.
inline double WaveGoldenSquare(const OscillatorBank& bank, double phase) noexcept {
  return phase >= bank.split ? -1.0 : 1.0;
}
