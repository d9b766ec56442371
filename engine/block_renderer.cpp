// The block renderer: ramps, the silent path, phase re-alignment and the mix.
//
// The per-sample arithmetic is exactly that of the plain loop "for each frame,
// for each channel, for each slot in order": the same additions in the same
// order for every value. It is only arranged for speed: one loop per wave
// shape with the shape inlined, slot by slot over a chunk of frames into a
// per-frame sum (slots still add in order 0..11), and no per-frame tests for
// slots whose ramps stand still.
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

// One ear of one slot whose increment and gain stand still and that sounds:
// evaluate, advance, add, wrap once.
template <WaveFunction Wave>
void RenderSteadyVoice(const OscillatorBank& shape, double& phaseRef, double increment, double gain,
                       double* __restrict sum, int n) noexcept {
  const double period = shape.period;
  double phase = phaseRef;
  for (int i = 0; i < n; ++i) {
    const double v = Wave(shape, phase);
    phase += increment;
    sum[i] += v * gain;
    if (phase >= period) phase -= period;
  }
  phaseRef = phase;
}

// One slot, both ears, over n frames, with its ramps moving: the gain steps
// once per frame (before the left ear), each increment steps before its ear
// sounds, and an ear sounds only while its increment and the gain exceed the
// silence threshold.
template <WaveFunction Wave>
void RenderRampingSlot(const OscillatorBank& shape, OscillatorBank& bank, int s, const SlotSteps& step,
                       double* __restrict sumLeft, double* __restrict sumRight, int n) noexcept {
  const double period = shape.period;
  double gain = bank.currentGain[s];
  double incLeft = bank.currentIncrement[s];
  double incRight = bank.currentIncrement[kToneSlots + s];
  double phaseLeft = bank.phase[s];
  double phaseRight = bank.phase[kToneSlots + s];
  for (int i = 0; i < n; ++i) {
    gain += step.gain;
    incLeft += step.incrementLeft;
    if (incLeft > kSilence && gain > kSilence) {
      const double v = Wave(shape, phaseLeft);
      phaseLeft += incLeft;
      sumLeft[i] += v * gain;
      if (phaseLeft >= period) phaseLeft -= period;
    }
    incRight += step.incrementRight;
    if (incRight > kSilence && gain > kSilence) {
      const double v = Wave(shape, phaseRight);
      phaseRight += incRight;
      sumRight[i] += v * gain;
      if (phaseRight >= period) phaseRight -= period;
    }
  }
  bank.currentGain[s] = gain;
  bank.currentIncrement[s] = incLeft;
  bank.currentIncrement[kToneSlots + s] = incRight;
  bank.phase[s] = phaseLeft;
  bank.phase[kToneSlots + s] = phaseRight;
}

// N slots whose ramps stand still and whose both ears sound, side by side:
// 2N independent phase chains per frame keep the processor busy. Each sum
// still receives the slots in increasing order.
template <WaveFunction Wave, int N>
void RenderSteadySlots(const OscillatorBank& shape, OscillatorBank& bank, const int* slots,
                       double* __restrict sumLeft, double* __restrict sumRight, int n) noexcept {
  const double period = shape.period;
  double phaseLeft[N], phaseRight[N], incLeft[N], incRight[N], gain[N];
  for (int j = 0; j < N; ++j) {
    const int s = slots[j];
    phaseLeft[j] = bank.phase[s];
    phaseRight[j] = bank.phase[kToneSlots + s];
    incLeft[j] = bank.currentIncrement[s];
    incRight[j] = bank.currentIncrement[kToneSlots + s];
    gain[j] = bank.currentGain[s];
  }
  for (int i = 0; i < n; ++i) {
    double l = sumLeft[i];
    double r = sumRight[i];
    for (int j = 0; j < N; ++j) {
      const double vl = Wave(shape, phaseLeft[j]);
      const double vr = Wave(shape, phaseRight[j]);
      phaseLeft[j] += incLeft[j];
      phaseRight[j] += incRight[j];
      l += vl * gain[j];
      r += vr * gain[j];
      if (phaseLeft[j] >= period) phaseLeft[j] -= period;
      if (phaseRight[j] >= period) phaseRight[j] -= period;
    }
    sumLeft[i] = l;
    sumRight[i] = r;
  }
  for (int j = 0; j < N; ++j) {
    bank.phase[slots[j]] = phaseLeft[j];
    bank.phase[kToneSlots + slots[j]] = phaseRight[j];
  }
}

