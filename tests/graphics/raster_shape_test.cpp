// Lines, arcs and sectors: which pixels they light, and how much.
#include <gtest/gtest.h>


#include "raster_draw.h"
#include "raster_test_image.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr RasterBlend kAlphaBlend{};
constexpr float kPi = 3.14159265f;

// The lit share of a pixel drawn white on black: its red channel, 0..255.
int Lit(const RasterBitmap& image, int x, int y) { return static_cast<int>((At(image, x, y) >> 16) & 0xFF); }

// All lit coverage in pixel units: the drawn area.
double LitArea(const RasterBitmap& image) {
  double sum = 0;
  for (uint32_t p : AllPixels(image)) sum += ((p >> 16) & 0xFF) / 255.0;
  return sum;
}

}  // namespace

TEST(RasterLine, ThroughPixelCentresIsCrispAndIncludesBothEnds) {
  for (bool antialias : {true, false}) {
    RasterMemBitmap image = FilledImage(12, 12, kBlack);
    RasterLine(image, 9.5f, 4.5f, 2.5f, 4.5f, kWhite, kAlphaBlend, antialias);  // row 4, columns 2..9
    RasterLine(image, 10.5f, 2.5f, 10.5f, 10.5f, kWhite, kAlphaBlend, antialias);  // column 10, rows 2..10
    for (int y = 0; y < 12; ++y) {
      for (int x = 0; x < 12; ++x) {
        const bool lit = (y == 4 && x >= 2 && x <= 9) || (x == 10 && y >= 2 && y <= 10);
        EXPECT_EQ(At(image, x, y), lit ? kWhite : kBlack) << x << "," << y;
      }
    }
  }
}

TEST(RasterLine, CoverageIsSplitByDistanceAndLaidOncePerPixel) {
  RasterMemBitmap border = FilledImage(8, 8, kBlack), hard = FilledImage(8, 8, kBlack);
  RasterLine(border, 1.5f, 4.0f, 6.5f, 4.0f, kWhite, kAlphaBlend, true);
  RasterLine(hard, 1.5f, 4.0f, 6.5f, 4.0f, kWhite, kAlphaBlend, false);
  // On a pixel border: 0.5 -> 128 for the far row, 255 - 128 = 127 for the near one;
  // over black [255 * 127] = 127 and [255 * 128] = 128. Without antialiasing the
  // row holding the line takes it all.
  for (int x = 1; x <= 6; ++x) {
    EXPECT_EQ(At(border, x, 3), 0xFF7F7F7Fu);
    EXPECT_EQ(At(border, x, 4), 0xFF808080u);
    EXPECT_EQ(At(hard, x, 4), kWhite);
  }
  EXPECT_EQ(LitArea(hard), 6.0);

  RasterMemBitmap slope = FilledImage(12, 6, kBlack);
  RasterLine(slope, 0.5f, 2.5f, 10.5f, 3.5f, kWhite, kAlphaBlend, true);  // a tenth of a row per column
  for (int x = 0; x <= 10; ++x) {
    EXPECT_NEAR(Lit(slope, x, 2), 255 * (1 - x / 10.0), 1.0) << x;
    EXPECT_NEAR(Lit(slope, x, 3), 255 * (x / 10.0), 1.0) << x;
  }

  // Half-transparent white along the diagonal: [255 * 128] = 128 once per pixel.
  RasterMemBitmap diagonal = FilledImage(6, 6, kBlack);
  RasterLine(diagonal, 0.5f, 0.5f, 4.5f, 4.5f, 0x80FFFFFF, kAlphaBlend, true);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) EXPECT_EQ(At(diagonal, x, y), (x == y && x <= 4) ? 0xFF808080u : kBlack);
  }
}

TEST(RasterArc, AnglesStartUpAndGrowClockwise) {
  struct Quarter {
    float a0, a1;
    int litX, litY, darkX, darkY;  // pixels on the circle inside and outside the quarter
  };
  // Centre (10, 10), radius 6.5: pixels whose centres lie on the circle just beside
  // the axes up, right, down and left.
  const Quarter quarters[] = {
      {-kPi / 2, 0, 9, 3, 10, 3}, {0, kPi / 2, 10, 3, 16, 10}, {kPi / 2, kPi, 16, 10, 9, 16},
      {kPi, 3 * kPi / 2, 9, 16, 3, 9}};
  for (const Quarter& q : quarters) {
    RasterMemBitmap image = FilledImage(21, 21, kBlack);
    RasterArc(image, 10, 10, 6.5f, q.a0, q.a1, kWhite, kAlphaBlend, true);
    EXPECT_GT(Lit(image, q.litX, q.litY), 240) << q.a0;
    EXPECT_EQ(Lit(image, q.darkX, q.darkY), 0) << q.a0;
    EXPECT_NEAR(LitArea(image), 2 * kPi * 6.5 / 4, 1.5) << "a quarter of a one-pixel ring";
  }
}

TEST(RasterFillSector, FillsItsSweepByAreaWithCrispStraightEdges) {
  for (float sweepEnd : {2 * kPi, 20.0f}) {
    RasterMemBitmap image = FilledImage(24, 24, kBlack);
    RasterFillSector(image, 12, 12, 8, 0, sweepEnd, kWhite, kAlphaBlend, true);
    EXPECT_NEAR(LitArea(image), kPi * 64, 0.8) << "a sweep of 2 pi or more is the whole circle";
  }
  for (bool antialias : {true, false}) {
    RasterMemBitmap quarter = FilledImage(20, 20, kBlack);
    RasterFillSector(quarter, 10, 10, 6, -kPi / 2, 0, kWhite, kAlphaBlend, antialias);
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x) {
        if (x >= 10 || y >= 10) {
          EXPECT_EQ(At(quarter, x, y), kBlack) << x << "," << y;
        }
      }
    }
    for (int i = 5; i < 10; ++i) EXPECT_EQ(At(quarter, 9, i) & At(quarter, i, 9), kWhite) << "edges along x, y = 10";
    EXPECT_NEAR(LitArea(quarter), kPi * 36 / 4, antialias ? 0.6 : 3.0);
  }
}
