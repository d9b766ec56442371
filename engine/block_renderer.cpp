// The block renderer: ramps, the silent path, phase re-alignment and the mix.
//
// The per-sample arithmetic is exactly that of the plain loop "for each frame,
// for each channel, for each slot in order": the same operations in the same
// order for every value. It is only arranged for speed: one loop per wave
// shape with the shape inlined; both ears of a slot computed side by side in
// two lanes; slot by slot over a chunk of frames into a per-frame sum (slots
// still add in order 0..11); and no per-frame tests for slots whose ramps
// stand still.
#include <cmath>
#include <cstring>

#include "tone_engine.h"
#include "wave_shapes.h"

namespace {

constexpr int kChunkFrames = 256;  // frames mixed per pass over the slots (stack sums)

double RampStep(double target, double current, double frames) noexcept {
  const double diff = target - current;
  return std::fabs(diff) > kSilence ? diff / frames : 0.0;
}

// Per-block ramp steps of one slot: left and right increments, shared gain.
struct SlotSteps {
  double incrementLeft;
  double incrementRight;
  double gain;
};

// The seven shapes (and any other function the bank may hold) as types, so
// that each mixing loop is compiled with its shape inlined, for plain
// doubles and for two ears at once.
struct SineShape {
  template <class V> static V Eval(const OscillatorBank& b, V phase) noexcept { return SineOf(b, phase); }
};
struct TriangleShape {
  template <class V> static V Eval(const OscillatorBank& b, V phase) noexcept { return TriangleOf(b, phase); }
};
struct SawShape {
  template <class V> static V Eval(const OscillatorBank& b, V phase) noexcept { return SawOf(b, phase); }
};
struct GoldenSineShape {
  template <class V> static V Eval(const OscillatorBank& b, V phase) noexcept { return GoldenSineOf(b, phase); }
};
struct GoldenSineHalfShape {
  template <class V> static V Eval(const OscillatorBank& b, V phase) noexcept { return GoldenSineHalfOf(b, phase); }
};
struct GoldenTriangleShape {
  template <class V> static V Eval(const OscillatorBank& b, V phase) noexcept { return GoldenTriangleOf(b, phase); }
};
struct GoldenSquareShape {
  template <class V> static V Eval(const OscillatorBank& b, V phase) noexcept { return GoldenSquareOf(b, phase); }
};
struct BankPointerShape {
  static Lanes2 Eval(const OscillatorBank& b, Lanes2 phase) noexcept {
    return MakeLanes(b.waveFunction(b, Low(phase)), b.waveFunction(b, High(phase)));
  }
};

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
    const SlotSteps& step = steps[s];
    const bool still = step.gain == 0.0 && step.incrementLeft == 0.0 && step.incrementRight == 0.0;
    const bool gainSounds = bank.currentGain[s] > kSilence;
    const bool leftSounds = bank.currentIncrement[s] > kSilence;
    const bool rightSounds = bank.currentIncrement[kToneSlots + s] > kSilence;
    if (still && !(gainSounds && (leftSounds || rightSounds))) continue;  // silent all chunk long
    if (still && leftSounds && rightSounds) {
      pending[pendingCount++] = s;
      if (pendingCount == 2) flush();
      continue;
    }
    flush();
    MixRampingSlot<Shape>(shape, bank, s, step, sum, n);
  }
  flush();
}

using SlotMixer = void (*)(const OscillatorBank&, OscillatorBank&, const SlotSteps*, Lanes2* __restrict,
                           int) noexcept;

SlotMixer MixerFor(WaveFunction wave) noexcept {
  if (wave == WaveSine) return MixSlots<SineShape>;
  if (wave == WaveTriangle) return MixSlots<TriangleShape>;
  if (wave == WaveSaw) return MixSlots<SawShape>;
  if (wave == WaveGoldenSine) return MixSlots<GoldenSineShape>;
  if (wave == WaveGoldenSineHalf) return MixSlots<GoldenSineHalfShape>;
  if (wave == WaveGoldenTriangle) return MixSlots<GoldenTriangleShape>;
  if (wave == WaveGoldenSquare) return MixSlots<GoldenSquareShape>;
  return MixSlots<BankPointerShape>;
}

