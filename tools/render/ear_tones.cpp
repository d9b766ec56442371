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
// Twelve slots, as many fading out, and the strongest overtones of a wave that is
// not a sine, which are found and left out afterwards.
constexpr size_t kMostTonesPerEar = 64;
constexpr double kPairingReach = 0.2;        // of the left tone's frequency
// How far an overtone may lie from the multiple of its base in its own ear: in Hz,
// and as a share of its frequency (overtones of two tones that merge, a glide).
constexpr double kOvertoneReachHz = 0.3;
constexpr double kOvertoneReachShare = 0.003;
// A tone's own partner in the other ear beats as its base does, to within this,
// and at most half the way to where an overtone's partner would lie (in a dense
// spectrum of overtones some tone lies near anywhere), but at least the floor.
constexpr double kOwnPartnerReachHz = 0.3, kOwnPartnerFloorHz = 0.05;
constexpr double kNoBeatHz = 0.05;
constexpr int kFoldsSought = 3;
// Overtone k of every wave shape is weaker than these shares of its fundamental
// (a saw's and a square's fall as 1 / k, the smooth shapes' faster), with room for
// the overtones of two tones that merge.
constexpr double kOvertoneLoudest = 0.8, kOvertoneFalloff = 2.5;

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

BinauralPair Paired(const Tone& left, const Tone& right) {
  return {left.hz, right.hz, std::min(left.amplitude, right.amplitude)};
}

// Where a tone of an ear stands in the harmonic series of a lower tone of the same
// ear: base -1 when no lower tone explains it.
struct Multiple {
  int base = -1;
  double k = 0.0;
};

// How far a merged or gliding overtone may lie from the multiple of its base.
double EarReach(double hz) { return std::max(kOvertoneReachHz, kOvertoneReachShare * hz); }

// The harmonic k of hz as sampled at rate: above half the rate it folds back.
double Folded(double k, double hz, double rate) {
  const double at = k * hz;
  return std::fabs(at - rate * std::round(at / rate));
}

// The harmonic of base that lands on tone, directly or folded back from up to
// kFoldsSought multiples of the rate (a wave with corners is not band-limited), and
// no louder than such a harmonic can be; 0 when none does.
double HarmonicAt(const Tone& tone, const Tone& base, double rate) {
  const double reach = EarReach(tone.hz);
  for (int m = 0; m <= kFoldsSought; ++m) {
    for (double sign : {-1.0, 1.0}) {
      const double k = std::round((m * rate + sign * tone.hz) / base.hz);
      if (k >= 2.0 && tone.amplitude <= base.amplitude * std::min(kOvertoneLoudest, kOvertoneFalloff / k) &&
          std::fabs(Folded(k, base.hz, rate) - tone.hz) <= reach) {
        return k;
      }
    }
  }
  return 0.0;
}

// Every tone at about a harmonic (2 or more) of a louder tone of its ear that is
// no overtone itself: the candidates for overtones, each of the lowest base that
// explains it. Louder tones are decided first.
std::vector<Multiple> Multiples(const std::vector<Tone>& tones, double rate) {
  std::vector<size_t> loudestFirst(tones.size());
  for (size_t i = 0; i < tones.size(); ++i) loudestFirst[i] = i;
  std::stable_sort(loudestFirst.begin(), loudestFirst.end(),
                   [&tones](size_t a, size_t b) { return tones[a].amplitude > tones[b].amplitude; });
  std::vector<Multiple> multiples(tones.size());
  std::vector<bool> decided(tones.size(), false);
  for (size_t i : loudestFirst) {
    for (size_t j = 0; j < tones.size(); ++j) {
      if (!decided[j] || multiples[j].base >= 0) continue;
      const double k = HarmonicAt(tones[i], tones[j], rate);
      if (k > 0.0) {
        multiples[i] = {int(j), k};
        break;
      }
    }
    decided[i] = true;
  }
  return multiples;
}

std::vector<Tone> Unexplained(const std::vector<Tone>& tones, const std::vector<Multiple>& multiples) {
  std::vector<Tone> kept;
  for (size_t i = 0; i < tones.size(); ++i) {
    if (multiples[i].base < 0) kept.push_back(tones[i]);
  }
  return kept;
}

// The partner of the tone at hz among pairs, in the other ear; false when unpaired.
bool PartnerOf(const std::vector<BinauralPair>& pairs, double hz, bool left, double* partner) {
  for (const BinauralPair& p : pairs) {
    if ((left ? p.leftHz : p.rightHz) == hz) {
      *partner = left ? p.rightHz : p.leftHz;
      return true;
    }
  }
  return false;
}

// Whether a tone that no louder tone of its ear explains lies within reach of hz.
bool HasOwnToneNear(const std::vector<Tone>& tones, const std::vector<Multiple>& multiples, double hz, double reach) {
  for (size_t i = 0; i < tones.size(); ++i) {
    if (multiples[i].base < 0 && std::fabs(tones[i].hz - hz) <= reach) return true;
  }
  return false;
}

// The tones of one ear that are overtones: each candidate whose base is paired,
// unless the other ear holds its own partner, at the base's beat from it (an
// overtone's partner lies at the multiple of the beat, (k - 1) beats further) and
// itself no overtone's candidate. With no beat at all the two cannot be told apart,
// and the candidate is an overtone.
std::vector<bool> Overtones(const std::vector<Tone>& ear, const std::vector<Multiple>& multiples,
                            const std::vector<Tone>& other, const std::vector<Multiple>& otherMultiples,
                            const std::vector<BinauralPair>& pairs, bool left) {
  std::vector<bool> overtone(ear.size(), false);
  for (size_t i = 0; i < ear.size(); ++i) {
    const Multiple& m = multiples[i];
    double partner = 0.0;
    if (m.base < 0 || !PartnerOf(pairs, ear[size_t(m.base)].hz, left, &partner)) continue;
    const double beat = partner - ear[size_t(m.base)].hz;
    const double reach = std::max(kOwnPartnerFloorHz, std::min(kOwnPartnerReachHz, 0.5 * (m.k - 1.0) * std::fabs(beat)));
    overtone[i] = std::fabs(beat) < kNoBeatHz || !HasOwnToneNear(other, otherMultiples, ear[i].hz + beat, reach);
  }
  return overtone;
}

void DropMarked(std::vector<Tone>* tones, const std::vector<bool>& marked) {
  std::vector<Tone> kept;
  for (size_t i = 0; i < tones->size(); ++i) {
    if (!marked[i]) kept.push_back((*tones)[i]);
  }
  *tones = std::move(kept);
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
    for (size_t i = 0; i < tones.left.size(); ++i) pairs.push_back(Paired(tones.left[i], tones.right[i]));
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
    pairs.push_back(Paired(left, tones.right[best]));
  }
  return pairs;
}

std::vector<BinauralPair> PairFundamentals(EarTones* tones, double rate) {
  const std::vector<Multiple> left = Multiples(tones->left, rate), right = Multiples(tones->right, rate);
  const std::vector<BinauralPair> fundamentals =
      PairEars({Unexplained(tones->left, left), Unexplained(tones->right, right)});
  const std::vector<bool> leftOvertones = Overtones(tones->left, left, tones->right, right, fundamentals, true);
  const std::vector<bool> rightOvertones = Overtones(tones->right, right, tones->left, left, fundamentals, false);
  DropMarked(&tones->left, leftOvertones);
  DropMarked(&tones->right, rightOvertones);
  return PairEars(*tones);
}

}  // namespace spwrender
