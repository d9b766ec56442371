#include "ear_tones.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "fft.h"

namespace spwrender {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kLowestHz = 5.0;            // below: the window's own leakage of any offset
constexpr double kNeighbourhoodBins = 3.0;   // a peak is the largest within this many unpadded bins
constexpr double kSilentAmplitude = 1e-5;    // -100 dBFS
constexpr size_t kMostTonesPerEar = 24;      // twelve slots, and as many fading out
constexpr double kPairingReach = 0.2;        // of the left tone's frequency

using Spectrum = std::vector<double>;  // sine amplitudes of bins 0 .. size/2

// Both channels' amplitude spectra from one complex transform: left as the real
// part, right as the imaginary part.
void Spectra(const float* left, const float* right, size_t count, std::vector<double>* leftOut,
             std::vector<double>* rightOut) {
  const size_t size = PowerOfTwoAtLeast(count);
  std::vector<std::complex<double>> z(size);
  double windowSum = 0.0;
  for (size_t i = 0; i < count; ++i) {
    const double w = 0.5 - 0.5 * std::cos(2.0 * kPi * double(i) / double(count));
    z[i] = {w * left[i], w * right[i]};
    windowSum += w;
  }
  Fft(z);
  // A sine of amplitude A gives a bin of A * windowSum / 2.
  const double scale = windowSum > 0.0 ? 2.0 / windowSum : 0.0;
  leftOut->assign(size / 2 + 1, 0.0);
  rightOut->assign(size / 2 + 1, 0.0);
  for (size_t k = 0; k <= size / 2; ++k) {
    const std::complex<double> a = z[k], b = std::conj(z[(size - k) % size]);
    (*leftOut)[k] = std::abs(a + b) * 0.5 * scale;
    (*rightOut)[k] = std::abs(a - b) * 0.5 * scale;
  }
}

// The peak at bin k, between its neighbours on a log scale (a Gaussian through three bins).
Tone Interpolate(const Spectrum& spectrum, size_t k, double hzPerBin) {
  const double a = std::log(std::max(spectrum[k - 1], 1e-300)), b = std::log(spectrum[k]),
               c = std::log(std::max(spectrum[k + 1], 1e-300));
  const double curve = a - 2.0 * b + c;
  const double offset = curve < 0.0 ? 0.5 * (a - c) / curve : 0.0;
  return {(double(k) + offset) * hzPerBin, std::exp(b - 0.25 * (a - c) * offset)};
}

bool StandsOut(const Spectrum& spectrum, size_t k, size_t reach) {
  if (!(spectrum[k] > spectrum[k - 1] && spectrum[k] >= spectrum[k + 1])) return false;
  const size_t first = k > reach ? k - reach : 0, last = std::min(spectrum.size() - 1, k + reach);
  for (size_t i = first; i <= last; ++i) {
    if (spectrum[i] > spectrum[k]) return false;
  }
  return true;
}

std::vector<Tone> Peaks(const Spectrum& spectrum, size_t count, double rate) {
  const size_t size = (spectrum.size() - 1) * 2;
  const double hzPerBin = rate / double(size);
  const size_t reach = size_t(std::ceil(kNeighbourhoodBins * double(size) / double(count)));
  const double strongest = *std::max_element(spectrum.begin(), spectrum.end());
  const double floor = std::max(kSilentAmplitude, strongest * std::pow(10.0, -kToneRangeDb / 20.0));
  std::vector<Tone> tones;
  for (size_t k = std::max<size_t>(1, size_t(kLowestHz / hzPerBin)); k + 1 < spectrum.size(); ++k) {
    if (spectrum[k] >= floor && StandsOut(spectrum, k, reach)) tones.push_back(Interpolate(spectrum, k, hzPerBin));
  }
  if (tones.size() > kMostTonesPerEar) {
    std::nth_element(tones.begin(), tones.begin() + kMostTonesPerEar, tones.end(),
                     [](const Tone& x, const Tone& y) { return x.amplitude > y.amplitude; });
    tones.resize(kMostTonesPerEar);
    std::sort(tones.begin(), tones.end(), [](const Tone& x, const Tone& y) { return x.hz < y.hz; });
  }
  return tones;
}

}  // namespace

EarTones MeasureEarTones(const float* left, const float* right, size_t count, double rate) {
  EarTones tones;
  if (count < 2) return tones;
  Spectrum leftSpectrum, rightSpectrum;
  Spectra(left, right, count, &leftSpectrum, &rightSpectrum);
  tones.left = Peaks(leftSpectrum, count, rate);
  tones.right = Peaks(rightSpectrum, count, rate);
  return tones;
}

std::vector<BinauralPair> PairEars(const EarTones& tones) {
  std::vector<BinauralPair> pairs;
  if (tones.left.size() == tones.right.size()) {
    for (size_t i = 0; i < tones.left.size(); ++i) pairs.push_back({tones.left[i].hz, tones.right[i].hz});
    return pairs;
  }
  std::vector<bool> used(tones.right.size(), false);
  for (const Tone& left : tones.left) {
    size_t best = tones.right.size();
    for (size_t i = 0; i < tones.right.size(); ++i) {
      const double distance = std::fabs(tones.right[i].hz - left.hz);
      if (!used[i] && distance <= kPairingReach * left.hz &&
          (best == tones.right.size() || distance < std::fabs(tones.right[best].hz - left.hz))) {
        best = i;
      }
    }
    if (best == tones.right.size()) continue;
    used[best] = true;
    pairs.push_back({left.hz, tones.right[best].hz});
  }
  return pairs;
}

}  // namespace spwrender