void WriteSilence(const double* const* inputs, double* const* outputs, int nFrames, bool passThrough) noexcept {
  const size_t bytes = static_cast<size_t>(nFrames) * sizeof(double);
  for (int c = 0; c < kEarChannels; ++c) {
    if (passThrough && inputs) {
      std::memmove(outputs[c], inputs[c], bytes);
    } else {
      std::memset(outputs[c], 0, bytes);
    }
  }
}

// fmod keeps the sign of a negative position; bring the result into [0, period).
double WrapIntoPeriod(double phase, double period) noexcept {
  if (phase < 0.0) {
    phase += period;
    if (phase >= period) phase = 0.0;  // a tiny negative remainder rounds up to the period
  }
  return phase;
}

}  // namespace

double ToneEngine::BlockVolumeTarget(bool transportRunning) const noexcept {
  return playAnyway || transportRunning ? static_cast<double>(volumeTarget) : 0.0;
}

bool ToneEngine::AdoptSampleRate(double rate) noexcept {
  if (rate == sampleRateSeen) return false;
  sampleRateSeen = rate;
  return true;
}

void ToneEngine::RealignPhases(int64_t hostPosition) noexcept {
  const double position = static_cast<double>(hostPosition);
  for (int c = 0; c < kEarChannels; ++c) {
    for (int s = 0; s < kToneSlots; ++s) {
      if (!bank.slotActive[s]) continue;
      const int k = c * kToneSlots + s;
      bank.phase[k] = WrapIntoPeriod(std::fmod(position * bank.targetIncrement[k], bank.period), bank.period);
    }
  }
  phaseSync.MarkSynchronised(true);
  resyncRequested.store(0, std::memory_order_relaxed);
}

void ToneEngine::RenderBlock(const double* const* inputs, double* const* outputs, int nFrames,
                             double blockVolumeTarget) noexcept {
  if (nFrames <= 0) return;
  const uint32_t frames = static_cast<uint32_t>(nFrames);
  const double span = static_cast<double>(frames > fadeLength ? frames : fadeLength);

  if (blockVolumeTarget == 0.0 && masterVolume < kSilence) {
    WriteSilence(inputs, outputs, nFrames, passThrough && inputs);
    return;
  }

  const double volumeStep = RampStep(blockVolumeTarget, masterVolume, span);
  SlotSteps steps[kToneSlots];
  for (int s = 0; s < kToneSlots; ++s) {
    const int r = kToneSlots + s;
    steps[s].incrementLeft = RampStep(bank.targetIncrement[s], bank.currentIncrement[s], span);
    steps[s].incrementRight = RampStep(bank.targetIncrement[r], bank.currentIncrement[r], span);
    steps[s].gain = RampStep(bank.targetGain[s], bank.currentGain[s], span);
  }

  // The shape constants do not change during a block; a private copy lets the
  // compiler keep them in registers while the sums are written.
  const OscillatorBank shape = bank;
  const SlotMixer mix = MixerFor(shape.waveFunction);
  const bool addInputs = passThrough && inputs;
  Lanes2 sum[kChunkFrames];  // left ear low, right ear high
  double volume = masterVolume;
  for (int start = 0; start < nFrames; start += kChunkFrames) {
    const int n = nFrames - start < kChunkFrames ? nFrames - start : kChunkFrames;
    for (int i = 0; i < n; ++i) sum[i] = Broadcast(0.0);
    mix(shape, bank, steps, sum, n);
    double* left = outputs[0] + start;
    double* right = outputs[1] + start;
    for (int i = 0; i < n; ++i) {
      volume += volumeStep;
      const Lanes2 scaled = sum[i] * volume;
      double l = Low(scaled);
      double r = High(scaled);
      if (addInputs) {
        l += inputs[0][start + i];
        r += inputs[1][start + i];
      }
      left[i] = l;
      right[i] = r;
    }
  }
  masterVolume = volume;
}
