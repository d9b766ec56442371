// Lines, arcs and sectors: which pixels they light, and how much.
#include <gtest/gtest.h>

#include <cmath>

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
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) sum += Lit(image, x, y) / 255.0;
  }
  return sum;
}

}  // namespace

TEST(RasterLine, ThroughPixelCentresIsCrispAndIncludesBothEnds) {
  for (bool antialias : {true, false}) {
    for (bool reversed : {false, true}) {
      RasterMemBitmap image = FilledImage(12, 7, kBlack);
      if (reversed) RasterLine(image, 9.5f, 4.5f, 2.5f, 4.5f, kWhite, kAlphaBlend, antialias);
      else RasterLine(image, 2.5f, 4.5f, 9.5f, 4.5f, kWhite, kAlphaBlend, antialias);
      for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 12; ++x) EXPECT_EQ(At(image, x, y), (y == 4 && x >= 2 && x <= 9) ? kWhite : kBlack);
      }
    }
  }
}

TEST(RasterLine, OnAPixelBorderAntialiasingSharesItBetweenTwoRows) {
  RasterMemBitmap smooth = FilledImage(8, 8, kBlack), hard = FilledImage(8, 8, kBlack);
  RasterLine(smooth, 1.5f, 4.0f, 6.5f, 4.0f, kWhite, kAlphaBlend, true);
  RasterLine(hard, 1.5f, 4.0f, 6.5f, 4.0f, kWhite, kAlphaBlend, false);
  for (int x = 1; x <= 6; ++x) {
    // Coverage 0.5 -> 128 for the far row, 255 - 128 = 127 for the near one (the two
    // shares add up to the whole); over black: [255 * 127] = 127, [255 * 128] = 128.
    EXPECT_EQ(At(smooth, x, 3), 0xFF7F7F7Fu);
    EXPECT_EQ(At(smooth, x, 4), 0xFF808080u);
    EXPECT_EQ(At(hard, x, 4), kWhite) << "without antialiasing the row holding the line takes it";
    EXPECT_EQ(At(hard, x, 3), kBlack);
  }
  EXPECT_EQ(At(smooth, 0, 4), kBlack);
  EXPECT_EQ(At(smooth, 7, 4), kBlack);
}

TEST(RasterLine, SteepAndDiagonalLinesLightOnePixelPerRow) {
  RasterMemBitmap steep = FilledImage(6, 10, kBlack);
  RasterLine(steep, 3.5f, 1.5f, 3.5f, 8.5f, kWhite, kAlphaBlend, true);
  for (int y = 0; y < 10; ++y) EXPECT_EQ(At(steep, 3, y), (y >= 1 && y <= 8) ? kWhite : kBlack);
  EXPECT_DOUBLE_EQ(LitArea(steep), 8.0);

  RasterMemBitmap diagonal = FilledImage(6, 6, kBlack);
  RasterLine(diagonal, 0.5f, 0.5f, 4.5f, 4.5f, 0x80FFFFFF, kAlphaBlend, true);
  for (int y = 0; y < 6; ++y) {
    // Half-transparent white laid once per pixel: [255 * 128] = 128, never more.
    for (int x = 0; x < 6; ++x) EXPECT_EQ(At(diagonal, x, y), (x == y && x <= 4) ? 0xFF808080u : kBlack);
  }
}

TEST(RasterLine, ASlopeBetweenRowsSplitsCoverageByDistance) {
  RasterMemBitmap image = FilledImage(12, 6, kBlack);
  RasterLine(image, 0.5f, 2.5f, 10.5f, 3.5f, kWhite, kAlphaBlend, true);  // a tenth of a row per column
  for (int x = 0; x <= 10; ++x) {
    // At column x the line is x / 10 below row 2's centre: row 2 gets 1 - x/10, row 3 x/10.
    EXPECT_NEAR(Lit(image, x, 2), 255 * (1 - x / 10.0), 1.0) << x;
    EXPECT_NEAR(Lit(image, x, 3), 255 * (x / 10.0), 1.0) << x;
  }
}

