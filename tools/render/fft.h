#pragma once
// The amplitude spectra of the two channels of a stretch of stereo audio, for
// measuring the tones of rendered audio, with zeros appended up to a power of two.
// Linux builds transform with FFTW (two real-input transforms in one plan); the
// Windows build with the project's own radix-2 transform (both channels in one
// complex transform).

#include <cstddef>
#include <memory>
#include <vector>

namespace spwrender {

class StereoSpectrum {
 public:
  // For count samples per channel (at least 2).
  explicit StereoSpectrum(size_t count);
  ~StereoSpectrum();
  StereoSpectrum(const StereoSpectrum&) = delete;
  StereoSpectrum& operator=(const StereoSpectrum&) = delete;

  // The transform's length: PowerOfTwoAtLeast(count).
  size_t Size() const;
  // The squared magnitudes of bins 0 .. Size()/2 of left and right (count samples
  // each, windowed already): forward, unscaled, so that a bin holds the sum over the
  // samples.
  void Powers(const float* left, const float* right, std::vector<double>* leftOut,
                  std::vector<double>* rightOut);

 private:
  struct Transform;
  std::unique_ptr<Transform> transform_;
};

// The smallest power of two that is at least n, and at least 2.
inline size_t PowerOfTwoAtLeast(size_t n) {
  size_t power = 2;
  while (power < n) power <<= 1;
  return power;
}

}  // namespace spwrender
