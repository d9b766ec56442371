// Text drawn with system fonts ("Arial": Liberation Sans here, GDI's own under
// wine), checked by where the ink lands rather than by exact glyph shapes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>
#include <memory>

#include "raster_font.h"
#include "raster_test_image.h"
#include "raster_utf8.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;

struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive bounds of non-white pixels
};

Ink InkOf(const RasterBitmap& image) {
  Ink ink;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      if (At(image, x, y) == kWhite) continue;
      ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

std::unique_ptr<RasterCachedFont> Font(int height, int weight = 400, const char* face = "Arial", int quality = 0) {
  RasterFontSpec spec;
  std::snprintf(spec.face, sizeof spec.face, "%s", face);
  spec.height = height, spec.weight = weight, spec.quality = quality;
  std::unique_ptr<RasterCachedFont> font = RasterCachedFont::Create(spec);
  if (font != nullptr) font->SetColour(kBlack);
  return font;
}

// Text drawn on a white 100 x 60 image.
RasterMemBitmap Drawn(RasterFont& font, const char* text, const RasterRect& rect, unsigned flags = 0) {
  RasterMemBitmap image = FilledImage(100, 60, kWhite);
  EXPECT_TRUE(font.DrawText(image, text, rect, flags));
  return image;
}

}  // namespace

TEST(RasterFont, MetricsAndBaseline) {
  auto font = Font(20);
  ASSERT_NE(font, nullptr);
  EXPECT_NEAR(font->LineHeight(), 20, 1) << "a positive height is the cell height";
  EXPECT_GT(font->Ascent(), font->LineHeight() / 2);
  EXPECT_EQ(font->TextWidth("Ab"), font->TextWidth("A") + font->TextWidth("b"));
  EXPECT_EQ(font->TextWidth("Ab\nA"), font->TextWidth("Ab")) << "the widest line";
  EXPECT_GT(Font(20, 700)->TextWidth("Hello"), font->TextWidth("Hello")) << "bold is wider";
  EXPECT_EQ(RasterCachedFont::Create(RasterFontSpec{"Arial", 0}), nullptr);

  const Ink one = InkOf(Drawn(*font, "H", {10, 6, 80, 50}));
  EXPECT_EQ(one.bottom, 6 + font->Ascent() - 1) << "H stands on the baseline, Ascent() below the top";
  EXPECT_GT(one.top, 6);
  EXPECT_GE(one.left, 10);
  EXPECT_LE(one.left, 13);
  EXPECT_EQ(InkOf(Drawn(*font, "H\nH", {10, 6, 80, 50})).bottom, one.bottom + font->LineHeight());
}

TEST(RasterFont, AlignmentMovesTheInkByTheFreeWidth) {
  auto font = Font(15);
  const RasterRect rect{0, 0, 100, 20};
  const int free = rect.w - font->TextWidth("Hi there");
  const RasterMemBitmap left = Drawn(*font, "Hi there", rect);
  const RasterMemBitmap centred = Drawn(*font, "Hi there", rect, kRasterTextCentred);
  const RasterMemBitmap right = Drawn(*font, "Hi there", rect, kRasterTextRight);
  // Moving the left-aligned picture gives the others, pixel for pixel.
  const auto leftAt = [&](int x, int y) { return x >= 0 && x < 100 ? At(left, x, y) : kWhite; };
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 100; ++x) {
      ASSERT_EQ(At(right, x, y), leftAt(x - free, y)) << x << "," << y;
      ASSERT_EQ(At(centred, x, y), leftAt(x - free / 2, y)) << x << "," << y;
    }
  }
  EXPECT_GT(InkOf(right).right, 95);
}

TEST(RasterFont, ColourAndItsAlpha) {
  auto font = Font(30);
  font->SetColour(0xFFFF0000);
  int solid = 0;
  for (uint32_t p : AllPixels(Drawn(*font, "H", {0, 0, 100, 40}))) {
    solid += p == 0xFFFF0000;
    EXPECT_TRUE((p & 0xFFFF0000) == 0xFFFF0000 && ((p >> 8) & 0xFF) == (p & 0xFF)) << "between white and red";
  }
  EXPECT_GT(solid, 30) << "the stems are pure red";
  // Black at alpha 128 over white at full coverage: [255 * 127] = 127 with the flag;
  // without it the colour counts as opaque.
  font->SetColour(0x80000000);
  for (auto [flags, darkest] : {std::pair{unsigned{kRasterTextUseAlpha}, 0xFF7F7F7Fu}, std::pair{0u, kBlack}}) {
    const std::vector<uint32_t> pixels = AllPixels(Drawn(*font, "H", {0, 0, 100, 40}, flags));
    EXPECT_EQ(*std::min_element(pixels.begin(), pixels.end()), darkest) << flags;
  }
}

TEST(RasterFont, TheRectangleClipsUnlessToldNotTo) {
  auto font = Font(15);
  const Ink clipped = InkOf(Drawn(*font, "WWWW", {10, 0, 8, 20}));
  EXPECT_GE(clipped.left, 10);
  EXPECT_LE(clipped.right, 17);
  EXPECT_GT(InkOf(Drawn(*font, "WWWW", {10, 0, 8, 20}, kRasterTextNoClip)).right, 30);
}

TEST(RasterFont, NonAntialiasedQualityAndCharactersBeyondAscii) {
  auto mono = Font(15, 400, "Arial", 3);
  ASSERT_NE(mono, nullptr);
  const std::vector<uint32_t> pixels = AllPixels(Drawn(*mono, "Bold move", {0, 0, 100, 20}));
  EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](uint32_t p) { return p == kWhite || p == kBlack; }));
  EXPECT_GT(std::count(pixels.begin(), pixels.end(), kBlack), 20);

  auto font = Font(20);
  const auto ink = [&](const char* text) { return AllPixels(Drawn(*font, text, {0, 0, 100, 40})); };
  EXPECT_NE(ink("\xC3\x89"), ink("E")) << "E with acute";
  EXPECT_NE(ink("\xC3\x89"), ink("?"));
#ifndef _WIN32
  // Verdana resolves to DejaVu Sans, wider than Arial's Liberation Sans, as on Windows.
  EXPECT_GT(Font(15, 400, "Verdana")->TextWidth("Binaural beats"), Font(15)->TextWidth("Binaural beats"));
#endif
}

TEST(RasterUtf8, DecodesAndReplacesMalformedSequences) {
  // Well-formed sequences of 2 and 4 bytes; then a stray continuation byte, an
  // overlong NUL, a surrogate, a code beyond U+10FFFF and a sequence cut short.
  const std::pair<const char*, uint32_t> cases[] = {{"\xC3\xA9", 0xE9}, {"\xF0\x9F\x8E\xB5", 0x1F3B5},
      {"\x80", 0xFFFD}, {"\xC0\x80", 0xFFFD}, {"\xED\xA0\x80", 0xFFFD}, {"\xF4\x90\x80\x80", 0xFFFD}, {"\xE2\x82", 0xFFFD}};
  for (const auto& [text, code] : cases) {
    const char* p = text;
    EXPECT_EQ(RasterNextCodepoint(p), code) << text;
    EXPECT_EQ(p - text, code == 0xFFFD ? 1 : static_cast<ptrdiff_t>(std::strlen(text))) << text;
  }
}
