// The editor at a scale above 100 %: the picture's size, its likeness to the
// 1x picture once reduced, text rasterised at the scaled size rather than
// stretched, and mouse actions (given in editor pixels, delivered at device
// pixels) reaching the same controls as at 1x.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "editor_fixture.h"
#include "editor_probe.h"
#include "raster_draw.h"
#include "raster_resample.h"

namespace {

using spwsnapshot::EditorSession;

// A session at the scale, the command line's actions run on it.
std::unique_ptr<EditorSession> Started(double scale, const std::vector<std::string>& args) {
  auto session = std::make_unique<EditorSession>(false, scale);
  std::string error;
  EXPECT_TRUE(session->Start(&error)) << error;
  spwsnapshot::SnapshotOptions options;
  EXPECT_TRUE(spwsnapshot::ParseSnapshotOptions(args, &options, &error)) << error;
  spwsnapshot::SnapshotScript script(*session);
  EXPECT_TRUE(script.Check(options.actions, &error)) << error;
  EXPECT_TRUE(script.RunAll(options.actions, &error)) << error;
  return session;
}

const RasterBitmap& Picture(EditorSession& session) { return *session.Graphics().Surface(); }

int ChannelDistance(uint32_t a, uint32_t b) {
  int worst = 0;
  for (int shift : {16, 8, 0}) worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
  return worst;
}

// The spread of brightness over the n x n pixels from (x, y).
int Spread(const RasterBitmap& picture, int x, int y, int n) {
  int low = 3 * 255, high = 0;
  for (int j = 0; j < n * n; ++j) {
    const int b = Brightness(picture.Row(y + j / n)[x + j % n]);
    low = std::min(low, b), high = std::max(high, b);
  }
  return high - low;
}

// The spread within two pixels of a pixel: high near edges and text (which, hinted at
// each size, may sit a pixel apart).
int Contrast(const RasterBitmap& picture, int x, int y) { return Spread(picture, x - 2, y - 2, 5); }

// Detail finer than an editor pixel: the mean spread of brightness inside each 2 x 2 block of
// a 2x picture over box (editor pixels). A 1x picture doubled has none.
double FineDetail(const RasterBitmap& picture, const Box& box) {
  double spread = 0;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) spread += Spread(picture, 2 * x, 2 * y, 2);
  }
  return spread / double((box.right - box.left) * (box.bottom - box.top));
}

const std::vector<std::string> kSevenTones = {"--program", "Healing - 586 (7 tones)"};

TEST(EditorScale, TwiceTheScaleIsTwiceTheSizeLikeThe1xPictureReducedButWithSharperText) {
  auto one = Started(1.0, kSevenTones), two = Started(2.0, kSevenTones);
  ASSERT_EQ(Picture(*two).Width(), 1040);
  ASSERT_EQ(Picture(*two).Height(), 804);
  RasterMemBitmap reduced(520, 402);
  RasterResample(reduced, Picture(*two));
  // Drawn twice as fine (and text hinted at its own size), the pictures differ along edges
  // only: away from them they agree closely.
  int far = 0, farFromEdges = 0;
  long total = 0;
  for (int y = 2; y < 400; ++y) {
    for (int x = 2; x < 518; ++x) {
      const int d = ChannelDistance(reduced.Row(y)[x], Picture(*one).Row(y)[x]);
      total += d;
      far += d > 48;
      farFromEdges += d > 24 && Contrast(Picture(*one), x, y) < 60;
    }
  }
  EXPECT_LT(double(total) / (520 * 402), 8.0) << "mean distance, levels of 255";
  EXPECT_LT(far, 520 * 402 / 15) << "pixels far from the 1x picture";
  EXPECT_LT(farFromEdges, 520 * 402 / 2000) << "pixels away from edges that differ";

  // Text is sharper than the 1x picture stretched.
  RasterMemBitmap stretched(1040, 804);  // what a system does to an editor that ignores the scale
  RasterBlitRotated(stretched, Picture(*one), 0, 0, 1040, 804, 0, 0, 520, 402, 0.0, {RasterMode::Copy, false, 1.0f});
  const Box statusText{147, 57, 347, 75}, cellLabels{17, 265, 487, 385};
  for (const Box& box : {statusText, cellLabels}) {
    const double sharp = FineDetail(Picture(*two), box), blurred = FineDetail(stretched, box);
    EXPECT_GT(sharp, 1.5 * blurred) << "box at " << box.left << "," << box.top;
  }
}

// What the actions did: every parameter, the panel's first row, the status line, whether a menu is open.
std::string Outcome(EditorSession& session) {
  std::string outcome;
  for (int i = 0; i < session.Plug().ParameterCount(); ++i) {
    outcome += std::to_string(session.Plug().ParamAt(i)->NormalizedValue()) + " ";
  }
  auto& panel = static_cast<NOTES&>(*session.Graphics().ControlAt(spw_editor::kSlotPanelControl));
  char status[ITextControl::kTextSize];
  dynamic_cast<ITextControl&>(*session.Graphics().ControlAt(spw_editor::kStatusLineControl)).GetText(status, sizeof status);
  return outcome + "| row " + std::to_string(panel.FirstVisibleRow()) + " | " + status + " | popup " +
         (session.Graphics().OpenPopup() ? "open" : "closed");
}

TEST(EditorScale, ActionsHitTheSameControlsAtEveryScale) {
  const std::string cell = std::to_string(CellX(2)) + "," + std::to_string(CellY(1));
  const std::vector<std::vector<std::string>> scripts = {
      {"--click", "160,98"},                       // the "Binaural Freq" button
      {"--drag", "110,168,0,-30"},                 // the frequency knob
      {"--wheel", "234,218,3"},                    // the "Volume" knob
      {"--click", cell, "--rclick", cell},         // a cell taken and let go
      {"--drag", "499,290,0,200"},                 // the panel's scrollbar
      {"--rclick", "234,124", "--type", "2.5"},    // the "Fade" knob's value entry
      {"--rclick", "471,120"},                     // the "Wave" menu, left open
      {"--rclick", "471,120", "--click", "440,150"},  // and a choice in it
  };
  for (const auto& script : scripts) {
    const std::string expected = Outcome(*Started(1.0, script));
    for (double scale : {1.25, 1.5, 2.0}) {
      EXPECT_EQ(Outcome(*Started(scale, script)), expected) << script[0] << " " << script[1] << " at " << scale;
    }
  }
}

}  // namespace
