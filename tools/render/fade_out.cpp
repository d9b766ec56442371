#include "fade_out.h"

#include <algorithm>
#include <cmath>

namespace spwrender {

float RaisedCosine(double x) noexcept { return static_cast<float>(0.5 - 0.5 * std::cos(x * 3.14159265358979323846)); }

int64_t FadeOutFrames(int rate) noexcept { return std::max<int64_t>(1, std::llround(kFadeOutSeconds * rate)); }

int64_t ApplyFadeOut(float* left, float* right, int frames, int64_t framesLeft, int64_t fadeFrames) noexcept {
  for (int i = 0; i < frames; ++i) {
    const float gain = RaisedCosine(double(std::max<int64_t>(0, framesLeft)) / double(fadeFrames));
    left[i] *= gain;
    right[i] *= gain;
    if (framesLeft > 0) --framesLeft;
  }
  return framesLeft;
}

}  // namespace spwrender
