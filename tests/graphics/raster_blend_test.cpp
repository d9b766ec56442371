// The combine arithmetic, case by case with results worked out by hand, and the
// same cases through blits and fills at every position of 1-, 3- and 17-pixel rows.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "raster_blend.h"
#include "raster_draw.h"
#include "raster_test_image.h"

namespace {

constexpr RasterBlend kAlphaBlend{RasterMode::Copy, true, 1.0f};
constexpr RasterBlend kCopy{RasterMode::Copy, false, 1.0f};
constexpr RasterBlend kAdd{RasterMode::Add, true, 1.0f};
constexpr RasterBlend kDodge{RasterMode::Dodge, true, 1.0f};

struct CombineCase {
  uint32_t dst, src;
  RasterBlend blend;
  uint32_t expected;
  const char* why;
};

// [x] below means (x + 127) / 255 in integers.
const CombineCase kCases[] = {
    {0xFF102030, 0xFFAABBCC, kAlphaBlend, 0xFFAABBCC, "opaque source replaces"},
    {0xFF102030, 0x00FFFFFF, kAlphaBlend, 0xFF102030, "transparent source leaves dst"},
    // a = 128: r = [255*128 + 32*127] = 144, g = [64*127] = 32, b = [96*127] = 48
    {0xFF204060, 0x80FF0000, kAlphaBlend, 0xFF902030, "half-transparent red over opaque"},
    // w = 128: every channel [255*128] = 128
    {0xFF000000, 0xFFFFFFFF, {RasterMode::Copy, true, 0.5f}, 0xFF808080, "opacity scales the source"},
    // k = 0, out.a = 128, r = (255*128 + 64) / 128 = 255: the colour is not darkened
    {0x00000000, 0x80FF0000, kAlphaBlend, 0x80FF0000, "over transparent keeps the colour"},
    // k = [128*127] = 64, out.a = 192, r = (255*128 + 96) / 192 = 170, b = (255*64 + 96) / 192 = 85
    {0x800000FF, 0x80FF0000, kAlphaBlend, 0xC0AA0055, "over half-transparent"},
    {0xFF123456, 0x40ABCDEF, kCopy, 0x40ABCDEF, "copy takes the word, alpha too"},
    // w = 64: a = [255*191] = 191, c = [255*64] = 64
    {0xFF000000, 0x00FFFFFF, {RasterMode::Copy, false, 0.25f}, 0xBF404040, "copy at a quarter"},
    // a = 128: r = 128 + [255*128] saturates, g = 64 + [128*128] = 128, b = 32 + [64*128] = 64
    {0xFF804020, 0x80FF8040, kAdd, 0xFFFF8040, "add scaled by alpha"},
    {0xFFC0C0C0, 0xFF808080, kAdd, 0xFFFFFFFF, "add saturates"},
    {0xFF101010, 0x00202020, {RasterMode::Add, false, 1.0f}, 0xFF303030, "add without alpha ignores it"},
    // r: (64*255 + 63) / 127 = 129; g: source 255 gives 255; b: dst 0 stays 0
    {0xFF408000, 0xFF80FF40, kDodge, 0xFF81FF00, "dodge"},
    // a = 128: r = [129*128 + 64*127] = 97, g = [255*128 + 128*127] = 192
    {0xFF408000, 0x8080FF40, kDodge, 0xFF61C000, "dodge mixed by alpha"},
    {0xFF336699, 0xFF000000, kDodge, 0xFF336699, "dodge with black changes nothing"},
    {0xFF336699, 0xFFFFFFFF, {RasterMode::Copy, false, 0.0f}, 0xFF336699, "opacity 0"},
    {0xFF336699, 0xFFFFFFFF, {RasterMode::Add, true, NAN}, 0xFF336699, "opacity NaN counts as 0"},
};

bool SameBlend(const RasterBlend& a, const RasterBlend& b) {
  const bool sameOpacity = a.opacity == b.opacity || (std::isnan(a.opacity) && std::isnan(b.opacity));
  return a.mode == b.mode && a.sourceAlpha == b.sourceAlpha && sameOpacity;
}

}  // namespace

TEST(RasterCombine, WorkedCases) {
  for (const CombineCase& c : kCases) EXPECT_EQ(RasterCombine(c.dst, c.src, c.blend), c.expected) << c.why;
}

// Each blend's cases cycled along rows of 1, 3 and 17 pixels: every position of a
// blit must give its case's result whatever its neighbours, and so must a fill.
TEST(RasterBlit, EveryPositionOfARowCombinesAlike) {
  for (const CombineCase& first : kCases) {
    std::vector<const CombineCase*> group;
    for (const CombineCase& c : kCases) {
      if (SameBlend(c.blend, first.blend)) group.push_back(&c);
    }
    for (int width : {1, 3, 17}) {
      RasterMemBitmap dst(width, 2), src(width, 2);
      for (int x = 0; x < width; ++x) {
        dst.Row(1)[x] = group[x % group.size()]->dst;
        src.Row(1)[x] = group[x % group.size()]->src;
      }
      RasterBlit(dst, src, 0, 1, 0, 1, width, 1, first.blend);
      for (int x = 0; x < width; ++x) EXPECT_EQ(At(dst, x, 1), group[x % group.size()]->expected) << width;
      EXPECT_EQ(AllPixels(dst).front(), 0u) << "row 0 untouched";

      RasterMemBitmap filled = FilledImage(width, 3, first.dst);
      RasterFillRect(filled, 0, 0, width, 3, first.src, first.blend);
      for (uint32_t pixel : AllPixels(filled)) EXPECT_EQ(pixel, first.expected) << first.why << ", " << width;
    }
  }
}
