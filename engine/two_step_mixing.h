#pragma once
// The mixing loops for wide lanes, written once over a lane type V (Lanes4 or
// Lanes8) and a shape; each instruction set's file instantiates them with its
// own lane type. Everything here is a template on V, so no function is shared
// between code built for different processors.
//
// The per-sample arithmetic is exactly that of the plain loop "for each frame,
// for each channel, for each slot in order": the same operations in the same
// order for every value. It is arranged in runs of frames, each in two steps:
//  1. Phases. Each sounding voice's phase (and, while its ramps move, its
//     increment and gain) steps frame by frame, V::kWidth voices side by side.
//     The phase at which each frame evaluates the shape, and the gain it is
//     weighted with, go to scratch rows, one per slot, with left and right ear
//     interleaved as the sums are. A voice that is silent in a frame gets
//     phase 0 and gain 0 there: every shape is finite at 0, and adding the
//     resulting zero leaves a sum unchanged (sums start at +0, so none is ever
//     -0).
//  2. Mix. V::kWidth / 2 frames at a time, the shape is evaluated on each
//     slot's row and the weighted values added to the sums, slots in
//     increasing order.
// Each frame's sum thus receives the slots in order 0..11. Slots whose ramps
// stand still cost no per-frame ramp arithmetic, and silent ones nothing.
// [audio thread, under the instance lock; no allocation, no locks]

#include "shape_types.h"
#include "slot_mixer.h"

