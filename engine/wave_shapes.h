#pragma once
// The polynomial sine and the wave shapes, in one list. Each shape is one type
// holding all there is to it: what it prepares in the bank when chosen
// (Prepare), whether it rounds to multiples of pi (kRounds, the polynomial
// sine) and its evaluation (Eval), written once as a template over the sample
// type: plain double (what the bank's function pointer calls) or a lane type
// (lanes.h: several voices at once, same bits per lane, used by the block
// renderer's mixers). Every shape takes a phase in [0, 2 pi) and returns
// [-1, 1]. Tests of a wrap or segment boundary are selections, so both forms
// take the same branch for the same value. SetWave, the mixers and the count
// of shapes all come from WaveShapes at the end.
// [any thread; pure, apart from Prepare which writes the bank under the instance lock]

#include <array>
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

inline double FastSine(const OscillatorBank& bank, double x) noexcept { return SineOf(bank, x); }

namespace shapes {

struct Sine {
  static constexpr bool kRounds = true;
  static void Prepare(OscillatorBank&) noexcept {}
  template <class V>
  static V Eval(const OscillatorBank& bank, V phase) noexcept {
    return SineOf(bank, phase);
  }
};

// Symmetric triangle in step with the sine: 0 rising at 0, +1 at pi/2, -1 at 3 pi/2.
struct Triangle {
  static constexpr bool kRounds = false;
  static void Prepare(OscillatorBank& bank) noexcept { bank.slopeA = 1.0 / bank.quarterTurn; }
  template <class V>
  static V Eval(const OscillatorBank& bank, V phase) noexcept {
    V u = phase + bank.quarterTurn;
    u = SubtractWhere(u > bank.period, u, bank.period);
    const V b = u * bank.slopeA;
    return Select(u >= kPi, 3.0 - b, b - 1.0);
  }
};

// Rising ramp, 0 at phase 0, jumping from +1 to -1 at pi.
struct Saw {
  static constexpr bool kRounds = false;
  static void Prepare(OscillatorBank&) noexcept {}
  template <class V>
  static V Eval(const OscillatorBank& bank, V phase) noexcept {
    V u = phase + kPi;
    u = SubtractWhere(u > bank.period, u, bank.period);
    return u * kInvPi - 1.0;
  }
};

// The golden shapes' Prepare mixes float and double arithmetic on purpose:
// each float step is computed in 32-bit float and then widened.

// A cosine whose phase runs through its falling half in 38.2 % of the cycle
// and its rising half in the remaining 61.8 %; shifted to rise through 0 at 0.
struct GoldenSine {
  static constexpr bool kRounds = true;
  static void Prepare(OscillatorBank& bank) noexcept {
    const float g = bank.goldenFraction;
    const double a = g;
    const float rest = 1.0f - g;
    const float middle = 1.0f - 2.0f * rest;
    bank.split = static_cast<double>(rest) * bank.period;
    bank.slopeA = 0.5 / static_cast<double>(rest);
    bank.slopeB = 0.5 / a;
    bank.offsetB = static_cast<double>(middle) * kPi / a;
  }
  template <class V>
  static V Eval(const OscillatorBank& bank, V phase) noexcept {
    V u = phase - static_cast<double>(bank.goldenFraction) * kPi;
    u = Select(u < 0.0, u + bank.period, u);
    const V w = Select(u >= bank.split, u * bank.slopeB + bank.offsetB, u * bank.slopeA);
    return SineOf(bank, w + bank.quarterTurn);
  }
};

// One positive half-sine hump over the whole cycle, rescaled to [-1, 1].
struct GoldenSineHalf {
  static constexpr bool kRounds = true;
  static void Prepare(OscillatorBank& bank) noexcept {
    const float g = bank.goldenFraction;
    const double a = g;
    const float rest = 1.0f - g;
    const float excess = 1.0f - 2.0f * g;
    bank.split = a * bank.period;
    bank.slopeA = 0.25 / a;
    bank.slopeB = 0.25 / static_cast<double>(rest);
    bank.offsetB = (static_cast<double>(excess) * kPi / static_cast<double>(rest)) * 0.5;
  }
  template <class V>
  static V Eval(const OscillatorBank& bank, V phase) noexcept {
    V u = phase + kGoldenSineHalfShift;
    u = SubtractWhere(u > bank.period, u, bank.period);
    const V w = Select(u >= bank.split, u * bank.slopeB + bank.offsetB, u * bank.slopeA);
    return 2.0 * SineOf(bank, w) - 1.0;
  }
};

// Rises from -1 to +1 over 61.8 % of the cycle, falls back over 38.2 %.
struct GoldenTriangle {
  static constexpr bool kRounds = false;
  static void Prepare(OscillatorBank& bank) noexcept {
    const float g = bank.goldenFraction;
    const double a = g;
    const float rest = 1.0f - g;
    const float fallSlope = (g + 1.0f) / rest;
    bank.split = a * bank.period;
    bank.slopeA = 2.0 / bank.split;
    bank.slopeB = fallSlope;
    bank.offsetB = kInvPi / static_cast<double>(rest);
  }
  template <class V>
  static V Eval(const OscillatorBank& bank, V phase) noexcept {
    V u = phase + kGoldenTriangleShift;
    u = SubtractWhere(u > bank.period, u, bank.period);
    return Select(u >= bank.split, bank.slopeB - u * bank.offsetB, u * bank.slopeA - 1.0);
  }
};

// +1 before the bank's split, -1 from it to the end of the cycle. Prepares
// nothing: it switches at whatever split the last golden shape left
// (0.618 x 2 pi after start-up).
struct GoldenSquare {
  static constexpr bool kRounds = false;
  static void Prepare(OscillatorBank&) noexcept {}
  template <class V>
  static V Eval(const OscillatorBank& bank, V phase) noexcept {
    return Select(phase >= bank.split, -1.0, 1.0);
  }
};

template <class... Shape>
struct List {
  static constexpr int kSize = sizeof...(Shape);
};

}  // namespace shapes

// Every shape, in the order of the "Wave" parameter's values: a new shape is
// a type above and an entry here (and its name in the parameter table).
using WaveShapes = shapes::List<shapes::Sine, shapes::Triangle, shapes::Saw, shapes::GoldenSine,
                                shapes::GoldenSineHalf, shapes::GoldenTriangle, shapes::GoldenSquare>;
constexpr int kWaveShapes = WaveShapes::kSize;

// A shape as the bank's function pointer sees it.
template <class Shape>
double WaveOf(const OscillatorBank& bank, double phase) noexcept {
  return Shape::Eval(bank, phase);
}

// What SetWave does for each shape id, in "Wave" order.
struct WaveChoice {
  void (*prepare)(OscillatorBank& bank) noexcept;
  WaveFunction function;
};
template <class... Shape>
constexpr std::array<WaveChoice, sizeof...(Shape)> WaveChoicesOf(shapes::List<Shape...>) noexcept {
  return {{{Shape::Prepare, WaveOf<Shape>}...}};
}
inline constexpr std::array<WaveChoice, kWaveShapes> kWaveChoices = WaveChoicesOf(WaveShapes{});
