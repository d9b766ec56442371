#pragma once
// The discrete Fourier transform of a power-of-two number of complex samples, for
// measuring the tones of rendered audio.

#include <complex>
#include <vector>

namespace spwrender {

// Transforms data in place (forward, unscaled: a bin holds the sum over the samples).
// data.size() must be a power of two.
void Fft(std::vector<std::complex<double>>& data);

// The smallest power of two that is at least n (1 for n <= 1).
size_t PowerOfTwoAtLeast(size_t n);

}  // namespace spwrender
