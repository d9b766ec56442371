#include <algorithm>
#include <cmath>
#include <complex>
#include <utility>

#include "fft.h"

namespace spwrender {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Puts every sample at its bit-reversed position, as the butterflies want them.
void BitReverse(std::vector<std::complex<double>>& data) {
  const size_t n = data.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(data[i], data[j]);
  }
}

}  // namespace

// The twiddle factors of the largest stage and the buffer of one transform.
struct StereoSpectrum::Transform {
  size_t count = 0;
  std::vector<double> cosines, sines;
  std::vector<std::complex<double>> data;

  void Forward() {
    BitReverse(data);
    const size_t n = data.size();
    // Multiplications spelled out: std::complex's operator* checks for infinities.
    double* z = reinterpret_cast<double*>(data.data());
    // A stage of length L uses every n/L-th twiddle factor.
    for (size_t length = 2; length <= n; length <<= 1) {
      const size_t half = length / 2, stride = n / length;
      for (size_t start = 0; start < n; start += length) {
        for (size_t k = 0; k < half; ++k) {
          const double c = cosines[k * stride], s = sines[k * stride];
          double* even = z + 2 * (start + k);
          double* odd = z + 2 * (start + k + half);
          const double re = odd[0] * c - odd[1] * s, im = odd[0] * s + odd[1] * c;
          odd[0] = even[0] - re;
          odd[1] = even[1] - im;
          even[0] += re;
          even[1] += im;
        }
      }
    }
  }
};

StereoSpectrum::StereoSpectrum(size_t count) : transform_(new Transform) {
  Transform& t = *transform_;
  t.count = std::max<size_t>(2, count);
  const size_t size = PowerOfTwoAtLeast(t.count);
  t.data.resize(size);
  t.cosines.resize(size / 2);
  t.sines.resize(size / 2);
  for (size_t k = 0; k < size / 2; ++k) {
    t.cosines[k] = std::cos(2.0 * kPi * double(k) / double(size));
    t.sines[k] = -std::sin(2.0 * kPi * double(k) / double(size));
  }
}

StereoSpectrum::~StereoSpectrum() = default;

size_t StereoSpectrum::Size() const { return transform_->data.size(); }

// Both channels from one complex transform: left as the real part, right as the
// imaginary part, separated by the transform's symmetry.
void StereoSpectrum::Powers(const float* left, const float* right, std::vector<double>* leftOut,
                                std::vector<double>* rightOut) {
  Transform& t = *transform_;
  const size_t size = t.data.size();
  std::fill(t.data.begin(), t.data.end(), std::complex<double>());
  for (size_t i = 0; i < t.count; ++i) t.data[i] = {left[i], right[i]};
  t.Forward();
  leftOut->resize(size / 2 + 1);
  rightOut->resize(size / 2 + 1);
  for (size_t k = 0; k <= size / 2; ++k) {
    const std::complex<double> a = t.data[k], b = std::conj(t.data[(size - k) % size]);
    (*leftOut)[k] = 0.25 * std::norm(a + b);
    (*rightOut)[k] = 0.25 * std::norm(a - b);
  }
}

}  // namespace spwrender
