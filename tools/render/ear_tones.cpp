#include "ear_tones.h"

#include <algorithm>
#include <cmath>

#include "fft.h"

namespace spwrender {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kLowestHz = 5.0;            // below: the window's own leakage of any offset
constexpr double kNeighbourhoodBins = 3.0;   // a peak is the largest within this many unpadded bins
constexpr double kSilentAmplitude = 1e-5;    // -100 dBFS
constexpr size_t kMostTonesPerEar = 24;      // twelve slots, and as many fading out
constexpr double kPairingReach = 0.2;        // of the left tone's frequency
// How far an overtone may lie from the multiple of its fundamental, in Hz, and as
// a share of the fundamental's beat (a tone an octave up with the same beat lies
// a whole beat away from the multiple).
constexpr double kOvertoneReachHz = 0.1;
constexpr double kOvertoneReachOfBeat = 0.25;

// Squared sine amplitudes of bins 0 .. size/2: a square root for every bin would
// cost more than the transform, and only the peaks need one.
using Spectrum = std::vector<double>;

// The log of a bin's amplitude.
double LogAmplitude(double power) { return 0.5 * std::log(std::max(power, 1e-300)); }

// The peak at bin k, between its neighbours on a log scale (a Gaussian through three bins).
Tone Interpolate(const Spectrum& spectrum, size_t k, double hzPerBin) {
  const double a = LogAmplitude(spectrum[k - 1]), b = LogAmplitude(spectrum[k]), c = LogAmplitude(spectrum[k + 1]);
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
  if (spectrum.size() < 3) return {};
  const size_t size = (spectrum.size() - 1) * 2;
  const double hzPerBin = rate / double(size);
  const size_t reach = size_t(std::ceil(kNeighbourhoodBins * double(size) / double(count)));
  const double strongest = std::sqrt(*std::max_element(spectrum.begin(), spectrum.end()));
  const double floorAmplitude = std::max(kSilentAmplitude, strongest * std::pow(10.0, -kToneRangeDb / 20.0));
  const double floor = floorAmplitude * floorAmplitude;
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

bool IsOvertone(const BinauralPair& p, const BinauralPair& q) {
  if (q.leftHz <= 0.0) return false;
  const double k = std::round(p.leftHz / q.leftHz);
  const double reach = std::max(kOvertoneReachHz, kOvertoneReachOfBeat * std::fabs(q.rightHz - q.leftHz));
  return k >= 2.0 && std::fabs(p.leftHz - k * q.leftHz) <= reach && std::fabs(p.rightHz - k * q.rightHz) <= reach;
}

void DropTone(std::vector<Tone>* tones, double hz) {
  tones->erase(std::remove_if(tones->begin(), tones->end(), [hz](const Tone& t) { return t.hz == hz; }),
               tones->end());
}

}  // namespace

EarToneMeter::EarToneMeter(size_t count, double rate)
    : count_(std::max<size_t>(2, count)),
      rate_(rate),
      window_(count_),
      spectrum_(count_),
      windowedLeft_(count_),
      windowedRight_(count_) {
  for (size_t i = 0; i < count_; ++i) {
    window_[i] = 0.5 - 0.5 * std::cos(2.0 * kPi * double(i) / double(count_));
    windowSum_ += window_[i];
  }
}

EarTones EarToneMeter::Measure(const float* left, const float* right) const {
  for (size_t i = 0; i < count_; ++i) {
    windowedLeft_[i] = float(window_[i] * left[i]);
    windowedRight_[i] = float(window_[i] * right[i]);
  }
  spectrum_.Powers(windowedLeft_.data(), windowedRight_.data(), &leftSpectrum_, &rightSpectrum_);
  // A sine of amplitude A gives a bin of A * windowSum / 2.
  const double scale = (2.0 / windowSum_) * (2.0 / windowSum_);
  for (double& bin : leftSpectrum_) bin *= scale;
  for (double& bin : rightSpectrum_) bin *= scale;
  return {Peaks(leftSpectrum_, count_, rate_), Peaks(rightSpectrum_, count_, rate_)};
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

void DropOvertones(EarTones* tones, std::vector<BinauralPair>* pairs) {
  std::vector<BinauralPair> kept;
  for (const BinauralPair& p : *pairs) {
    const bool overtone =
        std::any_of(pairs->begin(), pairs->end(), [&p](const BinauralPair& q) { return IsOvertone(p, q); });
    if (!overtone) {
      kept.push_back(p);
      continue;
    }
    DropTone(&tones->left, p.leftHz);
    DropTone(&tones->right, p.rightHz);
  }
  *pairs = std::move(kept);
}

}  // namespace spwrender
