#pragma once
// The wave shapes as types, so that each mixing loop is compiled with its
// shape inlined, for any lane type (lanes.h). Shape::Eval(bank, phase) gives
// in every lane exactly what the bank's function gives for that lane's phase;
// Shape::kRounds says whether it rounds to multiples of pi (the polynomial sine).
// [any thread; pure]

#include "slot_mixer.h"
#include "wave_shapes.h"

namespace shapes {

struct Sine {
  static constexpr bool kRounds = true;
  template <class V> static V Eval(const OscillatorBank& b, V phase) noexcept { return SineOf(b, phase); }
};
struct Triangle {
  static constexpr bool kRounds = false;
  template <class V> static V Eval(const OscillatorBank& b, V phase) noexcept { return TriangleOf(b, phase); }
};
struct Saw {
  static constexpr bool kRounds = false;
  template <class V> static V Eval(const OscillatorBank& b, V phase) noexcept { return SawOf(b, phase); }
};
struct GoldenSine {
  static constexpr bool kRounds = true;
  template <class V> static V Eval(const OscillatorBank& b, V phase) noexcept { return GoldenSineOf(b, phase); }
};
struct GoldenSineHalf {
  static constexpr bool kRounds = true;
  template <class V> static V Eval(const OscillatorBank& b, V phase) noexcept { return GoldenSineHalfOf(b, phase); }
};
struct GoldenTriangle {
  static constexpr bool kRounds = false;
  template <class V> static V Eval(const OscillatorBank& b, V phase) noexcept { return GoldenTriangleOf(b, phase); }
};
struct GoldenSquare {
  static constexpr bool kRounds = false;
  template <class V> static V Eval(const OscillatorBank& b, V phase) noexcept { return GoldenSquareOf(b, phase); }
};
// Whatever function the bank holds, one lane at a time.
struct BankPointer {
  static constexpr bool kRounds = false;  // not through the lanes
  template <class V>
  static V Eval(const OscillatorBank& b, V phase) noexcept {
    double lanes[V::kWidth];
    Store(lanes, phase);
    for (double& x : lanes) x = b.waveFunction(b, x);
    return V::Load(lanes);
  }
};

// Every shape's mixer, mixerOf(Shape{}), in "Wave" order and then the one
// for any other function.
template <class MixerOf>
constexpr SlotMixers MakeSlotMixers(MixerOf mixerOf) noexcept {
  return {{mixerOf(Sine{}), mixerOf(Triangle{}), mixerOf(Saw{}), mixerOf(GoldenSine{}), mixerOf(GoldenSineHalf{}),
           mixerOf(GoldenTriangle{}), mixerOf(GoldenSquare{})},
          mixerOf(BankPointer{})};
}

}  // namespace shapes
