// The output limiter: nothing leaves it above -1 dBFS, a steady loud tone gets a
// steady gain (no distortion), the gain glides, and a signal below the ceiling
// passes untouched. A chord's steady gain is tested on the plug-in's own
// "C Major style" (player_engine_test.cpp).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "level.h"
#include "spectrum.h"
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

TEST(PeakLimiter, SteadyLoudToneComesOutWithoutNewHarmonics) {
  // A gain that rides the waveform (a clipper, or a release within a cycle)
  // adds overtones; a steady gain adds none.
  struct Case {
    const char* what;
    double hz;
    double amplitude;
  };
  const Case cases[] = {
      {"441 Hz at +6 dBFS", 441.0, 2.0},
      {"100 Hz at +3.8 dBFS", 100.0, 1.55},
      {"a boosted 30 Hz at +18 dBFS", 30.0, 7.9},
  };
  for (const Case& c : cases) {
    const Stereo out = Limited(Tones(c.hz, 3.0, [&c](double) { return c.amplitude; }));
    // The last two seconds, whole cycles of both ears' tones on exact bins.
    const std::vector<double> settled =
        HannWindowed(std::vector<double>(out.left.end() - std::ptrdiff_t(2 * kRate), out.left.end()));
    const double fundamental = ToneMagnitude(settled, c.hz, kRate);
    EXPECT_GT(fundamental, 0.2) << c.what;
    for (int harmonic = 2; harmonic <= 9; ++harmonic) {
      const double db = 20.0 * std::log10(ToneMagnitude(settled, c.hz * harmonic, kRate) / fundamental);
      EXPECT_LT(db, -80.0) << c.what << ": harmonic " << harmonic;
    }
  }
}

TEST(PeakLimiter, GainMovesSmoothly) {
  // A jump from quiet to +18 dBFS: the gain (output over the input it delays)
  // glides down before the loud part arrives, never stepping from one sample to the next.
  const Stereo in = Tones(440.0, 1.0, [](double t) { return t < 0.5 ? 0.1 : 7.9; });
  const Stereo out = Limited(in);
  PeakLimiter probe;
  probe.Prepare(kRate);
  const size_t delay = size_t(probe.Latency());
  double lastGain = 1.0, largestStep = 0.0;  // per sample
  size_t last = delay;
  for (size_t i = delay; i < out.left.size(); ++i) {
    const float x = in.left[i - delay];
    if (std::fabs(x) < 0.05f) continue;  // too small to divide by
    const double gain = out.left[i] / x;
    largestStep = std::max(largestStep, std::fabs(gain - lastGain) / double(std::max<size_t>(1, i - last)));
    lastGain = gain;
    last = i;
  }
  EXPECT_LT(lastGain, 0.2) << "limited";
  EXPECT_LT(largestStep, 0.01);
}

TEST(PeakLimiter, QuietSignalPassesBitForBitOnlyDelayed) {
  // The loudest a programme plays below the ceiling, with a level that moves; and
  // the same once a loud stretch before it has left the limiter's memory.
  struct Case {
    const char* what;
    double loudSeconds;
    double seconds;
  };
  const Case cases[] = {
      {"quiet throughout", 0.0, 1.0},
      {"after two seconds at +6 dBFS", 2.0, 2.0 + PeakLimiter::kMemorySeconds + 3.0},
  };
  PeakLimiter probe;
  probe.Prepare(kRate);
  const size_t delay = size_t(probe.Latency());
  ASSERT_GT(delay, 0u);
  for (const Case& c : cases) {
    const Stereo in = Tones(313.6, c.seconds, [&c](double t) {
      return t < c.loudSeconds ? 2.0 : 0.85 * (0.6 + 0.4 * std::sin(3.0 * t));
    });
    const Stereo out = Limited(in);
    const size_t from = delay + size_t((c.loudSeconds > 0.0 ? c.seconds - 1.0 : 0.0) * kRate);
    for (size_t i = from; i < in.left.size(); ++i) {
      ASSERT_EQ(out.left[i], in.left[i - delay]) << c.what << ": sample " << i;
      ASSERT_EQ(out.right[i], in.right[i - delay]) << c.what << ": sample " << i;
    }
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
