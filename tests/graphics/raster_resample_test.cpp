// Area-averaging resampling checked as arithmetic on images of a few pixels:
// exact means when halving, shares of pixels when reducing by an odd factor,
// alpha weighting of colours, and copies when the size stays.

#include <gtest/gtest.h>

#include <vector>

#include "raster_resample.h"
#include "raster_test_image.h"

namespace {

TEST(RasterResample, ReducingAveragesTheCoveredSharesOfPixelsWeightedByTheirAlpha) {
  const struct {
    const char* what;
    int width, height;
    std::vector<uint32_t> source, reduced;  // the reduced image is one row
  } cases[] = {
      // R: 20 / 4 = 5; G: 30 / 4 = 7.5 -> 8; B: (0 + 2 + 3 + 0) / 4 = 1.25 -> 1.
      {"halving", 2, 2, {0xFF000000u, 0xFF0A1402u, 0xFF0A0003u, 0xFF000A00u}, {0xFF050801u}},
      // The first takes pixel 0 whole and half of pixel 1: (0 + 0.5 * 144) / 1.5 = 48; the
      // second the rest: (0.5 * 144 + 240) / 1.5 = 208.
      {"three pixels to two", 3, 1, {0xFF000000u, 0xFF000090u, 0xFF0000F0u}, {0xFF000030u, 0xFF0000D0u}},
      // Half covered, the opaque pixel's colour: transparent white lends no colour.
      {"half transparent", 2, 1, {0x00FFFFFFu, 0xFF204060u}, {0x80204060u}},
      {"all transparent", 2, 2, std::vector<uint32_t>(4, 0x00FFFFFFu), {0x00000000u}},
  };
  for (const auto& c : cases) {
    RasterMemBitmap source(c.width, c.height), reduced(static_cast<int>(c.reduced.size()), 1);
    for (size_t i = 0; i < c.source.size(); ++i) source.Row(int(i) / c.width)[int(i) % c.width] = c.source[i];
    RasterResample(reduced, source);
    EXPECT_EQ(AllPixels(reduced), c.reduced) << c.what;
  }
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
