// The picture of a session, drawn from known audio: each ear's tones, the beats and
// the level where the axes put them, and the programme changes marked.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "session_plot.h"

namespace spwrender {
namespace {

constexpr double kRate = 8000;
constexpr int kSeconds = 6;
constexpr double kPi = 3.14159265358979323846;

struct Pair {
  double left, right, amplitude;
};

// seconds of the tone pairs that pairs(t) gives at each time t, in blocks as a render writes them.
template <typename Pairs>
void Feed(SessionAnalysis& analysis, double seconds, Pairs pairs) {
  constexpr int kBlock = 100;
  std::vector<float> left(kBlock), right(kBlock);
  for (int start = 0; start < int(seconds * kRate); start += kBlock) {
    const int n = std::min(kBlock, int(seconds * kRate) - start);
    for (int i = 0; i < n; ++i) {
      const double t = (start + i) / kRate;
      double l = 0.0, r = 0.0;
      for (const Pair& p : pairs(t)) {
        l += p.amplitude * std::sin(2.0 * kPi * p.left * t);
        r += p.amplitude * std::sin(2.0 * kPi * p.right * t);
      }
      left[size_t(i)] = float(l);
      right[size_t(i)] = float(r);
    }
    std::string error;
    ASSERT_TRUE(analysis.Write(left.data(), right.data(), n, &error));
  }
  analysis.Finish();
}

// How far apart two colours are, in the largest channel difference.
int Distance(uint32_t a, uint32_t b) {
  int worst = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
  }
  return worst;
}

// Whether a pixel within reachX and 2 pixels of (x, y) has about colour.
bool ColourNear(const RasterBitmap& image, double x, double y, uint32_t colour, int reachX) {
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -reachX; dx <= reachX; ++dx) {
      const int px = int(std::lround(x)) + dx, py = int(std::lround(y)) + dy;
      if (px >= 0 && py >= 0 && px < image.Width() && py < image.Height() && Distance(image.Row(py)[px], colour) < 48) {
        return true;
      }
    }
  }
  return false;
}

TEST(SessionPlot, ShowsEachEarsTonesTheBeatsAndTheLevelWhereTheAxesSay) {
  SessionAnalysis analysis(kRate, kSeconds * int64_t(kRate), nullptr);
  // Three seconds of one tone pair, then three of two other pairs.
  const std::vector<Pair> first = {{150.0, 156.0, 0.5}}, second = {{250.0, 254.0, 0.3}, {300.0, 304.0, 0.3}};
  Feed(analysis, kSeconds, [&](double t) { return t < kSeconds / 2 ? first : second; });
  const SessionPlotInput input = {&analysis, {{0.0, "first"}, {3.0, "second"}}, "test", 0.0};
  const SessionPlotLayout layout = LayOutSessionPlot(input);
  const RasterMemBitmap image = DrawSessionPlot(input);
  ASSERT_GT(image.Width(), 0);

  struct Probe {
    double t;          // seconds
    const char* what;
    const RasterRect* panel;
    double y;          // pixels
    uint32_t colour;
  };
  const PlotAxis& hz = layout.hz;
  // Points lie at the middle of each moment: a quarter of a second apart here.
  const int moment = int(std::ceil(layout.time.ToPixel(0.125) - layout.time.ToPixel(0.0)));
  const Probe probes[] = {
      {1.5, "left ear 150 Hz", &layout.ears, hz.ToPixel(150.0), kLeftEarColour},
      {1.5, "right ear 156 Hz", &layout.ears, hz.ToPixel(156.0), kRightEarColour},
      {1.5, "beat 6 Hz", &layout.beats, layout.beat.ToPixel(6.0), kBeatColour},
      {1.5, "peak -6 dBFS", &layout.levels, layout.dbfs.ToPixel(20.0 * std::log10(0.5)), kPeakColour},
      {1.5, "RMS -9 dBFS", &layout.levels, layout.dbfs.ToPixel(20.0 * std::log10(0.5 / std::sqrt(2.0))), kRmsColour},
      {4.5, "left ear 250 Hz", &layout.ears, hz.ToPixel(250.0), kLeftEarColour},
      {4.5, "left ear 300 Hz", &layout.ears, hz.ToPixel(300.0), kLeftEarColour},
      {4.5, "right ear 254 Hz", &layout.ears, hz.ToPixel(254.0), kRightEarColour},
      {4.5, "right ear 304 Hz", &layout.ears, hz.ToPixel(304.0), kRightEarColour},
      {4.5, "beat 4 Hz", &layout.beats, layout.beat.ToPixel(4.0), kBeatColour},
  };
  for (const Probe& p : probes) {
    const RasterRect& r = *p.panel;
    ASSERT_GT(p.y, r.y) << p.what;
    ASSERT_LT(p.y, r.y + r.h) << p.what;
    EXPECT_TRUE(ColourNear(image, layout.time.ToPixel(p.t), p.y, p.colour, moment)) << p.what;
  }
  // Nothing of the second programme is drawn in the first half, nor of the first in the second.
  EXPECT_FALSE(ColourNear(image, layout.time.ToPixel(1.5), hz.ToPixel(250.0), kLeftEarColour, moment));
  EXPECT_FALSE(ColourNear(image, layout.time.ToPixel(4.5), hz.ToPixel(150.0), kLeftEarColour, moment));
  // The programme changes: a dashed line down the panels.
  EXPECT_TRUE(ColourNear(image, layout.time.ToPixel(3.0), layout.beats.y + 2, kProgrammeMarkerColour, 0));
}

