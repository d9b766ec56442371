#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "fft.h"

namespace spwrender {

// Both channels in one plan of two real-input transforms, over buffers of FFTW's
// own alignment; in single precision, as the audio is, which keeps a tone within
// a fiftieth of a bin and costs half the time.
struct StereoSpectrum::Transform {
  size_t count = 0, size = 0;
  float* input = nullptr;         // left then right, size each
  fftwf_complex* output = nullptr;  // size/2 + 1 bins each
  fftwf_plan plan = nullptr;
};

StereoSpectrum::StereoSpectrum(size_t count) : transform_(new Transform) {
  Transform& t = *transform_;
  t.count = std::max<size_t>(2, count);
  // Zeros up to a power of two: the finer bins keep the peak interpolation within
  // a fiftieth of a bin, and both builds measure alike.
  t.size = PowerOfTwoAtLeast(t.count);
  const size_t bins = t.size / 2 + 1;
  t.input = fftwf_alloc_real(2 * t.size);
  t.output = fftwf_alloc_complex(2 * bins);
  std::fill(t.input, t.input + 2 * t.size, 0.0f);
  const int n = int(t.size);
  // FFTW_ESTIMATE: planning by measurement would cost more than the transforms save.
  t.plan = fftwf_plan_many_dft_r2c(1, &n, 2, t.input, nullptr, 1, n, t.output, nullptr, 1, int(bins), FFTW_ESTIMATE);
}

StereoSpectrum::~StereoSpectrum() {
  fftwf_destroy_plan(transform_->plan);
  fftwf_free(transform_->output);
  fftwf_free(transform_->input);
}

size_t StereoSpectrum::Size() const { return transform_->size; }

void StereoSpectrum::Powers(const float* left, const float* right, std::vector<double>* leftOut,
                                std::vector<double>* rightOut) {
  Transform& t = *transform_;
  // The planner's transforms may overwrite nothing but the output: the zeros stay.
  std::memcpy(t.input, left, t.count * sizeof(float));
  std::memcpy(t.input + t.size, right, t.count * sizeof(float));
  fftwf_execute(t.plan);
  const size_t bins = t.size / 2 + 1;
  leftOut->resize(bins);
  rightOut->resize(bins);
  for (size_t k = 0; k < bins; ++k) {
    const fftwf_complex& a = t.output[k];
    const fftwf_complex& b = t.output[bins + k];
    (*leftOut)[k] = double(a[0]) * a[0] + double(a[1]) * a[1];
    (*rightOut)[k] = double(b[0]) * b[0] + double(b[1]) * b[1];
  }
}

}  // namespace spwrender
