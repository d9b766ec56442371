#include "fft.h"

#include <algorithm>
#include <cmath>
#include <utility>

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

FourierTransform::FourierTransform(size_t size) : cosines_(std::max<size_t>(1, size / 2)), sines_(cosines_.size()) {
  for (size_t k = 0; k < cosines_.size(); ++k) {
    cosines_[k] = std::cos(2.0 * kPi * double(k) / double(size));
    sines_[k] = -std::sin(2.0 * kPi * double(k) / double(size));
  }
}

void FourierTransform::Forward(std::vector<std::complex<double>>& data) const {
  BitReverse(data);
  const size_t n = data.size();
  // Multiplications spelled out: std::complex's operator* checks for infinities.
  double* z = reinterpret_cast<double*>(data.data());
  // A stage of length L uses every n/L-th twiddle factor.
  for (size_t length = 2; length <= n; length <<= 1) {
    const size_t half = length / 2, stride = n / length;
    for (size_t start = 0; start < n; start += length) {
      for (size_t k = 0; k < half; ++k) {
        const double c = cosines_[k * stride], s = sines_[k * stride];
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

size_t PowerOfTwoAtLeast(size_t n) {
  size_t power = 1;
  while (power < n) power <<= 1;
  return power;
}

}  // namespace spwrender
