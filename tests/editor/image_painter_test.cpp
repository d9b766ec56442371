// The image generator's toolkit as arithmetic on small images: what a shape
// covers, how much of an edge pixel, and where text lands.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "painter.h"
#include "raster_bitmap.h"

namespace {

using namespace imagegen;

constexpr Colour kRed = Rgb(0xff0000);

int Alpha(const RasterBitmap& image, int x, int y) { return int(image.Row(y)[x] >> 24); }

// Pixels with any coverage.
int Covered(const RasterBitmap& image) {
  int n = 0;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) n += Alpha(image, x, y) > 0;
  }
  return n;
}

TEST(ImagePainter, ABoxCoversWholePixelsAndEdgePixelsByTheirShare) {
  struct Case {
    float left, top, right, bottom;
    int x, y, alpha;  // one pixel's expected alpha
    int covered;      // pixels touched at all
  };
  const Case cases[] = {
      {1, 1, 2, 2, 1, 1, 255, 1},    // exactly pixel (1, 1)
      {1, 1, 1.5f, 2, 1, 1, 128, 1}, // its left half
      {0, 0, 3, 3, 2, 2, 255, 9},    // all of a 3 x 3 image
      {1, 0, 2, 3, 0, 1, 0, 3},      // a column: its neighbours untouched
  };
  for (const Case& c : cases) {
    RasterMemBitmap image(3, 3);
    Painter p(image);
    p.Fill(RoundedBox(c.left, c.top, c.right, c.bottom, 0), kRed);
    EXPECT_EQ(Alpha(image, c.x, c.y), c.alpha) << c.left << "," << c.right;
    EXPECT_EQ(Covered(image), c.covered) << c.left << "," << c.right;
    EXPECT_EQ(image.Row(1)[1] & 0xFFFFFFu, 0xFF0000u);  // the colour itself, unmixed
  }
}

TEST(ImagePainter, APolygonCoversTheSameWhicheverWayItsCornersTurn) {
  RasterMemBitmap clockwise(17, 17), counter(17, 17);
  Painter(clockwise).Fill(Polygon({{2, 2}, {15, 2}, {2, 15}}), kRed);
  Painter(counter).Fill(Polygon({{2, 2}, {2, 15}, {15, 2}}), kRed);
  EXPECT_EQ(Alpha(clockwise, 4, 4), 255);
  EXPECT_EQ(Alpha(clockwise, 14, 14), 0);
  for (int y = 0; y < 17; ++y) {
    for (int x = 0; x < 17; ++x) ASSERT_EQ(clockwise.Row(y)[x], counter.Row(y)[x]) << x << "," << y;
  }
}

TEST(ImagePainter, RingsAndGlowsReachAsFarAsTheirRadius) {
  RasterMemBitmap ring(17, 17), glow(17, 17);
  Painter(ring).Fill(Ring(8.5f, 8.5f, 5, 1), kRed);
  EXPECT_EQ(Alpha(ring, 8, 8), 0);   // the middle stays empty
  EXPECT_EQ(Alpha(ring, 13, 8), 255);  // on the circle
  EXPECT_EQ(Alpha(ring, 16, 8), 0);  // beyond it
  Painter(glow).Glow(Circle(8.5f, 8.5f, 2), WithAlpha(kRed, 0.5f), 4);
  EXPECT_EQ(Alpha(glow, 8, 8), 128);  // full strength inside
  EXPECT_GT(Alpha(glow, 11, 8), 0);
  EXPECT_LT(Alpha(glow, 11, 8), 128);
  EXPECT_EQ(Alpha(glow, 15, 8), 0);   // nothing beyond the radius
}

TEST(ImagePainter, TextLandsInItsBoxByItsAlignment) {
  for (Align align : {Align::Left, Align::Centre, Align::Right}) {
    RasterMemBitmap image(60, 20);
    Painter p(image);
    TextStyle style;
    style.height = 12;
    style.colour = kRed;
    style.align = align;
    const int width = p.TextWidth("Hz", style);
    ASSERT_GT(width, 6);
    p.Text("Hz", style, 10, 2, 40);  // the box spans x 10 .. 50
    int first = 60, last = -1;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 60; ++x) {
        if (Alpha(image, x, y) > 64) first = std::min(first, x), last = std::max(last, x);
      }
    }
    const int start = align == Align::Left ? 10 : align == Align::Centre ? 10 + (40 - width) / 2 : 50 - width;
    EXPECT_GE(first, start - 1) << int(align);
    EXPECT_LE(last, start + width) << int(align);
    EXPECT_GT(last - first, width / 2) << int(align);
  }
}

}  // namespace
