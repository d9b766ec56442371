// Area-averaging resampling checked as arithmetic on images of a few pixels:
// exact means when halving, shares of pixels when reducing by an odd factor,
// alpha weighting of colours, and copies when the size stays.

#include <gtest/gtest.h>

#include "raster_resample.h"
#include "raster_test_image.h"

namespace {

TEST(RasterResample, HalvingAveragesEachTwoByTwoBlockRounded) {
  RasterMemBitmap source(2, 2);
  source.Row(0)[0] = 0xFF000000u, source.Row(0)[1] = 0xFF0A1402u;  // B rounds: (0 + 2 + 3 + 0) / 4 = 1.25 -> 1
  source.Row(1)[0] = 0xFF0A0003u, source.Row(1)[1] = 0xFF000A00u;  // R: 20 / 4 = 5; G: 30 / 4 = 7.5 -> 8
  RasterMemBitmap half(1, 1);
  RasterResample(half, source);
  EXPECT_EQ(At(half, 0, 0), 0xFF050801u);
}

TEST(RasterResample, ReducingByOneAndAHalfTakesShares) {
  // Three pixels to two: the first takes pixel 0 whole and half of pixel 1, the second the rest.
  RasterMemBitmap source(3, 1);
  source.Row(0)[0] = 0xFF000000u, source.Row(0)[1] = 0xFF000090u, source.Row(0)[2] = 0xFF0000F0u;
  RasterMemBitmap reduced(2, 1);
  RasterResample(reduced, source);
  EXPECT_EQ(At(reduced, 0, 0), 0xFF000030u);  // (0 + 0.5 * 144) / 1.5 = 48
  EXPECT_EQ(At(reduced, 1, 0), 0xFF0000D0u);  // (0.5 * 144 + 240) / 1.5 = 208
}

TEST(RasterResample, TransparentPixelsLendNoColour) {
  RasterMemBitmap source(2, 1);
  source.Row(0)[0] = 0x00FFFFFFu;  // transparent white
  source.Row(0)[1] = 0xFF204060u;
  RasterMemBitmap half(1, 1);
  RasterResample(half, source);
  EXPECT_EQ(At(half, 0, 0), 0x80204060u);  // half covered, the opaque pixel's colour
  const RasterMemBitmap clear = FilledImage(2, 2, 0x00FFFFFFu);
  RasterResample(half, clear);
  EXPECT_EQ(At(half, 0, 0), 0x00000000u);
}

TEST(RasterResample, TheSameSizeIsACopyAndEnlargingRepeatsPixels) {
  const RasterMemBitmap numbered = NumberedImage(3, 2);
  RasterMemBitmap same(3, 2);
  RasterResample(same, numbered);
  EXPECT_EQ(AllPixels(same), AllPixels(numbered));
  RasterMemBitmap doubled(6, 4);
  RasterResample(doubled, numbered);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) EXPECT_EQ(At(doubled, x, y), At(numbered, x / 2, y / 2)) << x << "," << y;
  }
}

}  // namespace
