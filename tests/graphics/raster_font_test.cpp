// Text drawn with system fonts ("Arial": Liberation Sans here, GDI's own under
// wine), checked by where the ink lands rather than by exact glyph shapes.
#include <gtest/gtest.h>

#include <memory>

#include "raster_font.h"
#include "raster_test_image.h"
#include "raster_utf8.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;

struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive bounds
  int pixels = 0;
};

Ink InkOf(const RasterBitmap& image, uint32_t background) {
  Ink ink;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      if (At(image, x, y) == background) continue;
      ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
      ++ink.pixels;
    }
  }
  return ink;
}

std::unique_ptr<RasterCachedFont> Font(int height, int weight = 400, const char* face = "Arial", int quality = 0) {
  RasterFontSpec spec;
  snprintf(spec.face, sizeof spec.face, "%s", face);
  spec.height = height;
  spec.weight = weight;
  spec.quality = quality;
  std::unique_ptr<RasterCachedFont> font = RasterCachedFont::Create(spec);
  if (font != nullptr) font->SetColour(kBlack);
  return font;
}

RasterMemBitmap Drawn(RasterFont& font, const char* text, const RasterRect& rect, unsigned flags, int width = 100,
                      int height = 40) {
  RasterMemBitmap image = FilledImage(width, height, kWhite);
  EXPECT_TRUE(font.DrawText(image, text, rect, flags));
  return image;
}

}  // namespace

TEST(RasterFont, MetricsFollowTheCellHeight) {
  auto font = Font(15);
  ASSERT_NE(font, nullptr);
  EXPECT_GE(font->LineHeight(), 14);
  EXPECT_LE(font->LineHeight(), 16);
  EXPECT_GT(font->Ascent(), font->LineHeight() / 2);
  EXPECT_LT(font->Ascent(), font->LineHeight());
  EXPECT_GT(font->TextWidth("WWW"), font->TextWidth("iii"));
  EXPECT_EQ(font->TextWidth("Ab"), font->TextWidth("A") + font->TextWidth("b"));
  EXPECT_EQ(font->TextWidth(""), 0);
  EXPECT_EQ(font->TextWidth("Ab\nA"), font->TextWidth("Ab")) << "the widest line";
  EXPECT_GT(Font(15, 700)->TextWidth("Hello"), font->TextWidth("Hello")) << "bold is wider";
  EXPECT_EQ(RasterCachedFont::Create(RasterFontSpec{"Arial", 0}), nullptr);
}

TEST(RasterFont, InkStaysInTheRectangleAndSitsOnTheBaseline) {
  auto font = Font(20);
  const RasterRect rect{10, 6, 80, 30};
  const Ink ink = InkOf(Drawn(*font, "H", rect, 0), kWhite);
  ASSERT_GT(ink.pixels, 20);
  EXPECT_GE(ink.left, rect.x);
  EXPECT_LE(ink.left, rect.x + 3) << "left aligned";
  EXPECT_GT(ink.top, rect.y) << "capitals start below the ascent line";
  EXPECT_EQ(ink.bottom, rect.y + font->Ascent() - 1) << "H stands on the baseline";
  const Ink twoLines = InkOf(Drawn(*font, "H\nH", {10, 6, 80, 60}, 0, 100, 80), kWhite);
  EXPECT_EQ(twoLines.bottom, ink.bottom + font->LineHeight());
}

TEST(RasterFont, AlignmentMovesTheInkByTheFreeWidth) {
  auto font = Font(15);
  const RasterRect rect{0, 0, 100, 20};
  const int free = rect.w - font->TextWidth("Hi there");
  const std::vector<uint32_t> left = AllPixels(Drawn(*font, "Hi there", rect, 0));
  const RasterMemBitmap centred = Drawn(*font, "Hi there", rect, kRasterTextCentred);
  const RasterMemBitmap right = Drawn(*font, "Hi there", rect, kRasterTextRight);
  // Moving the left-aligned picture gives the others, pixel for pixel.
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 100; ++x) {
      const auto leftAt = [&](int lx) { return lx >= 0 && lx < 100 ? left[y * 100 + lx] : kWhite; };
      ASSERT_EQ(At(right, x, y), leftAt(x - free)) << x << "," << y;
      ASSERT_EQ(At(centred, x, y), leftAt(x - free / 2)) << x << "," << y;
    }
  }
  EXPECT_GT(InkOf(right, kWhite).right, 95);
}

