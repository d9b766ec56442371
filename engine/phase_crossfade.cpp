#include "phase_crossfade.h"

#include <cmath>
#include <cstring>

void PhaseCrossfade::Begin(const ToneEngine& engine) noexcept {
  std::memcpy(oldPhase_, engine.bank.phase, sizeof oldPhase_);
  const long frames = std::lround(kSeconds * engine.sampleRateSeen);
  length_ = frames < 0 ? 0 : (frames > kMaxFrames ? kMaxFrames : static_cast<int>(frames));
  done_ = 0;
}

void PhaseCrossfade::Render(ToneEngine& engine, const double* const* inputs, double* const* outputs, int nFrames,
                            double volumeTarget) noexcept {
  const int remaining = length_ - done_;
  const int frames = nFrames < remaining ? nFrames : remaining;
  if (frames <= 0) {
    engine.RenderBlock(inputs, outputs, nFrames, volumeTarget);
    return;
  }
  RenderOldPhases(engine, inputs, frames, nFrames, volumeTarget);
  engine.RenderBlock(inputs, outputs, nFrames, volumeTarget);
  for (int k = 0; k < frames; ++k) {
    const double w = AlignedWeight(done_ + k);
    outputs[0][k] = left_[k] + (outputs[0][k] - left_[k]) * w;
    outputs[1][k] = right_[k] + (outputs[1][k] - right_[k]) * w;
  }
  done_ += frames;
}

void PhaseCrossfade::RenderOldPhases(ToneEngine& engine, const double* const* inputs, int frames, int nFrames,
                                     double volumeTarget) noexcept {
  const OscillatorBank aligned = engine.bank;
  const double volume = engine.masterVolume;
  const uint32_t fadeLength = engine.fadeLength;
  std::memcpy(engine.bank.phase, oldPhase_, sizeof oldPhase_);
  // A ramp step spans the larger of the block and the fade: rendering only the
  // first frames of the block must not make the steps larger.
  const uint32_t blockFrames = static_cast<uint32_t>(nFrames);
  engine.fadeLength = blockFrames > fadeLength ? blockFrames : fadeLength;
  double* old[kEarChannels] = {left_, right_};
  engine.RenderBlock(inputs, old, frames, volumeTarget);
  std::memcpy(oldPhase_, engine.bank.phase, sizeof oldPhase_);
  engine.bank = aligned;
  engine.masterVolume = volume;
  engine.fadeLength = fadeLength;
}

double PhaseCrossfade::AlignedWeight(int k) const noexcept {
  return 0.5 - 0.5 * std::cos(kPi * (k + 1) / (length_ + 1));
}
