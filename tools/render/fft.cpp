#include "fft.h"

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

void Fft(std::vector<std::complex<double>>& data) {
  BitReverse(data);
  const size_t n = data.size();
  for (size_t length = 2; length <= n; length <<= 1) {
    const std::complex<double> step = std::polar(1.0, -2.0 * kPi / double(length));
    for (size_t start = 0; start < n; start += length) {
      std::complex<double> twiddle = 1.0;
      for (size_t k = 0; k < length / 2; ++k) {
        const std::complex<double> even = data[start + k];
        const std::complex<double> odd = data[start + k + length / 2] * twiddle;
        data[start + k] = even + odd;
        data[start + k + length / 2] = even - odd;
        twiddle *= step;
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
