// The output limiter: nothing leaves it above -1 dBFS, a steady loud tone gets a
// steady gain (no distortion), and a signal below the ceiling passes untouched.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "level.h"
#include "peak_limiter.h"

namespace spwplay {
namespace {

constexpr double kRate = 48000.0;
constexpr double kPi = 3.14159265358979323846;
constexpr int kBlock = 256;

struct Stereo {
  std::vector<float> left, right;
};

// amplitude(t) * sin(2 pi f t) in the left ear, a 10 Hz higher tone in the right.
template <typename Amplitude>
Stereo Tones(double hz, double seconds, Amplitude amplitude) {
  Stereo s;
  const size_t n = size_t(seconds * kRate);
  for (size_t i = 0; i < n; ++i) {
    const double t = double(i) / kRate;
    s.left.push_back(float(amplitude(t) * std::sin(2 * kPi * hz * t)));
    s.right.push_back(float(amplitude(t) * std::sin(2 * kPi * (hz + 10.0) * t)));
  }
  return s;
}

Stereo Limited(Stereo s) {
  PeakLimiter limiter;
  limiter.Prepare(kRate);
  for (size_t at = 0; at < s.left.size(); at += kBlock) {
    const int n = int(std::min<size_t>(kBlock, s.left.size() - at));
    limiter.Process(&s.left[at], &s.right[at], n);
  }
  return s;
}

float Peak(const Stereo& s, size_t from = 0) { return ::Peak(s.left, s.right, from); }

TEST(PeakLimiter, NothingLeavesAboveTheCeiling) {
  struct Case {
    const char* what;
    double hz;
    double (*amplitude)(double t);
  };
  const Case cases[] = {
      {"a steady tone at +3.8 dBFS", 220.0, [](double) { return 1.55; }},
      {"a low boosted tone at +18 dBFS", 30.0, [](double) { return 7.9; }},
      {"a jump from quiet to +18 dBFS", 440.0, [](double t) { return t < 0.5 ? 0.1 : 7.9; }},
      {"a level rising and falling past full scale", 150.0, [](double t) { return 2.0 * std::fabs(std::sin(t)); }},
  };
  for (const Case& c : cases) {
    const Stereo out = Limited(Tones(c.hz, 2.0, c.amplitude));
    EXPECT_LE(Peak(out), PeakLimiter::Ceiling()) << c.what;
    EXPECT_GT(Peak(out), PeakLimiter::Ceiling() * 0.9f) << c.what << ": limited, not silenced";
  }
}

TEST(PeakLimiter, SteadyLoudToneGetsASteadyGain) {
  // After the limiter has settled, every cycle of a steady +6 dBFS tone peaks at the
  // same level: the gain does not ride the waveform, which would distort it.
  const Stereo out = Limited(Tones(100.0, 3.0, [](double) { return 2.0; }));
  const size_t cycle = size_t(kRate / 100.0);
  float lowest = 10.0f, highest = 0.0f;
  for (size_t start = size_t(kRate); start + cycle <= out.left.size(); start += cycle) {
    const float peak = ::Peak(out.left, start, cycle);
    lowest = std::min(lowest, peak);
    highest = std::max(highest, peak);
  }
  EXPECT_LE(highest, PeakLimiter::Ceiling());
  EXPECT_LT(highest / lowest, 1.01f) << "cycle peaks from " << lowest << " to " << highest;
}

TEST(PeakLimiter, QuietSignalPassesBitForBitOnlyDelayed) {
  // The loudest a programme plays below the ceiling, with a level that moves.
  const Stereo in = Tones(313.6, 1.0, [](double t) { return 0.85 * (0.6 + 0.4 * std::sin(3.0 * t)); });
  const Stereo out = Limited(in);
  PeakLimiter probe;
  probe.Prepare(kRate);
  const size_t delay = size_t(probe.Latency());
  ASSERT_GT(delay, 0u);
  for (size_t i = delay; i < in.left.size(); ++i) {
    ASSERT_EQ(out.left[i], in.left[i - delay]) << "sample " << i;
    ASSERT_EQ(out.right[i], in.right[i - delay]) << "sample " << i;
  }
}

TEST(PeakLimiter, SaysWhenItLowersTheLevel) {
  PeakLimiter limiter;
  limiter.Prepare(kRate);
  Stereo quiet = Tones(200.0, 0.1, [](double) { return 0.5; });
  limiter.Process(quiet.left.data(), quiet.right.data(), int(quiet.left.size()));
  EXPECT_EQ(limiter.TakeLowestGain(), 1.0f);
  Stereo loud = Tones(200.0, 0.1, [](double) { return 1.8; });
  limiter.Process(loud.left.data(), loud.right.data(), int(loud.left.size()));
  EXPECT_NEAR(20.0 * std::log10(limiter.TakeLowestGain()), -1.0 - 20.0 * std::log10(1.8), 0.2);
  EXPECT_EQ(limiter.TakeLowestGain(), 1.0f) << "taken, then reset";
}

}  // namespace
}  // namespace spwplay
