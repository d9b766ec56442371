// The mixers on two lanes (SSE2): any x86-64 processor. Both ears of a slot
// side by side, slot by slot over the chunk into the per-frame sums, two
// steady slots per pass. (On two lanes this single pass is quicker than the
// two steps of the wider loops, two_step_mixing.h.)
#include "shape_types.h"
#include "slot_mixer.h"

namespace {

// Left ear in the low lane, right ear in the high lane.
Lanes2 EarPair(const double* perChannel, int s) noexcept {
  return MakeLanes(perChannel[s], perChannel[kToneSlots + s]);
}
void StoreEarPair(double* perChannel, int s, Lanes2 value) noexcept {
  perChannel[s] = Low(value);
  perChannel[kToneSlots + s] = High(value);
}

// N slots whose ramps stand still and whose both ears sound: evaluate,
// advance, add, wrap once, for 2N voices side by side. Each frame's sum
// still receives the slots in increasing order.
template <class Shape, int N>
void MixSteadySlots(const OscillatorBank& shape, OscillatorBank& bank, const int* slots,
                    Lanes2* __restrict sum, int n) noexcept {
  const Lanes2 period = Broadcast(shape.period);
  Lanes2 phase[N], increment[N], gain[N];
  for (int j = 0; j < N; ++j) {
    phase[j] = EarPair(bank.phase, slots[j]);
    increment[j] = EarPair(bank.currentIncrement, slots[j]);
    gain[j] = Broadcast(bank.currentGain[slots[j]]);
  }
  for (int i = 0; i < n; ++i) {
    Lanes2 acc = sum[i];
    for (int j = 0; j < N; ++j) {
      const Lanes2 v = Shape::Eval(shape, phase[j]);
      phase[j] = phase[j] + increment[j];
      acc = acc + v * gain[j];
      // Wraps are rare: a predicted branch keeps the compare off the phase's dependency chain.
      const Mask2 wraps = phase[j] >= period;
      if (Any(wraps)) phase[j] = SubtractWhere(wraps, phase[j], period);
    }
    sum[i] = acc;
  }
  for (int j = 0; j < N; ++j) StoreEarPair(bank.phase, slots[j], phase[j]);
}

// One slot with its ramps moving (or only one ear sounding): the gain steps
// once per frame, each increment steps, and an ear sounds in a frame only
// while its increment and the gain exceed the silence threshold.
template <class Shape>
void MixRampingSlot(const OscillatorBank& shape, OscillatorBank& bank, int s, const SlotSteps& step,
                    Lanes2* __restrict sum, int n) noexcept {
  const Lanes2 period = Broadcast(shape.period);
  const Lanes2 incrementStep = MakeLanes(step.incrementLeft, step.incrementRight);
  double gain = bank.currentGain[s];
  Lanes2 increment = EarPair(bank.currentIncrement, s);
  Lanes2 phase = EarPair(bank.phase, s);
  for (int i = 0; i < n; ++i) {
    gain += step.gain;
    increment = increment + incrementStep;
    const Mask2 sounds = (increment > kSilence) & (Broadcast(gain) > kSilence);
    if (!Any(sounds)) continue;
    const Lanes2 v = Shape::Eval(shape, phase);
    if (All(sounds)) {
      phase = phase + increment;
      sum[i] = sum[i] + v * gain;
    } else {
      phase = Select(sounds, phase + increment, phase);
      sum[i] = Select(sounds, sum[i] + v * gain, sum[i]);
    }
    const Mask2 wraps = sounds & (phase >= period);
    if (Any(wraps)) phase = SubtractWhere(wraps, phase, period);
  }
  bank.currentGain[s] = gain;
  StoreEarPair(bank.currentIncrement, s, increment);
  StoreEarPair(bank.phase, s, phase);
}

// Adds every slot's contribution over n frames to the sums, slots in order.
// Steady slots sounding in both ears are mixed two at a time; any other slot
// flushes the pending one first, so the order of additions never changes.
template <class Shape>
void MixSlots(const OscillatorBank& shape, OscillatorBank& bank, const SlotSteps* steps,
              Lanes2* __restrict sum, int n) noexcept {
  int pending[2];
  int pendingCount = 0;
  auto flush = [&]() noexcept {
    if (pendingCount == 2) MixSteadySlots<Shape, 2>(shape, bank, pending, sum, n);
    if (pendingCount == 1) MixSteadySlots<Shape, 1>(shape, bank, pending, sum, n);
    pendingCount = 0;
  };
  for (int s = 0; s < kToneSlots; ++s) {
    const SlotKind kind = KindOfSlot(bank, steps[s], s);
    if (kind == SlotKind::kSilent) continue;
    if (kind == SlotKind::kSteady) {
      pending[pendingCount++] = s;
      if (pendingCount == 2) flush();
      continue;
    }
    flush();
    MixRampingSlot<Shape>(shape, bank, s, steps[s], sum, n);
  }
  flush();
}

}  // namespace

constexpr SlotMixers kPortableMixers =
    shapes::MakeSlotMixers([](auto shape) noexcept -> SlotMixer { return MixSlots<decltype(shape)>; });
