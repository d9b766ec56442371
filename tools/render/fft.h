#pragma once
// The discrete Fourier transform of a power-of-two number of complex samples, for
// measuring the tones of rendered audio.

#include <complex>
#include <vector>

namespace spwrender {

class FourierTransform {
 public:
  // For size samples; size must be a power of two.
  explicit FourierTransform(size_t size);

  // Transforms data (size samples) in place: forward, unscaled, so that a bin holds
  // the sum over the samples.
  void Forward(std::vector<std::complex<double>>& data) const;
  size_t Size() const { return cosines_.size() * 2; }

 private:
  std::vector<double> cosines_, sines_;  // the twiddle factors of the largest stage
};

// The smallest power of two that is at least n (1 for n <= 1).
size_t PowerOfTwoAtLeast(size_t n);

}  // namespace spwrender
