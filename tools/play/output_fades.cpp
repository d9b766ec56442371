#include "output_fades.h"

#include <algorithm>
#include <cmath>

namespace spwplay {

void OutputFades::Prepare(int sampleRate) {
  fadeFrames_ = spwrender::FadeOutFrames(sampleRate);
  leadFrames_ = std::llround(kLeadSeconds * sampleRate);
  riseFrames_ = std::max<int64_t>(1, std::llround(kRiseSeconds * sampleRate));
  Restart();
}

void OutputFades::Restart() noexcept {
  risen_ = 0;
  fadeLeft_ = -1;
}

bool OutputFades::Apply(float* left, float* right, int frames, bool fade) noexcept {
  // The output is silent, then rises: the first callbacks may go out before the
  // sound server has connected the ports, and what is heard would otherwise begin
  // part way up, with a step.
  for (int i = 0; i < frames && risen_ < leadFrames_ + riseFrames_; ++i, ++risen_) {
    const float gain = spwrender::RaisedCosine(double(std::max<int64_t>(0, risen_ - leadFrames_)) / double(riseFrames_));
    left[i] *= gain;
    right[i] *= gain;
  }
  if (fadeLeft_ < 0) {
    if (!fade) return false;
    fadeLeft_ = fadeFrames_;
  }
  fadeLeft_ = spwrender::ApplyFadeOut(left, right, frames, fadeLeft_, fadeFrames_);
  return fadeLeft_ == 0;
}

}  // namespace spwplay
