// The block renderer: ramps, the silent path, phase re-alignment and the mix.
//
// The per-sample arithmetic is exactly that of the plain loop "for each frame,
// for each channel, for each slot in order": the same operations in the same
// order for every value. Per chunk of frames the slots are mixed into
// per-frame sums by the mixer of the current shape and instruction set
// (slot_mixer.h); the sums are then scaled by the master volume.
#include <cmath>
#include <cstring>

#include "slot_mixer.h"
#include "tone_engine.h"

namespace {

double RampStep(double target, double current, double frames) noexcept {
  const double diff = target - current;
  return std::fabs(diff) > kSilence ? diff / frames : 0.0;
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

// Writes n frames of sums times the master volume (plus the inputs, when
// given) and returns the volume after them. The volume steps once per frame;
// while it stands still every frame's step gives the same value, so the
// multiplications no longer wait on one another.
double ScaleSums(const Lanes2* sum, int n, double volume, double volumeStep, const double* const* in,
                 double* const* out) noexcept {
  auto write = [&](int i, double gain) noexcept {
    const Lanes2 scaled = sum[i] * gain;
    double l = Low(scaled);
    double r = High(scaled);
    if (in[0]) {
      l += in[0][i];
      r += in[1][i];
    }
    out[0][i] = l;
    out[1][i] = r;
  };
  if (volumeStep == 0.0) {
    volume += volumeStep;  // turns -0 into +0, as the first frame's step does
    for (int i = 0; i < n; ++i) write(i, volume);
    return volume;
  }
  for (int i = 0; i < n; ++i) {
    volume += volumeStep;
    write(i, volume);
  }
  return volume;
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
  SetLayoutRate(rate);
  return true;
}

void ToneEngine::SetLayoutRate(double rate) noexcept {
  if (!(rate > 0.0) || rate == layoutRate) return;
  if (layoutRate > 0.0) {
    // Radians per sample at the new rate, same frequency: no glide, no jump.
    const double scale = layoutRate / rate;
    for (int v = 0; v < kVoices; ++v) {
      bank.targetIncrement[v] *= scale;
      bank.currentIncrement[v] *= scale;
    }
  }
  layoutRate = rate;
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
  const SlotMixer mix = SlotMixerFor(mixPath, shape.waveFunction);
  const bool addInputs = passThrough && inputs;
  Lanes2 sum[kChunkFrames];  // left ear low, right ear high
  double volume = masterVolume;
  for (int start = 0; start < nFrames; start += kChunkFrames) {
    const int n = nFrames - start < kChunkFrames ? nFrames - start : kChunkFrames;
    const int zeroed = (n + kSumPadFrames - 1) / kSumPadFrames * kSumPadFrames;
    for (int i = 0; i < zeroed; ++i) sum[i] = Broadcast(0.0);
    mix(shape, bank, steps, sum, n);
    const double* const in[kEarChannels] = {addInputs ? inputs[0] + start : nullptr,
                                           addInputs ? inputs[1] + start : nullptr};
    double* const out[kEarChannels] = {outputs[0] + start, outputs[1] + start};
    volume = ScaleSums(sum, n, volume, volumeStep, in, out);
  }
  masterVolume = volume;
}
