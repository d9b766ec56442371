#include "stereo_frames.h"

#include <cmath>

namespace spwrender {

void InterleaveStereo(const float* left, const float* right, int frames, std::vector<float>* out, double* peak) {
  out->resize(size_t(frames) * 2);
  for (int i = 0; i < frames; ++i) {
    (*out)[size_t(2 * i)] = left[i];
    (*out)[size_t(2 * i + 1)] = right[i];
    *peak = std::fmax(*peak, std::fmax(std::fabs(left[i]), std::fabs(right[i])));
  }
}

}  // namespace spwrender
