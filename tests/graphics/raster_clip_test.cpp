// Where drawing lands: clip rectangles, source rectangles reaching outside the
// source, and images without pixels.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>

#include "raster_draw.h"
#include "raster_font.h"
#include "raster_test_image.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr RasterBlend kAlphaBlend{};
constexpr RasterBlend kCopy{RasterMode::Copy, false, 1.0f};

}  // namespace

TEST(RasterClip, BlitTakesOnlyWhatLiesInsideTheSourceAndTheClip) {
  const RasterMemBitmap src = NumberedImage(3, 3);
  RasterMemBitmap dst = FilledImage(6, 5, kBlack);
  // Source rectangle from (-2, -1): only its part over the 3 x 3 image is copied.
  RasterBlit(dst, src, 0, 0, -2, -1, 5, 5, kCopy);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 6; ++x) {
      const bool copied = x >= 2 && x < 5 && y >= 1 && y < 4;
      EXPECT_EQ(At(dst, x, y), copied ? At(src, x - 2, y - 1) : kBlack) << x << "," << y;
    }
  }
}

// Every operation, drawn big across a 20 x 20 image clipped to (5, 5, 10, 10),
// must change pixels inside the clip and none outside.
TEST(RasterClip, NoOperationDrawsOutsideTheClip) {
  const RasterMemBitmap src = FilledImage(30, 30, kWhite);
  std::unique_ptr<RasterCachedFont> font = RasterCachedFont::Create(RasterFontSpec{});
  ASSERT_NE(font, nullptr);
  font->SetColour(kWhite);
  const std::function<void(RasterBitmap&)> operations[] = {
      [&](RasterBitmap& d) { RasterBlit(d, src, -3, -3, 0, 0, 30, 30, kCopy); },
      [&](RasterBitmap& d) { RasterBlitRotated(d, src, -5, -5, 30, 30, 0, 0, 30, 30, 0.3, kAlphaBlend); },
      [&](RasterBitmap& d) { RasterFillRect(d, -1, -1, 40, 40, kWhite, kCopy); },
      [&](RasterBitmap& d) { RasterLine(d, -20, -18, 40, 43, kWhite, kAlphaBlend, true); },
      [&](RasterBitmap& d) { RasterLine(d, 10.5f, -50, 10.5f, 50, kWhite, kAlphaBlend, false); },
      [&](RasterBitmap& d) { RasterArc(d, 10, 10, 6, 0, 7, kWhite, kAlphaBlend, true); },
      [&](RasterBitmap& d) { RasterFillSector(d, 10, 10, 30, -1, 1, kWhite, kAlphaBlend, true); },
      [&](RasterBitmap& d) { font->DrawText(d, "WWWWWW", {-4, 4, 40, 40}, kRasterTextNoClip); },
  };
  for (size_t i = 0; i < std::size(operations); ++i) {
    RasterMemBitmap image = FilledImage(20, 20, kBlack);
    image.SetClip({5, 5, 10, 10});
    operations[i](image);
    int inside = 0;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x) {
        const bool inClip = x >= 5 && x < 15 && y >= 5 && y < 15;
        if (inClip) {
          inside += At(image, x, y) != kBlack;
        } else {
          EXPECT_EQ(At(image, x, y), kBlack) << "operation " << i << " at " << x << "," << y;
        }
      }
    }
    EXPECT_GT(inside, 0) << "operation " << i;
  }
}

TEST(RasterClip, ImagesWithoutPixelsDrawNothing) {
  RasterMemBitmap empty;
  RasterMemBitmap image = FilledImage(4, 4, kBlack);
  RasterBlit(image, empty, 0, 0, 0, 0, 4, 4, kCopy);
  RasterBlitRotated(image, empty, 0, 0, 4, 4, 0, 0, 4, 4, 1.0, kCopy);
  RasterBlit(empty, image, 0, 0, 0, 0, 4, 4, kCopy);
  RasterFillSector(empty, 2, 2, 2, 0, 7, kWhite, kCopy, true);
  EXPECT_EQ(AllPixels(image), AllPixels(FilledImage(4, 4, kBlack)));
  EXPECT_EQ(RasterMemBitmap(5, 0).Width(), 0) << "an image without rows has no width either";
  EXPECT_FALSE(empty.Resize(INT_MAX, INT_MAX)) << "more than any vector can hold";
  EXPECT_EQ(empty.Pixels(), nullptr);
}
