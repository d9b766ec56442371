// Rotated and scaled blits: exact at right angles, bilinear in between, and
// transparent wherever the source has nothing.
#include <gtest/gtest.h>

#include "raster_draw.h"
#include "raster_test_image.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr RasterBlend kAlphaBlend{};
constexpr RasterBlend kCopy{RasterMode::Copy, false, 1.0f};
constexpr double kPi = 3.141592653589793;

RasterMemBitmap RedBlue() {
  RasterMemBitmap image(2, 1);
  image.Row(0)[0] = kRed;
  image.Row(0)[1] = kBlue;
  return image;
}

}  // namespace

TEST(RasterBlitRotated, RightAnglesMovePixelsExactly) {
  const RasterMemBitmap src = NumberedImage(3, 2);
  for (double angle : {0.0, kPi}) {
    RasterMemBitmap dst = FilledImage(7, 5, kBlack);
    RasterBlitRotated(dst, src, 2, 1, 3, 2, 0, 0, 3, 2, angle, kCopy);
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 7; ++x) {
        const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
        // Unturned: a copy; half a turn: both axes mirrored.
        const uint32_t expected = !inside ? kBlack : angle == 0 ? At(src, x - 2, y - 1) : At(src, 4 - x, 2 - y);
        EXPECT_EQ(At(dst, x, y), expected) << angle << " at " << x << "," << y;
      }
    }
  }
  // A row 0 1 2 turned a quarter clockwise about its centre stands up, 0 on top.
  RasterMemBitmap quarter = FilledImage(5, 3, kBlack);
  RasterBlitRotated(quarter, src, 1, 1, 3, 1, 0, 1, 3, 1, kPi / 2, kCopy);
  for (int y = 0; y < 3; ++y) EXPECT_EQ(At(quarter, 2, y), At(src, y, 1));
  EXPECT_EQ(At(quarter, 1, 1) | At(quarter, 3, 1), kBlack);
}

TEST(RasterBlitRotated, HalfPixelOffsetsMixNeighboursAndFadeAtTheEdges) {
  RasterMemBitmap dst = FilledImage(4, 1, kBlack);
  RasterBlitRotated(dst, RedBlue(), 0.5f, 0, 2, 1, 0, 0, 2, 1, 0.0, kAlphaBlend);
  // Pixel 0 is half covered: red at alpha 128, [255 * 128] = 128 over black. Pixel 1
  // is red and blue equally, each (255 * 255 / 2 rounded) / 255 = 128. Pixel 2 is
  // half covered blue; pixel 3's centre is half a pixel beyond the edge.
  EXPECT_EQ(AllPixels(dst), (std::vector<uint32_t>{0xFF800000, 0xFF800080, 0xFF000080, kBlack}));
}

TEST(RasterBlitRotated, SamplesOutsideTheSourceImageAreTransparent) {
  RasterMemBitmap dst = FilledImage(4, 1, kBlack);
  // The source rectangle starts one pixel left of the image and ends one past it.
  RasterBlitRotated(dst, RedBlue(), 0, 0, 4, 1, -1, 0, 4, 1, 0.0, kAlphaBlend);
  EXPECT_EQ(AllPixels(dst), (std::vector<uint32_t>{kBlack, kRed, kBlue, kBlack}));
  // Scaled up four times, inside the image: the outer columns are the pure colours.
  RasterMemBitmap wide = FilledImage(8, 1, kBlack);
  RasterBlitRotated(wide, RedBlue(), 0, 0, 8, 1, 0, 0, 2, 1, 0.0, kCopy);
  EXPECT_EQ(At(wide, 0, 0) & At(wide, 1, 0), kRed);
  EXPECT_EQ(At(wide, 6, 0) & At(wide, 7, 0), kBlue);
  EXPECT_GT(At(wide, 3, 0) & 0xFF0000, At(wide, 3, 0) & 0xFF) << "more red than blue left of the middle";
}

TEST(RasterBlitRotated, AnEighthTurnKeepsTheAreaAndCutsTheCorners) {
  RasterMemBitmap dst = FilledImage(16, 16, kBlack);
  RasterBlitRotated(dst, FilledImage(8, 8, 0xFFFFFFFF), 4, 4, 8, 8, 0, 0, 8, 8, kPi / 4, kAlphaBlend);
  double area = 0;
  for (uint32_t p : AllPixels(dst)) area += (p & 0xFF) / 255.0;
  EXPECT_NEAR(area, 64.0, 2.0) << "coverage sampled at pixel centres is off by a little along turned edges";
  EXPECT_EQ(At(dst, 7, 7), 0xFFFFFFFFu) << "the centre";
  EXPECT_EQ(At(dst, 4, 4), kBlack) << "the unturned square's corner is cut off";
  EXPECT_GT(At(dst, 7, 3) & 0xFF, 200u) << "the turned square reaches above the unturned one";
}
