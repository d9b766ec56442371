#pragma once
// The tones each ear hears in a stretch of rendered audio, measured from the audio
// alone, and how the two ears' tones pair into binaural beats.

#include <cstddef>
#include <vector>

#include "fft.h"

namespace spwrender {

struct Tone {
  double hz = 0.0;
  double amplitude = 0.0;  // of the sine, 1.0 = full scale
};

struct EarTones {
  std::vector<Tone> left, right;  // rising in frequency
};

// Measures stretches of a fixed length. A tone is a peak of the Hann-windowed
// spectrum that stands out of its neighbourhood, at most kToneRangeDb below the
// strongest of its channel and above 5 Hz, its frequency interpolated between bins
// (to about a fiftieth of a bin). Tones closer than about three cycles of the
// stretch merge.
class EarToneMeter {
 public:
  // count: frames per stretch (at least 2); rate in Hz.
  EarToneMeter(size_t count, double rate);
  EarTones Measure(const float* left, const float* right) const;

 private:
  size_t count_;
  double rate_;
  std::vector<double> window_;
  double windowSum_ = 0.0;
  // Scratch that every Measure reuses, so that a long session allocates nothing per moment.
  mutable StereoSpectrum spectrum_;
  mutable std::vector<float> windowedLeft_, windowedRight_;
  mutable std::vector<double> leftSpectrum_, rightSpectrum_;
};
constexpr double kToneRangeDb = 40.0;

struct BinauralPair {
  double leftHz = 0.0, rightHz = 0.0;
  double amplitude = 0.0;  // of the weaker tone
};

// The two ears' tones as pairs: in order when both ears hear as many tones, else
// each left tone with the nearest unpaired right tone within a fifth of its
// frequency. The beat of a pair is the difference of its frequencies.
std::vector<BinauralPair> PairEars(const EarTones& tones);

// The tones the plug-in plays, paired by ear: removes from tones the overtones of
// a wave that is not a sine (a tone at a whole multiple of a lower tone of its ear,
// whose partner in the other ear lies at the same multiple of the lower tone's
// partner: it beats at a multiple of the beat) and pairs what remains. A tone of
// its own at a multiple of another (an octave up on the harmonic grid) beats as the
// others do and stays.
std::vector<BinauralPair> PairFundamentals(EarTones* tones, double rate);

}  // namespace spwrender
