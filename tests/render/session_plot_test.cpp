// The picture of a session, drawn from known audio: each ear's tones, the beats and
// the level where the axes put them, and the programme changes marked.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "session_plot.h"

namespace spwrender {
namespace {

constexpr double kRate = 8000;
constexpr int kSeconds = 6;

struct Pair {
  double left, right, amplitude;
};

// Three seconds of one tone pair, then three of two other pairs.
void Feed(SessionAnalysis& analysis) {
  const std::vector<Pair> first = {{150.0, 156.0, 0.5}}, second = {{250.0, 254.0, 0.3}, {300.0, 304.0, 0.3}};
  constexpr int kBlock = 100;
  std::vector<float> left(kBlock), right(kBlock);
  for (int start = 0; start < kSeconds * int(kRate); start += kBlock) {
    for (int i = 0; i < kBlock; ++i) {
      const double t = (start + i) / kRate;
      double l = 0.0, r = 0.0;
      for (const Pair& p : t < kSeconds / 2 ? first : second) {
        l += p.amplitude * std::sin(2.0 * 3.14159265358979323846 * p.left * t);
        r += p.amplitude * std::sin(2.0 * 3.14159265358979323846 * p.right * t);
      }
      left[size_t(i)] = float(l);
      right[size_t(i)] = float(r);
    }
    std::string error;
    ASSERT_TRUE(analysis.Write(left.data(), right.data(), kBlock, &error));
  }
  analysis.Finish();
}

// How far apart two colours are, in the largest channel difference.
int Distance(uint32_t a, uint32_t b) {
  int worst = 0;
  for (int shift = 0; shift < 24; shift += 8) worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
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
  Feed(analysis);
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

}  // namespace
}  // namespace spwrender