TEST(RasterFont, ColourAndItsAlpha) {
  auto font = Font(30);
  font->SetColour(0xFFFF0000);
  const RasterMemBitmap red = Drawn(*font, "H", {0, 0, 100, 40}, 0);
  int solid = 0;
  for (uint32_t p : AllPixels(red)) {
    solid += p == 0xFFFF0000;
    EXPECT_EQ(p & 0xFFFF0000, 0xFFFF0000u) << "between white and red";
    EXPECT_EQ((p >> 8) & 0xFF, p & 0xFF);
  }
  EXPECT_GT(solid, 30) << "the stems are pure red";

  // Black at alpha 128: full coverage gives [255 * 127] = 127 with the flag; the
  // colour counts as opaque without it.
  font->SetColour(0x80000000);
  uint32_t darkest = kWhite;
  for (uint32_t p : AllPixels(Drawn(*font, "H", {0, 0, 100, 40}, kRasterTextUseAlpha))) darkest = std::min(darkest, p);
  EXPECT_EQ(darkest, 0xFF7F7F7Fu);
  darkest = kWhite;
  for (uint32_t p : AllPixels(Drawn(*font, "H", {0, 0, 100, 40}, 0))) darkest = std::min(darkest, p);
  EXPECT_EQ(darkest, kBlack);
}

TEST(RasterFont, TheRectangleClipsUnlessToldNotTo) {
  auto font = Font(15);
  const RasterRect narrow{10, 0, 8, 20};
  const Ink clipped = InkOf(Drawn(*font, "WWWW", narrow, 0), kWhite);
  EXPECT_GE(clipped.left, 10);
  EXPECT_LE(clipped.right, 17);
  EXPECT_GT(clipped.pixels, 0);
  EXPECT_GT(InkOf(Drawn(*font, "WWWW", narrow, kRasterTextNoClip), kWhite).right, 30);
}

TEST(RasterFont, NonAntialiasedQualityDrawsOnlyWholePixels) {
  auto font = Font(15, 400, "Arial", 3);
  ASSERT_NE(font, nullptr);
  const RasterMemBitmap image = Drawn(*font, "Bold move", {0, 0, 100, 20}, 0);
  for (uint32_t p : AllPixels(image)) EXPECT_TRUE(p == kWhite || p == kBlack) << std::hex << p;
  EXPECT_GT(InkOf(image, kWhite).pixels, 20);
}

TEST(RasterFont, CharactersBeyondAsciiHaveTheirOwnGlyphs) {
  auto font = Font(20);
  const auto ink = [&](const char* text) { return AllPixels(Drawn(*font, text, {0, 0, 100, 40}, 0)); };
  EXPECT_NE(ink("\xC3\x89"), ink("E")) << "E with acute";
  EXPECT_NE(ink("\xC3\x89"), ink("?"));
}

#ifndef _WIN32
TEST(RasterFont, VerdanaIsTheWiderFaceItIsOnWindows) {
  // Verdana resolves to DejaVu Sans, wider than Arial's Liberation Sans, as on Windows.
  EXPECT_GT(Font(15, 400, "Verdana")->TextWidth("Binaural beats"), Font(15)->TextWidth("Binaural beats"));
}
#endif

TEST(RasterUtf8, DecodesAndReplacesMalformedSequences) {
  struct Case {
    const char* text;
    uint32_t code;
    int length;
  };
  const Case cases[] = {
      {"A", 'A', 1},
      {"\xC3\xA9", 0xE9, 2},
      {"\xE2\x82\xAC", 0x20AC, 3},
      {"\xF0\x9F\x8E\xB5", 0x1F3B5, 4},
      {"\x80", kRasterReplacementChar, 1},          // stray continuation
      {"\xC0\x80", kRasterReplacementChar, 1},      // overlong NUL
      {"\xED\xA0\x80", kRasterReplacementChar, 1},  // surrogate
      {"\xF4\x90\x80\x80", kRasterReplacementChar, 1},  // beyond U+10FFFF
      {"\xE2\x82", kRasterReplacementChar, 1},      // cut short by the NUL
  };
  for (const Case& c : cases) {
    const char* p = c.text;
    EXPECT_EQ(RasterNextCodepoint(p), c.code) << c.text;
    EXPECT_EQ(p - c.text, c.length) << c.text;
  }
}