TEST(RasterArc, AnglesStartUpAndGrowClockwise) {
  struct Quarter {
    float a0, a1;
    int litX, litY;      // a pixel on the circle inside the quarter
    int darkX, darkY;    // one on the circle outside it
  };
  // Centre (10, 10), radius 6.5: the pixels whose centres lie on the circle straight
  // up, right, down and left of it, just beside each axis.
  const Quarter quarters[] = {
      {-kPi / 2, 0, 9, 3, 10, 3},       // top-left
      {0, kPi / 2, 10, 3, 16, 10},      // top-right
      {kPi / 2, kPi, 16, 10, 9, 16},    // bottom-right
      {kPi, 3 * kPi / 2, 9, 16, 3, 9},  // bottom-left
  };
  for (const Quarter& q : quarters) {
    RasterMemBitmap image = FilledImage(21, 21, kBlack);
    RasterArc(image, 10, 10, 6.5f, q.a0, q.a1, kWhite, kAlphaBlend, true);
    EXPECT_GT(Lit(image, q.litX, q.litY), 240) << q.a0;
    EXPECT_EQ(Lit(image, q.darkX, q.darkY), 0) << q.a0;
    for (int y = 0; y < 21; ++y) {
      for (int x = 0; x < 21; ++x) {
        const double off = std::hypot(x + 0.5 - 10, y + 0.5 - 10) - 6.5;
        if (Lit(image, x, y) > 0) {
          EXPECT_LT(std::fabs(off), 1.0) << "an arc is one pixel wide";
        }
      }
    }
    // A quarter of a one-pixel ring: about 2 pi 6.5 / 4.
    EXPECT_NEAR(LitArea(image), 2 * kPi * 6.5 / 4, 1.5) << q.a0;
  }
}

TEST(RasterFillSector, FillsTheCircleByArea) {
  for (float sweepEnd : {2 * kPi, 7.0f, 20.0f}) {
    RasterMemBitmap image = FilledImage(24, 24, kBlack);
    RasterFillSector(image, 12, 12, 8, 0, sweepEnd, kWhite, kAlphaBlend, true);
    EXPECT_NEAR(LitArea(image), kPi * 64, 0.8) << "a sweep of 2 pi or more is the whole circle";
    EXPECT_EQ(At(image, 12, 12), kWhite);
    EXPECT_EQ(At(image, 12, 3), kBlack) << "just outside the top";
  }
}

TEST(RasterFillSector, AQuarterStaysInItsQuarterWithCrispStraightEdges) {
  for (bool antialias : {true, false}) {
    RasterMemBitmap image = FilledImage(20, 20, kBlack);
    RasterFillSector(image, 10, 10, 6, -kPi / 2, 0, kWhite, kAlphaBlend, antialias);
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x) {
        if (x >= 10 || y >= 10) {
          EXPECT_EQ(At(image, x, y), kBlack) << x << "," << y;
        }
      }
    }
    for (int i = 5; i < 10; ++i) {
      EXPECT_EQ(At(image, 9, i), kWhite) << "the edge along x = 10, row " << i;
      EXPECT_EQ(At(image, i, 9), kWhite) << "the edge along y = 10, column " << i;
    }
    EXPECT_NEAR(LitArea(image), kPi * 36 / 4, antialias ? 0.6 : 3.0);
  }
}

TEST(RasterFillSector, AHalfFromZeroToPiIsTheRightHalf) {
  RasterMemBitmap image = FilledImage(20, 20, kBlack);
  RasterFillSector(image, 10, 10, 7, 0, kPi, kWhite, kAlphaBlend, true);
  EXPECT_EQ(At(image, 14, 10), kWhite);
  EXPECT_EQ(At(image, 5, 10), kBlack);
  EXPECT_NEAR(LitArea(image), kPi * 49 / 2, 0.8);
}
