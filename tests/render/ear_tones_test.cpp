// Measuring each ear's tones from audio alone, for the picture of a session: sums
// of sines whose frequencies and levels are known, found again from one second.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ear_tones.h"

namespace spwrender {
namespace {

struct Sine {
  double hz, amplitude;
};

std::vector<float> Sum(const std::vector<Sine>& sines, double rate, size_t count) {
  std::vector<float> x(count);
  for (size_t i = 0; i < count; ++i) {
    double v = 0.0;
    for (size_t s = 0; s < sines.size(); ++s) {
      v += sines[s].amplitude * std::sin(2.0 * 3.14159265358979323846 * sines[s].hz * double(i) / rate + double(s));
    }
    x[i] = float(v);
  }
  return x;
}

void ExpectTones(const std::vector<Tone>& found, const std::vector<Sine>& expected, const char* ear, int row) {
  ASSERT_EQ(found.size(), expected.size()) << ear << " ear, case " << row;
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(found[i].hz, expected[i].hz, 0.02) << ear << " ear, case " << row;
    // Within half a decibel: enough to tell strong tones from weak ones.
    EXPECT_NEAR(found[i].amplitude, expected[i].amplitude, 0.06 * expected[i].amplitude) << ear << ", case " << row;
  }
}

TEST(EarTones, FindsEveryToneOfEachEarAndPairsThem) {
  struct Case {
    double rate;
    std::vector<Sine> left, right;
    std::vector<Sine> quiet;   // added to the left ear below the measured range: not reported
  };
  const Case cases[] = {
      {8000, {{200.0, 0.5}}, {{207.5, 0.5}}, {}},
      // "C Major style" with a 6.25 Hz beat: seven tones, levels falling 3 dB an octave.
      {8000,
       {{176.0, 0.4}, {197.55, 0.38}, {209.3, 0.37}, {234.93, 0.35}, {263.7, 0.33}, {279.38, 0.32}, {313.6, 0.3}},
       {{182.25, 0.4}, {203.8, 0.38}, {215.55, 0.37}, {241.18, 0.35}, {269.95, 0.33}, {285.63, 0.32}, {319.85, 0.3}},
       {{1500.0, 0.002}}},
      // Twelve tones over ten octaves at 48 kHz, 30 dB apart at the extremes, centred beats of 0.5 Hz.
      {48000,
       {{24.75, 0.6}, {49.75, 0.5}, {99.75, 0.4}, {199.75, 0.3}, {399.75, 0.25}, {799.75, 0.2}, {1599.75, 0.15},
        {2399.75, 0.1}, {3199.75, 0.08}, {6399.75, 0.05}, {12799.75, 0.03}, {15999.75, 0.02}},
       {{25.25, 0.6}, {50.25, 0.5}, {100.25, 0.4}, {200.25, 0.3}, {400.25, 0.25}, {800.25, 0.2}, {1600.25, 0.15},
        {2400.25, 0.1}, {3200.25, 0.08}, {6400.25, 0.05}, {12800.25, 0.03}, {16000.25, 0.02}},
       {{9000.0, 0.004}}},
  };
  int row = 0;
  for (const Case& c : cases) {
    const size_t count = size_t(c.rate);
    std::vector<Sine> left = c.left;
    left.insert(left.end(), c.quiet.begin(), c.quiet.end());
    const std::vector<float> l = Sum(left, c.rate, count), r = Sum(c.right, c.rate, count);
    const EarTones tones = EarToneMeter(count, c.rate).Measure(l.data(), r.data());
    ExpectTones(tones.left, c.left, "left", row);
    ExpectTones(tones.right, c.right, "right", row);
    const std::vector<BinauralPair> pairs = PairEars(tones);
    ASSERT_EQ(pairs.size(), c.left.size()) << row;
    for (size_t i = 0; i < pairs.size(); ++i) {
      EXPECT_NEAR(pairs[i].rightHz - pairs[i].leftHz, c.right[i].hz - c.left[i].hz, 0.03) << row;
    }
    ++row;
  }
}

TEST(EarTones, PairsUnevenEarsByNearnessAndHearsNothingInSilence) {
  constexpr double kRate = 8000;
  const std::vector<float> l = Sum({{150.0, 0.3}, {300.0, 0.3}, {600.0, 0.3}}, kRate, 8000);
  const std::vector<float> r = Sum({{296.0, 0.3}, {156.0, 0.3}}, kRate, 8000);
  const EarToneMeter meter(8000, kRate);
  const std::vector<BinauralPair> pairs = PairEars(meter.Measure(l.data(), r.data()));
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_NEAR(pairs[0].rightHz - pairs[0].leftHz, 6.0, 0.03);
  EXPECT_NEAR(pairs[1].rightHz - pairs[1].leftHz, -4.0, 0.03);

  const std::vector<float> silence(8000, 0.0f);
  const EarTones none = meter.Measure(silence.data(), silence.data());
  EXPECT_TRUE(none.left.empty());
  EXPECT_TRUE(none.right.empty());
}

// A wave that is not a sine brings overtones, which beat at multiples of the beat;
// a second tone a fifth or two octaves up beats as the first and is kept.
TEST(EarTones, DropsOvertonesButNotTonesAtMultiples) {
  constexpr double kRate = 8000;
  const std::vector<float> l = Sum({{200.0, 0.5}, {400.0, 0.25}, {600.0, 0.17}, {300.0, 0.3}, {800.0, 0.2}}, kRate, 8000);
  const std::vector<float> r = Sum({{210.0, 0.5}, {420.0, 0.25}, {630.0, 0.17}, {310.0, 0.3}, {810.0, 0.2}}, kRate, 8000);
  EarTones tones = EarToneMeter(8000, kRate).Measure(l.data(), r.data());
  const std::vector<BinauralPair> pairs = PairFundamentals(&tones, kRate);
  const double kept[][2] = {{200.0, 210.0}, {300.0, 310.0}, {800.0, 810.0}};
  ASSERT_EQ(pairs.size(), std::size(kept));
  ASSERT_EQ(tones.left.size(), std::size(kept));
  ASSERT_EQ(tones.right.size(), std::size(kept));
  for (size_t i = 0; i < std::size(kept); ++i) {
    EXPECT_NEAR(pairs[i].leftHz, kept[i][0], 0.02);
    EXPECT_NEAR(pairs[i].rightHz, kept[i][1], 0.02);
    EXPECT_NEAR(tones.left[i].hz, kept[i][0], 0.02);
    EXPECT_NEAR(tones.right[i].hz, kept[i][1], 0.02);
  }
}

}  // namespace
}  // namespace spwrender