// Adds every slot's contribution over n frames to the sums, slots in order.
// Steady slots sounding in both ears are rendered two at a time; anything
// else flushes the pending one first, so the order of additions never changes.
template <WaveFunction Wave>
void MixSlots(const OscillatorBank& shape, OscillatorBank& bank, const SlotSteps* steps,
              double* __restrict sumLeft, double* __restrict sumRight, int n) noexcept {
  int pending[2];
  int pendingCount = 0;
  auto flush = [&]() noexcept {
    if (pendingCount == 2) RenderSteadySlots<Wave, 2>(shape, bank, pending, sumLeft, sumRight, n);
    if (pendingCount == 1) RenderSteadySlots<Wave, 1>(shape, bank, pending, sumLeft, sumRight, n);
    pendingCount = 0;
  };
  for (int s = 0; s < kToneSlots; ++s) {
    const SlotSteps& step = steps[s];
    if (step.gain != 0.0 || step.incrementLeft != 0.0 || step.incrementRight != 0.0) {
      flush();
      RenderRampingSlot<Wave>(shape, bank, s, step, sumLeft, sumRight, n);
      continue;
    }
    // Nothing moves: each ear sounds for the whole chunk or not at all.
    const double gain = bank.currentGain[s];
    if (!(gain > kSilence)) continue;
    const double incLeft = bank.currentIncrement[s];
    const double incRight = bank.currentIncrement[kToneSlots + s];
    const bool left = incLeft > kSilence;
    const bool right = incRight > kSilence;
    if (left && right) {
      pending[pendingCount++] = s;
      if (pendingCount == 2) flush();
      continue;
    }
    if (!left && !right) continue;
    flush();
    if (left) RenderSteadyVoice<Wave>(shape, bank.phase[s], incLeft, gain, sumLeft, n);
    if (right) RenderSteadyVoice<Wave>(shape, bank.phase[kToneSlots + s], incRight, gain, sumRight, n);
  }
  flush();
}

// Any shape not among the seven: call through the bank's pointer.
double CallBankWave(const OscillatorBank& bank, double phase) noexcept {
  return bank.waveFunction(bank, phase);
}

using SlotMixer = void (*)(const OscillatorBank&, OscillatorBank&, const SlotSteps*, double* __restrict,
                           double* __restrict, int) noexcept;

SlotMixer MixerFor(WaveFunction wave) noexcept {
  if (wave == WaveSine) return MixSlots<WaveSine>;
  if (wave == WaveTriangle) return MixSlots<WaveTriangle>;
  if (wave == WaveSaw) return MixSlots<WaveSaw>;
  if (wave == WaveGoldenSine) return MixSlots<WaveGoldenSine>;
  if (wave == WaveGoldenSineHalf) return MixSlots<WaveGoldenSineHalf>;
  if (wave == WaveGoldenTriangle) return MixSlots<WaveGoldenTriangle>;
  if (wave == WaveGoldenSquare) return MixSlots<WaveGoldenSquare>;
  return MixSlots<CallBankWave>;
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
  double sumLeft[kChunkFrames];
  double sumRight[kChunkFrames];
  double volume = masterVolume;
  for (int start = 0; start < nFrames; start += kChunkFrames) {
    const int n = nFrames - start < kChunkFrames ? nFrames - start : kChunkFrames;
    std::memset(sumLeft, 0, sizeof(double) * static_cast<size_t>(n));
    std::memset(sumRight, 0, sizeof(double) * static_cast<size_t>(n));
    mix(shape, bank, steps, sumLeft, sumRight, n);
    double* left = outputs[0] + start;
    double* right = outputs[1] + start;
    for (int i = 0; i < n; ++i) {
      volume += volumeStep;
      double l = sumLeft[i] * volume;
      double r = sumRight[i] * volume;
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