namespace two_step {

// Frames per run: the rows of a run stay in the first-level cache.
constexpr int kRunFrames = 64;
template <class V>
constexpr int kSlotsPerVector = V::kWidth / 2;
template <class V>
constexpr int kMaxVectors = (kToneSlots + kSlotsPerVector<V> - 1) / kSlotsPerVector<V>;
// From this many phase chains side by side, a select hides its latency behind
// the others and costs less than the mispredicted branches of rare wraps.
constexpr int kChainsForSelect = 4;

// A run's scratch: a phase row and a gain row per sounding slot, and one more
// of each where the lanes of missing slots write.
struct RunRows {
  double phase[kToneSlots + 1][2 * kRunFrames];
  double gain[kToneSlots + 1][2 * kRunFrames];
};

// The voices of kSlotsPerVector<V> slots side by side (slot -1: missing, all
// zeros), the rows their phases and gains go to, and their lanes between
// runs (increments and gains only for moving slots).
template <class V>
struct VoiceVector {
  int slot[kSlotsPerVector<V>];
  double* phaseRow[kSlotsPerVector<V>];
  double* gainRow[kSlotsPerVector<V>];
  double phase[V::kWidth];
  double increment[V::kWidth];
  double incrementStep[V::kWidth];
  double gain[V::kWidth];
  double gainStep[V::kWidth];
};

// The slots that sound in a chunk: in increasing order (list position k owns
// rows k), and packed into vectors, steady ones first.
template <class V>
struct SoundingSlots {
  int count = 0;
  int slot[kToneSlots];
  bool moving[kToneSlots];
  double steadyGain[kToneSlots];  // of a steady slot: its gain all chunk long
  VoiceVector<V> vectors[kMaxVectors<V> * 2];
  int steadyVectors = 0;
  int vectorCount = 0;
};

// ---- Between the bank and the lanes ----

// Lanes 2k and 2k + 1 of `lanes` from value(slots[k], ear); a missing slot
// gives zeros.
template <class V, class Value>
void Gather(const int* slots, double* lanes, Value value) noexcept {
  for (int k = 0; k < kSlotsPerVector<V>; ++k) {
    lanes[2 * k] = slots[k] < 0 ? 0.0 : value(slots[k], 0);
    lanes[2 * k + 1] = slots[k] < 0 ? 0.0 : value(slots[k], 1);
  }
}

// keep(slots[k], left lane, right lane) for every slot present.
template <class V, class Keep>
void Scatter(const int* slots, const double* lanes, Keep keep) noexcept {
  for (int k = 0; k < kSlotsPerVector<V>; ++k) {
    if (slots[k] >= 0) keep(slots[k], lanes[2 * k], lanes[2 * k + 1]);
  }
}

template <class V>
void ListSoundingSlots(const OscillatorBank& bank, const SlotSteps* steps, SoundingSlots<V>& list) noexcept {
  for (int s = 0; s < kToneSlots; ++s) {
    const SlotKind kind = KindOfSlot(bank, steps[s], s);
    if (kind == SlotKind::kSilent) continue;
    list.slot[list.count] = s;
    list.moving[list.count] = kind == SlotKind::kMoving;
    list.steadyGain[list.count++] = bank.currentGain[s];
  }
}

// Packs the listed slots of one kind into vectors; the last one's missing
// slots write the spare rows.
template <class V>
void PackVectors(SoundingSlots<V>& list, bool moving, RunRows& rows) noexcept {
  constexpr int H = kSlotsPerVector<V>;
  VoiceVector<V>* v = nullptr;
  int lane = H;
  for (int k = 0; k < list.count; ++k) {
    if (list.moving[k] != moving) continue;
    if (lane == H) {
      v = &list.vectors[list.vectorCount++];
      lane = 0;
    }
    v->slot[lane] = list.slot[k];
    v->phaseRow[lane] = rows.phase[k];
    v->gainRow[lane++] = rows.gain[k];
  }
  for (; v && lane < H; ++lane) {
    v->slot[lane] = -1;
    v->phaseRow[lane] = rows.phase[kToneSlots];
    v->gainRow[lane] = rows.gain[kToneSlots];
  }
}

template <class V>
void LoadVoices(const OscillatorBank& bank, const SlotSteps* steps, SoundingSlots<V>& list) noexcept {
  for (int i = 0; i < list.vectorCount; ++i) {
    VoiceVector<V>& v = list.vectors[i];
    Gather<V>(v.slot, v.phase, [&bank](int s, int ear) { return bank.phase[ear * kToneSlots + s]; });
    Gather<V>(v.slot, v.increment, [&bank](int s, int ear) { return bank.currentIncrement[ear * kToneSlots + s]; });
    if (i < list.steadyVectors) continue;
    Gather<V>(v.slot, v.incrementStep, [steps](int s, int ear) {
      return ear == 0 ? steps[s].incrementLeft : steps[s].incrementRight;
    });
    Gather<V>(v.slot, v.gain, [&bank](int s, int) { return bank.currentGain[s]; });
    Gather<V>(v.slot, v.gainStep, [steps](int s, int) { return steps[s].gain; });
  }
}

// Phases of every slot; increments and gains of the moving ones (a steady
// slot's did not change).
template <class V>
void StoreVoices(OscillatorBank& bank, const SoundingSlots<V>& list) noexcept {
  for (int i = 0; i < list.vectorCount; ++i) {
    const VoiceVector<V>& v = list.vectors[i];
    Scatter<V>(v.slot, v.phase, [&bank](int s, double left, double right) {
      bank.phase[s] = left;
      bank.phase[kToneSlots + s] = right;
    });
    if (i < list.steadyVectors) continue;
    Scatter<V>(v.slot, v.increment, [&bank](int s, double left, double right) {
      bank.currentIncrement[s] = left;
      bank.currentIncrement[kToneSlots + s] = right;
    });
    Scatter<V>(v.slot, v.gain, [&bank](int s, double left, double) { bank.currentGain[s] = left; });
  }
}

// ---- Step 1: phases into rows ----
// The loops step kSlotsPerVector<V> frames at a time and store them
// transposed (StoreRows), so that each row receives whole vectors. A last,
// partial group computes frames past n, into the padding, without keeping
// their state.

// G vectors of steady slots: store, advance, wrap once.
template <class V, int G>
void StepSteadyPhases(VoiceVector<V>* vectors, double period, int n) noexcept {
  constexpr int H = kSlotsPerVector<V>;
  const V p = V::Fill(period);
  double* rows[G * H];  // private copies stay in registers across the stores
  V phase[G], increment[G];
  for (int g = 0; g < G; ++g) {
    for (int k = 0; k < H; ++k) rows[g * H + k] = vectors[g].phaseRow[k];
    phase[g] = V::Load(vectors[g].phase);
    increment[g] = V::Load(vectors[g].increment);
  }
  // kept: frames of the group whose state carries on.
  auto group = [&](int i, int kept) noexcept {
    for (int g = 0; g < G; ++g) {
      V frames[H];
      V next = phase[g];
      for (int f = 0; f < H; ++f) {
        frames[f] = next;
        next = next + increment[g];
        if constexpr (G >= kChainsForSelect) {
          next = Select(next >= p, next - p, next);
        } else {
          // Wraps are rare: a predicted branch keeps the compare off the phase's dependency chain.
          const auto wraps = next >= p;
          if (Any(wraps)) next = SubtractWhere(wraps, next, p);
        }
        if (f + 1 == kept) phase[g] = next;
      }
      StoreRows(rows + g * H, 2 * i, frames);
    }
  };
  int i = 0;
  for (; i + H <= n; i += H) group(i, H);
  if (i < n) group(i, n - i);
  for (int g = 0; g < G; ++g) Store(vectors[g].phase, phase[g]);
}

// One vector of moving slots: each frame the increments and the gain step,
// and an ear sounds only while its increment and the gain exceed the silence
// threshold.
template <class V>
void StepMovingPhases(VoiceVector<V>& v, double period, int n) noexcept {
  constexpr int H = kSlotsPerVector<V>;
  const V p = V::Fill(period);
  const V zero = V::Fill(0.0);
  const V incrementStep = V::Load(v.incrementStep);
  const V gainStep = V::Load(v.gainStep);
  V phase = V::Load(v.phase), increment = V::Load(v.increment), gain = V::Load(v.gain);
  auto group = [&](int i, int kept) noexcept {
    V phases[H], gains[H];
    V nextPhase = phase, nextIncrement = increment, nextGain = gain;
    for (int f = 0; f < H; ++f) {
      nextIncrement = nextIncrement + incrementStep;
      nextGain = nextGain + gainStep;
      const auto sounds = (nextIncrement > kSilence) & (nextGain > kSilence);
      phases[f] = Select(sounds, nextPhase, zero);
      gains[f] = Select(sounds, nextGain, zero);
      nextPhase = Select(sounds, nextPhase + nextIncrement, nextPhase);
      const auto wraps = sounds & (nextPhase >= p);
      if (Any(wraps)) nextPhase = SubtractWhere(wraps, nextPhase, p);
      if (f + 1 == kept) {
        phase = nextPhase;
        increment = nextIncrement;
        gain = nextGain;
      }
    }
    StoreRows(v.phaseRow, 2 * i, phases);
    StoreRows(v.gainRow, 2 * i, gains);
  };
  int i = 0;
  for (; i + H <= n; i += H) group(i, H);
  if (i < n) group(i, n - i);
  Store(v.phase, phase);
  Store(v.increment, increment);
  Store(v.gain, gain);
}

// The steady loop for `count` (1..kMaxVectors<V>) vectors side by side.
template <class V, int G = 1>
void StepSteady(VoiceVector<V>* vectors, int count, double period, int n) noexcept {
  if constexpr (G < kMaxVectors<V>) {
    if (count > G) return StepSteady<V, G + 1>(vectors, count, period, n);
  }
  StepSteadyPhases<V, G>(vectors, period, n);
}

template <class V>
void StepPhases(SoundingSlots<V>& list, double period, int n) noexcept {
  if (list.steadyVectors > 0) StepSteady(list.vectors, list.steadyVectors, period, n);
  for (int i = list.steadyVectors; i < list.vectorCount; ++i) StepMovingPhases(list.vectors[i], period, n);
}

// ---- Step 2: shapes on the rows, into the sums ----

// Whether every value the shapes round in this chunk stays far inside the
// int32 range, so that the rounding needs no range test (BoundedLanes<V>): shape
// factors, phases, increments and their steps of moderate size, which a chunk
// cannot carry far. Always so in practice; any other state is rounded with
// the test.
template <class V>
bool RoundsInRange(const OscillatorBank& shape, const SlotSteps* steps, const SoundingSlots<V>& list) noexcept {
  constexpr double kFactorLimit = 16.0;       // shape factors and constants
  constexpr double kPhaseLimit = 262144.0;    // 2^18 radians
  constexpr double kIncrementLimit = 1024.0;  // radians per sample
  constexpr double kStepLimit = 1.0;          // radians per sample, per sample
  auto within = [](double x, double limit) noexcept { return x >= -limit && x <= limit; };  // false for NaN
  if (!(within(shape.period, kFactorLimit) && within(shape.quarterTurn, kFactorLimit) &&
        within(shape.slopeA, kFactorLimit) && within(shape.slopeB, kFactorLimit) &&
        within(shape.offsetB, kFactorLimit) && within(shape.split, kFactorLimit) &&
        within(shape.goldenFraction, kFactorLimit))) {
    return false;
  }
  for (int k = 0; k < list.count; ++k) {
    const int s = list.slot[k];
    const int r = kToneSlots + s;
    if (!(within(shape.phase[s], kPhaseLimit) && within(shape.phase[r], kPhaseLimit) &&
          within(shape.currentIncrement[s], kIncrementLimit) && within(shape.currentIncrement[r], kIncrementLimit) &&
          within(steps[s].incrementLeft, kStepLimit) && within(steps[s].incrementRight, kStepLimit))) {
      return false;
    }
  }
  return true;
}

// count doubles (a multiple of V::kWidth): for each listed slot in order,
// sum += shape(phase) x gain, the gain from the slot's row while it moves.
// E is V or BoundedLanes<V>.
template <class Shape, class V, class E, bool kAnyMoving>
void MixRows(const OscillatorBank& shape, const SoundingSlots<V>& list, const RunRows& rows,
             double* __restrict sum, int count) noexcept {
  for (int j = 0; j < count; j += V::kWidth) {
    V acc = V::Load(sum + j);
    for (int k = 0; k < list.count; ++k) {
      const V v = Shape::Eval(shape, E(V::Load(rows.phase[k] + j)));
      const V gain = kAnyMoving && list.moving[k] ? V::Load(rows.gain[k] + j) : V::Fill(list.steadyGain[k]);
      acc = acc + v * gain;
    }
    Store(sum + j, acc);
  }
}

// ---- All slots ----

// The mixer (SlotMixer) of Shape on lanes V. Writes sums up to a multiple of
// kSlotsPerVector<V> frames.
template <class Shape, class V>
void MixSlots(const OscillatorBank& shape, OscillatorBank& bank, const SlotSteps* steps, Lanes2* __restrict sums,
              int n) noexcept {
  static_assert(kSumPadFrames % kSlotsPerVector<V> == 0, "the caller zeroes sums this far");
  constexpr int H = kSlotsPerVector<V>;
  SoundingSlots<V> list;
  ListSoundingSlots(bank, steps, list);
  if (list.count == 0) return;
  RunRows rows;
  PackVectors(list, false, rows);
  list.steadyVectors = list.vectorCount;
  PackVectors(list, true, rows);
  LoadVoices(bank, steps, list);
  double* sum = reinterpret_cast<double*>(sums);
  const bool anyMoving = list.vectorCount > list.steadyVectors;
  const bool bounded = Shape::kRounds && RoundsInRange(shape, steps, list);
  for (int start = 0; start < n; start += kRunFrames) {
    const int frames = n - start < kRunFrames ? n - start : kRunFrames;
    const int padded = (frames + H - 1) / H * H;
    StepPhases(list, shape.period, frames);
    double* runSum = sum + 2 * start;
    if constexpr (Shape::kRounds) {
      using Bounded = BoundedLanes<V>;
      if (bounded && anyMoving) {
        MixRows<Shape, V, Bounded, true>(shape, list, rows, runSum, 2 * padded);
        continue;
      }
      if (bounded) {
        MixRows<Shape, V, Bounded, false>(shape, list, rows, runSum, 2 * padded);
        continue;
      }
    }
    if (anyMoving) {
      MixRows<Shape, V, V, true>(shape, list, rows, runSum, 2 * padded);
    } else {
      MixRows<Shape, V, V, false>(shape, list, rows, runSum, 2 * padded);
    }
  }
  StoreVoices(bank, list);
}

// Every shape's mixer on lanes V.
template <class V>
constexpr SlotMixers MakeSlotMixers() noexcept {
  return shapes::MakeSlotMixers([](auto shape) noexcept -> SlotMixer { return MixSlots<decltype(shape), V>; });
}

}  // namespace two_step
