// Rotated and scaled blits: exact at right angles, bilinear in between, and
// transparent wherever the source has nothing.
#include <gtest/gtest.h>

#include <cmath>

#include "raster_draw.h"
#include "raster_test_image.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr RasterBlend kAlphaBlend{};
constexpr RasterBlend kCopy{RasterMode::Copy, false, 1.0f};
constexpr double kPi = 3.141592653589793;

RasterMemBitmap Row(std::initializer_list<uint32_t> pixels) {
  RasterMemBitmap image(static_cast<int>(pixels.size()), 1);
  int x = 0;
  for (uint32_t p : pixels) image.Row(0)[x++] = p;
  return image;
}

// 0xFF00YYXX at (x, y).
RasterMemBitmap NumberedImage(int width, int height) {
  RasterMemBitmap image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.Row(y)[x] = 0xFF000000u | uint32_t(y) << 8 | uint32_t(x);
  }
  return image;
}

}  // namespace

TEST(RasterBlitRotated, UnrotatedAtWholePixelsIsAnExactCopy) {
  const RasterMemBitmap src = NumberedImage(3, 2);
  RasterMemBitmap dst = FilledImage(7, 5, kBlack);
  RasterBlitRotated(dst, src, 2, 1, 3, 2, 0, 0, 3, 2, 0.0, kCopy);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) {
      const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
      EXPECT_EQ(At(dst, x, y), inside ? At(src, x - 2, y - 1) : kBlack) << x << "," << y;
    }
  }
}

TEST(RasterBlitRotated, QuarterAndHalfTurnsMovePixelsExactly) {
  // A row A B C turned a quarter clockwise about its centre stands up, A on top.
  const RasterMemBitmap abc = Row({0xFF0000AA, 0xFF0000BB, 0xFF0000CC});
  RasterMemBitmap quarter = FilledImage(5, 3, kBlack);
  RasterBlitRotated(quarter, abc, 1, 1, 3, 1, 0, 0, 3, 1, kPi / 2, kCopy);
  EXPECT_EQ(At(quarter, 2, 0), 0xFF0000AAu);
  EXPECT_EQ(At(quarter, 2, 1), 0xFF0000BBu);
  EXPECT_EQ(At(quarter, 2, 2), 0xFF0000CCu);
  EXPECT_EQ(At(quarter, 1, 1), kBlack);
  EXPECT_EQ(At(quarter, 3, 1), kBlack);

  // A half turn mirrors both axes.
  const RasterMemBitmap src = NumberedImage(3, 2);
  RasterMemBitmap half = FilledImage(3, 2, kBlack);
  RasterBlitRotated(half, src, 0, 0, 3, 2, 0, 0, 3, 2, kPi, kCopy);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(At(half, x, y), At(src, 2 - x, 1 - y)) << x << "," << y;
  }
}

TEST(RasterBlitRotated, HalfPixelOffsetsMixNeighboursAndFadeIntoTransparency) {
  // Red, blue drawn half a pixel to the right over black.
  const RasterMemBitmap src = Row({kRed, kBlue});
  RasterMemBitmap dst = FilledImage(4, 1, kBlack);
  RasterBlitRotated(dst, src, 0.5f, 0, 2, 1, 0, 0, 2, 1, 0.0, kAlphaBlend);
  // Pixel 0: half red, half nothing -> red at alpha 128 -> [255 * 128] = 128 over black.
  EXPECT_EQ(At(dst, 0, 0), 0xFF800000u);
  // Pixel 1: red and blue equally, opaque -> (255 * 255 / 2 + ...) rounds to 128 each.
  EXPECT_EQ(At(dst, 1, 0), 0xFF800080u);
  // Pixel 2: half blue, half nothing.
  EXPECT_EQ(At(dst, 2, 0), 0xFF000080u);
  // Pixel 3's centre lies beyond half a pixel of the source: not drawn.
  EXPECT_EQ(At(dst, 3, 0), kBlack);
}

TEST(RasterBlitRotated, SamplesOutsideTheSourceImageAreTransparent) {
  const RasterMemBitmap src = Row({kRed, kBlue});
  RasterMemBitmap dst = FilledImage(4, 1, kBlack);
  // The source rectangle starts one pixel left of the image and ends one past it.
  RasterBlitRotated(dst, src, 0, 0, 4, 1, -1, 0, 4, 1, 0.0, kAlphaBlend);
  EXPECT_EQ(At(dst, 0, 0), kBlack);
  EXPECT_EQ(At(dst, 1, 0), kRed);
  EXPECT_EQ(At(dst, 2, 0), kBlue);
  EXPECT_EQ(At(dst, 3, 0), kBlack);
}

TEST(RasterBlitRotated, AnEighthTurnKeepsTheAreaAndCutsTheCorners) {
  const RasterMemBitmap square = FilledImage(8, 8, 0xFFFFFFFF);
  RasterMemBitmap dst = FilledImage(16, 16, kBlack);
  RasterBlitRotated(dst, square, 4, 4, 8, 8, 0, 0, 8, 8, kPi / 4, kAlphaBlend);
  double area = 0;
  for (uint32_t p : AllPixels(dst)) area += (p & 0xFF) / 255.0;
  EXPECT_NEAR(area, 64.0, 2.0) << "coverage sampled at pixel centres is off by a little along turned edges";
  EXPECT_EQ(At(dst, 7, 7), 0xFFFFFFFFu) << "the centre";
  EXPECT_EQ(At(dst, 4, 4), kBlack) << "the unrotated square's corner is cut off";
  EXPECT_GT(At(dst, 7, 3) & 0xFF, 200u) << "the turned square reaches above the unturned one";
}

TEST(RasterBlitRotated, ScalingStretchesTheSource) {
  const RasterMemBitmap src = Row({kRed, kBlue});
  RasterMemBitmap dst = FilledImage(8, 2, kBlack);
  RasterBlitRotated(dst, src, 0, 0, 8, 2, 0, 0, 2, 1, 0.0, kCopy);
  // Each source pixel spans four columns; the outer two of each half are pure.
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(At(dst, 0, y), kRed);
    EXPECT_EQ(At(dst, 1, y), kRed);
    EXPECT_EQ(At(dst, 6, y), kBlue);
    EXPECT_EQ(At(dst, 7, y), kBlue);
  }
}
