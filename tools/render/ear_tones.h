#pragma once
// The tones each ear hears in a stretch of rendered audio, measured from the audio
// alone, and how the two ears' tones pair into binaural beats.

#include <cstddef>
#include <vector>

namespace spwrender {

struct Tone {
  double hz = 0.0;
  double amplitude = 0.0;  // of the sine, 1.0 = full scale
};

struct EarTones {
  std::vector<Tone> left, right;  // rising in frequency
};

// The tones in count samples of each channel at rate Hz: the peaks of the
// Hann-windowed spectrum that stand out of their neighbourhood, at most kToneRangeDb
// below the strongest of their channel, above 5 Hz, their frequencies interpolated
// between bins. Tones closer than about three cycles of the stretch merge.
EarTones MeasureEarTones(const float* left, const float* right, size_t count, double rate);
constexpr double kToneRangeDb = 40.0;

struct BinauralPair {
  double leftHz = 0.0, rightHz = 0.0;
};

// The two ears' tones as pairs: in order when both ears hear as many tones, else
// each left tone with the nearest unpaired right tone within a fifth of its
// frequency. The beat of a pair is the difference of its frequencies.
std::vector<BinauralPair> PairEars(const EarTones& tones);

}  // namespace spwrender
