#pragma once
// The block renderer's inner loops as the renderer sees them: a mixer adds
// every sounding slot's samples over a run of frames to the per-frame sums,
// slots in order 0..11, and moves each slot's ramps and phases. There is one
// mixer per wave shape (the shape inlined) and per instruction set.
// [audio thread, under the instance lock; no allocation, no locks]

#include <cstdint>

#include "lanes.h"
#include "mix_path.h"
#include "oscillator_bank.h"
#include "wave_shapes.h"

constexpr int kChunkFrames = 256;  // most frames one mixer call takes
// Mixers may write sums up to the next multiple of this many frames; the
// caller zeroes them that far.
constexpr int kSumPadFrames = 4;

// Per-block ramp steps of one slot: left and right increments, shared gain.
struct SlotSteps {
  double incrementLeft;
  double incrementRight;
  double gain;
};

// How a slot takes part in a chunk: silent all along; standing still with
// both ears sounding; or moving (a ramp moves, or only one ear sounds), so
// that every ear is tested each frame.
enum class SlotKind : uint8_t { kSilent, kSteady, kMoving };
// Static: every instruction set's file keeps its own copy, built for it.
static inline SlotKind KindOfSlot(const OscillatorBank& bank, const SlotSteps& step, int s) noexcept {
  const bool still = step.gain == 0.0 && step.incrementLeft == 0.0 && step.incrementRight == 0.0;
  const bool gainSounds = bank.currentGain[s] > kSilence;
  const bool leftSounds = bank.currentIncrement[s] > kSilence;
  const bool rightSounds = bank.currentIncrement[kToneSlots + s] > kSilence;
  if (still && !(gainSounds && (leftSounds || rightSounds))) return SlotKind::kSilent;
  return still && leftSounds && rightSounds ? SlotKind::kSteady : SlotKind::kMoving;
}

// Adds n frames (1..kChunkFrames) of every slot to sum (left ear low, right
// ear high), reading the shape constants from shape and stepping bank.
using SlotMixer = void (*)(const OscillatorBank& shape, OscillatorBank& bank, const SlotSteps* steps,
                           Lanes2* __restrict sum, int n) noexcept;

// One instruction set's mixers: per shape id in "Wave" order, and one that
// calls whatever function the bank holds.
struct SlotMixers {
  SlotMixer byShape[kWaveShapes];
  SlotMixer anyFunction;
};

// Constant-initialised: nothing built for a wider instruction set runs before
// the dispatcher has chosen it.
extern const SlotMixers kPortableMixers;  // mixing_portable.cpp
extern const SlotMixers kAvx2Mixers;      // mixing_avx2.cpp
extern const SlotMixers kAvx512Mixers;    // mixing_avx512.cpp

// The mixer of path for the bank's current function. path must be supported.
SlotMixer SlotMixerFor(MixPath path, WaveFunction wave) noexcept;
