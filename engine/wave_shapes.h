#pragma once
// The polynomial sine and the seven wave shapes. Each is written once as a
// template over the sample type: plain double (what the bank's function
// pointer calls) or a lane type (lanes.h: several voices at once, same bits
// per lane, used by the block renderer's mixers). Every shape takes a phase in
// [0, 2 pi) and returns [-1, 1]. Tests of a wrap or segment boundary are
// selections, so both forms take the same branch for the same value.
// [any thread; pure]

#include <cstdint>

#include "lanes.h"
#include "oscillator_bank.h"

// Sine of any x to within about 0.0003, exactly 1 at pi/2: fold into
// [-pi/2, pi/2] by the nearest multiple of pi, then an odd quintic.
template <class V>
inline V SineOf(const OscillatorBank& bank, V x) noexcept {
  const V t = x * bank.invPi;
  const auto n = NearestInt(t);
  const V y = x + ToDouble(n) * (-kPi);
  const V y2 = y * y;
  const V p = y * ((y2 * bank.sineC5 + bank.sineC3) * y2 + bank.sineC1);
  return NegateIfOdd(p, n);
}

// Symmetric triangle in step with the sine: 0 rising at 0, +1 at pi/2, -1 at 3 pi/2.
template <class V>
inline V TriangleOf(const OscillatorBank& bank, V phase) noexcept {
  V u = phase + bank.quarterTurn;
  u = SubtractWhere(u > bank.period, u, bank.period);
  const V b = u * bank.slopeA;
  return Select(u >= kPi, 3.0 - b, b - 1.0);
}

// Rising ramp, 0 at phase 0, jumping from +1 to -1 at pi.
template <class V>
inline V SawOf(const OscillatorBank& bank, V phase) noexcept {
  V u = phase + kPi;
  u = SubtractWhere(u > bank.period, u, bank.period);
  return u * kInvPi - 1.0;
}

// A cosine whose phase runs through its falling half in 38.2 % of the cycle
// and its rising half in the remaining 61.8 %; shifted to rise through 0 at 0.
template <class V>
inline V GoldenSineOf(const OscillatorBank& bank, V phase) noexcept {
  V u = phase - static_cast<double>(bank.goldenFraction) * kPi;
  u = Select(u < 0.0, u + bank.period, u);
  const V w = Select(u >= bank.split, u * bank.slopeB + bank.offsetB, u * bank.slopeA);
  return SineOf(bank, w + bank.quarterTurn);
}

// One positive half-sine hump over the whole cycle, rescaled to [-1, 1].
template <class V>
inline V GoldenSineHalfOf(const OscillatorBank& bank, V phase) noexcept {
  V u = phase + kGoldenSineHalfShift;
  u = SubtractWhere(u > bank.period, u, bank.period);
  const V w = Select(u >= bank.split, u * bank.slopeB + bank.offsetB, u * bank.slopeA);
  return 2.0 * SineOf(bank, w) - 1.0;
}

// Rises from -1 to +1 over 61.8 % of the cycle, falls back over 38.2 %.
template <class V>
inline V GoldenTriangleOf(const OscillatorBank& bank, V phase) noexcept {
  V u = phase + kGoldenTriangleShift;
  u = SubtractWhere(u > bank.period, u, bank.period);
  return Select(u >= bank.split, bank.slopeB - u * bank.offsetB, u * bank.slopeA - 1.0);
}

// +1 before the bank's split, -1 from it to the end of the cycle.
template <class V>
inline V GoldenSquareOf(const OscillatorBank& bank, V phase) noexcept {
  return Select(phase >= bank.split, -1.0, 1.0);
}

// ---- The shapes as the bank's function pointer sees them ----
inline double FastSine(const OscillatorBank& bank, double x) noexcept { return SineOf(bank, x); }
inline double WaveSine(const OscillatorBank& bank, double phase) noexcept { return SineOf(bank, phase); }
inline double WaveTriangle(const OscillatorBank& bank, double phase) noexcept { return TriangleOf(bank, phase); }
inline double WaveSaw(const OscillatorBank& bank, double phase) noexcept { return SawOf(bank, phase); }
inline double WaveGoldenSine(const OscillatorBank& bank, double phase) noexcept {
  return GoldenSineOf(bank, phase);
}
inline double WaveGoldenSineHalf(const OscillatorBank& bank, double phase) noexcept {
  return GoldenSineHalfOf(bank, phase);
}
inline double WaveGoldenTriangle(const OscillatorBank& bank, double phase) noexcept {
  return GoldenTriangleOf(bank, phase);
}
inline double WaveGoldenSquare(const OscillatorBank& bank, double phase) noexcept {
  return GoldenSquareOf(bank, phase);
}