// The row of column x within panel whose pixel is nearest to colour.
int ClosestRow(const RasterBitmap& image, double x, const RasterRect& panel, uint32_t colour) {
  int best = panel.y, bestDistance = 256;
  for (int y = panel.y + 1; y < panel.y + panel.h - 1; ++y) {
    const int d = Distance(image.Row(y)[int(std::lround(x))], colour);
    if (d < bestDistance) best = y, bestDistance = d;
  }
  return best;
}

// The level panel shows what the file holds: a file of integer samples stops at full
// scale and marks where it clipped; float keeps the level; a render of a fraction of
// a second still has its level drawn across the panel, and says its tones could not
// be measured.
TEST(SessionPlot, TheLevelIsWhatWasWrittenAndAShortRenderSaysWhatItCannotShow) {
  struct Case {
    double seconds, amplitude;
    bool limited;
    double peakDbfs;  // where the peak is drawn
    bool clippedMark, tonesMeasured;
  } cases[] = {
      {3.0, 1.5, true, 0.0, true, true},
      {3.0, 1.5, false, 20.0 * std::log10(1.5), false, true},
      {3.0, 0.5, true, 20.0 * std::log10(0.5), false, true},
      {3.0, 0.99, true, 20.0 * std::log10(0.99), false, true},
      {0.3, 0.5, false, 20.0 * std::log10(0.5), false, false},
  };
  for (const Case& c : cases) {
    SessionAnalysis analysis(kRate, int64_t(c.seconds * kRate), nullptr);
    Feed(analysis, c.seconds, [&](double) { return std::vector<Pair>{{200.0, 205.0, c.amplitude}}; });
    EXPECT_EQ(analysis.TonesMeasurable(), c.tonesMeasured) << c.seconds;
    EXPECT_GE(analysis.Moments().size(), 12u) << c.seconds << " s: enough moments for a level line";
    SessionPlotInput input = {&analysis, {}, "test", 0.0};
    input.limitedToFullScale = c.limited;
    const SessionPlotLayout layout = LayOutSessionPlot(input);
    const RasterMemBitmap image = DrawSessionPlot(input);
    const std::string what = std::to_string(c.seconds) + " s at " + std::to_string(c.amplitude) +
                             (c.limited ? ", limited" : "");
    // Along the panel, from a fifth to the end (past the plug-in-free start).
    for (double share : {0.3, 0.6, 0.9}) {
      const double x = layout.time.ToPixel(share * c.seconds);
      EXPECT_NEAR(ClosestRow(image, x, layout.levels, kPeakColour), layout.dbfs.ToPixel(c.peakDbfs), 2.0)
          << what << " at " << share;
      EXPECT_EQ(ColourNear(image, x, layout.levels.y + 3, kClippedColour, 0), c.clippedMark) << what;
    }
    // The legend explains the red band only when there is one.
    EXPECT_EQ(ColourNear(image, layout.levels.x + layout.levels.w / 2, layout.levels.y - 12, kClippedColour,
                         layout.levels.w / 2), c.clippedMark) << what;
    const double middle = layout.ears.x + 0.5 * layout.ears.w;
    EXPECT_EQ(ColourNear(image, middle, layout.hz.ToPixel(200.0), kLeftEarColour, layout.ears.w / 2 - 2),
              c.tonesMeasured) << what;
  }
}

// A click or a switch of wave scatters one moment into pairs of any beat: the beat
// axis keeps to the beat heard, whatever their number, and the beat is drawn on it.
TEST(SessionPlot, TheBeatAxisIgnoresTransients) {
  constexpr double kSecondsLong = 12.0, kBeat = 10.6;
  struct Case {
    int bursts;            // of noise, each a tenth of a second, spread over the render
    double noiseAmplitude;
  } cases[] = {{0, 0.0}, {1, 0.5}, {3, 0.5}, {3, 2.0}};
  for (const Case& c : cases) {
    SessionAnalysis analysis(kRate, int64_t(kSecondsLong * kRate), nullptr);
    unsigned seed = 1;
    const auto noise = [&seed]() {
      seed = seed * 1664525u + 1013904223u;
      return double(seed >> 8) / double(1u << 24) * 2.0 - 1.0;
    };
    constexpr int kBlock = 100;
    std::vector<float> left(kBlock), right(kBlock);
    for (int start = 0; start < int(kSecondsLong * kRate); start += kBlock) {
      for (int i = 0; i < kBlock; ++i) {
        const double t = (start + i) / kRate;
        const double burst = std::fmod(t * (c.bursts + 1) / kSecondsLong, 1.0);
        const bool noisy = c.bursts > 0 && t > 1.0 && burst < 0.1 * (c.bursts + 1) / kSecondsLong;
        left[size_t(i)] = float(0.5 * std::sin(2.0 * kPi * 200.0 * t) + (noisy ? c.noiseAmplitude * noise() : 0.0));
        right[size_t(i)] = float(0.5 * std::sin(2.0 * kPi * (200.0 + kBeat) * t) + (noisy ? c.noiseAmplitude * noise() : 0.0));
      }
      std::string error;
      ASSERT_TRUE(analysis.Write(left.data(), right.data(), kBlock, &error));
    }
    analysis.Finish();
    const SessionPlotInput input = {&analysis, {}, "test", 0.0};
    const SessionPlotLayout layout = LayOutSessionPlot(input);
    EXPECT_GE(layout.beat.High(), kBeat) << c.bursts << " bursts";
    EXPECT_LE(layout.beat.High(), 3.0 * kBeat) << c.bursts << " bursts";
    const RasterMemBitmap image = DrawSessionPlot(input);
    EXPECT_TRUE(ColourNear(image, layout.time.ToPixel(0.5 * kSecondsLong), layout.beat.ToPixel(kBeat), kBeatColour,
                           layout.beats.w / 8)) << c.bursts << " bursts";
  }
}

}  // namespace
}  // namespace spwrender
