// Drawing and hit testing at a scale, checked by probing device pixels: shapes
// cover exactly the scaled pixels, images come from their twice-size source
// (or are enlarged without one), and device positions reach the control under
// the editor pixel they lie in.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "control.h"
#include "graphics_rig.h"
#include "module_resources.h"

namespace {

// Draws what it is told to, over its rectangle; remembers the last press.
class Canvas : public IControl {
 public:
  Canvas(IEffectBase* plug, const IArea& rect, std::function<void(IGraphics&)> paint)
      : IControl(plug, rect), paint_(std::move(paint)) {}
  bool Draw(IGraphics& graphics) override {
    paint_(graphics);
    return true;
  }
  void MouseDown(int x, int y, const IMouseKeys& mod) override { pressedX = x, pressedY = y; }
  int pressedX = -1, pressedY = -1;

 private:
  std::function<void(IGraphics&)> paint_;
};

struct ScaledRig : Rig {
  ScaledRig(double scale, std::function<void(IGraphics&)> paint) : Rig(20, 16) {
    gfx->AddControl(canvas = new Canvas(&plug, IArea(0, 0, 20, 16), std::move(paint)));
    gfx->SetHostScale(scale);
    Attach();
    gfx->Tick();
  }
  // Device pixels of the rectangle (device pixels) in colour, and outside it not.
  int CountInside(const IArea& r, uint32_t colour) const {
    int count = 0;
    for (int y = 0; y < gfx->DeviceHeight(); ++y) {
      for (int x = 0; x < gfx->DeviceWidth(); ++x) {
        const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
        count += inside == (Pixel(x, y) == colour) ? 1 : 0;
      }
    }
    return count;
  }
  Canvas* canvas;
};

const IRgba kOpaqueRed(255, 255, 0, 0);

TEST(ScaledDrawing, ShapesCoverExactlyTheScaledPixels) {
  const int all = 40 * 32;
  ScaledRig rect(2.0, [](IGraphics& g) { g.FillRect(kOpaqueRed, IArea(1, 1, 4, 3), nullptr); });
  EXPECT_EQ(rect.CountInside(IArea(2, 2, 8, 6), kRed), all);
  // A one-pixel line of the editor is two device pixels wide and reaches the ends' far edges.
  ScaledRig line(2.0, [](IGraphics& g) { g.DrawLine(kOpaqueRed, 2.5f, 4.5f, 9.5f, 4.5f, nullptr, false); });
  EXPECT_EQ(line.CountInside(IArea(4, 8, 20, 10), kRed), all);
  ScaledRig upright(2.0, [](IGraphics& g) { g.DrawLine(kOpaqueRed, 3.5f, 1.5f, 3.5f, 6.5f, nullptr, false); });
  EXPECT_EQ(upright.CountInside(IArea(6, 2, 8, 14), kRed), all);
}

TEST(ScaledDrawing, ImagesComeFromTheirTwiceSizeSource) {
  Rig images;  // registers the pictures under one id and its twice-size id
  const int id = FreshId();
  images.gfx->images.emplace(id, Frames(2, 1, {kRed}, false));
  RasterMemBitmap twice = Frames(4, 1, {kBlue, kGreen}, true);  // 4 x 2, blue over green: detail a 1x image lacks
  images.gfx->images.emplace(id + kHiResImageIdOffset, twice);
  const IImage image = images.gfx->LoadImageResource(id, "test", 1);
  images.gfx->SetHostScale(2.0);
  const RasterBitmap* atTwice = images.gfx->DeviceImage(image);
  ASSERT_NE(atTwice, nullptr);
  EXPECT_EQ(atTwice->Row(0)[0], kBlue);
  EXPECT_EQ(atTwice->Row(1)[3], kGreen);
  images.gfx->SetHostScale(1.5);  // 3 x 2: filtered down from the twice-size source
  const RasterBitmap* between = images.gfx->DeviceImage(image);
  ASSERT_EQ(between->Width(), 3);
  EXPECT_EQ(between->Row(0)[1], kBlue);
  images.gfx->SetHostScale(1.0);
  EXPECT_EQ(images.gfx->DeviceImage(image), image.bitmap);
  // Without a twice-size source the image itself is enlarged.
  const IImage plain = images.Image(Frames(1, 1, {kRed}, false), 1);
  images.gfx->SetHostScale(2.0);
  const RasterBitmap* enlarged = images.gfx->DeviceImage(plain);
  ASSERT_EQ(enlarged->Width(), 2);
  EXPECT_EQ(enlarged->Row(1)[1], kRed);
}

TEST(ScaledDrawing, ADevicePositionReachesTheControlAtItsEditorPixel) {
  const struct {
    double scale;
    int device, editor;
  } cases[] = {{1.0, 7, 7}, {1.25, 9, 7}, {1.25, 10, 8}, {1.5, 11, 7}, {1.5, 12, 8}, {2.0, 15, 7}, {2.0, 16, 8}};
  for (const auto& c : cases) {
    ScaledRig rig(c.scale, [](IGraphics&) {});
    rig.Click(c.device, c.device);
    EXPECT_EQ(rig.canvas->pressedX, c.editor) << c.scale << " at " << c.device;
    EXPECT_EQ(rig.canvas->pressedY, c.editor);
  }
}

}  // namespace
