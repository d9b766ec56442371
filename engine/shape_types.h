#pragma once
// The mixers built from the list of wave shapes (wave_shapes.h), so that each
// mixing loop is compiled with its shape inlined, for any lane type (lanes.h),
// plus one for whatever function the bank holds.
// [any thread; pure]

#include "slot_mixer.h"
#include "wave_shapes.h"

namespace shapes {

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

template <class MixerOf, class... Shape>
constexpr SlotMixers MakeSlotMixersOf(MixerOf mixerOf, List<Shape...>) noexcept {
  return {{mixerOf(Shape{})...}, mixerOf(BankPointer{})};
}

// Every shape's mixer, mixerOf(Shape{}), in "Wave" order and then the one
// for any other function.
template <class MixerOf>
constexpr SlotMixers MakeSlotMixers(MixerOf mixerOf) noexcept {
  return MakeSlotMixersOf(mixerOf, WaveShapes{});
}

}  // namespace shapes
