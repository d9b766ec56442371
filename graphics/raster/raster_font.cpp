// Cached fonts: each character is rasterised once by the system's font machinery
// and kept as a coverage mask; drawing lays the masks with the pen used by the
// shapes, so text blends like everything else.
#include <algorithm>
#include <unordered_map>

#include "raster_font.h"
#include "raster_glyph_source.h"
#include "raster_mix.h"
#include "raster_pen.h"
#include "raster_utf8.h"

namespace {

// What stands in for a character the font cannot draw.
constexpr uint32_t kFallbackChar = '?';

using TextPen = raster::Pen<raster::Mixer<raster::OverOp, true>>;

class CachedFont final : public RasterCachedFont {
 public:
  explicit CachedFont(std::unique_ptr<RasterGlyphSource> source) : source_(std::move(source)) {}

  bool DrawText(RasterBitmap& dst, const char* text, const RasterRect& rect, unsigned flags) override {
    if (dst.Pixels() == nullptr) return false;
    if (text == nullptr) return true;
    const RasterRect area = (flags & kRasterTextNoClip) ? dst.Clip() : RasterIntersect(dst.Clip(), rect);
    const uint32_t colour = (flags & kRasterTextUseAlpha) ? Colour() : Colour() | 0xFF000000u;
    TextPen pen(dst, area, colour, raster::kMax, {});
    ForEachLine(text, [&](const char* begin, const char* end, int index) {
      DrawLine(pen, begin, end, LineStart(rect, LineWidth(begin, end), flags),
               rect.y + Ascent() + index * LineHeight());
    });
    return true;
  }

  int TextWidth(const char* text) override {
    int widest = 0;
    if (text != nullptr) {
      ForEachLine(text, [&](const char* begin, const char* end, int) { widest = std::max(widest, LineWidth(begin, end)); });
    }
    return widest;
  }

  int LineHeight() const override { return source_->LineHeight(); }
  int Ascent() const override { return source_->Ascent(); }

 private:
  // Calls fn(begin, end, index) for each line of text (split at '\n').
  template <class Fn>
  static void ForEachLine(const char* text, Fn&& fn) {
    for (int index = 0;; ++index) {
      const char* end = text;
      while (*end != '\0' && *end != '\n') ++end;
      fn(text, end, index);
      if (*end == '\0') return;
      text = end + 1;
    }
  }

  static int LineStart(const RasterRect& rect, int width, unsigned flags) {
    if (flags & kRasterTextRight) return rect.x + rect.w - width;
    if (flags & kRasterTextCentred) return rect.x + (rect.w - width) / 2;
    return rect.x;
  }

  int LineWidth(const char* p, const char* end) {
    int width = 0;
    while (p < end) width += Glyph(RasterNextCodepoint(p)).advance;
    return width;
  }

  void DrawLine(TextPen& pen, const char* p, const char* end, int x, int baseline) {
    while (p < end) {
      const RasterGlyph& glyph = Glyph(RasterNextCodepoint(p));
      DrawGlyph(pen, glyph, x + glyph.left, baseline - glyph.top);
      x += glyph.advance;
    }
  }

  static void DrawGlyph(TextPen& pen, const RasterGlyph& glyph, int left, int top) {
    const RasterRect& area = pen.Area();
    const RasterRect box = RasterIntersect({left, top, glyph.width, glyph.rows}, area);
    for (int y = box.y; y < box.y + box.h; ++y) {
      const uint8_t* coverage = glyph.coverage.data() + static_cast<size_t>(y - top) * glyph.width;
      for (int x = box.x; x < box.x + box.w; ++x) pen.Plot(x, y, coverage[x - left]);
    }
  }

  // The glyph of a character, rasterised on first use; a character the font cannot
  // draw is cached as the fallback's glyph (or as nothing at all).
  const RasterGlyph& Glyph(uint32_t codepoint) {
    auto found = glyphs_.find(codepoint);
    if (found != glyphs_.end()) return found->second;
    RasterGlyph glyph;
    if (!source_->Render(codepoint, glyph) && codepoint != kFallbackChar) glyph = Glyph(kFallbackChar);
    return glyphs_.emplace(codepoint, std::move(glyph)).first->second;
  }

  std::unique_ptr<RasterGlyphSource> source_;
  std::unordered_map<uint32_t, RasterGlyph> glyphs_;
};

}  // namespace

std::unique_ptr<RasterCachedFont> RasterCachedFont::Create(const RasterFontSpec& spec) {
  if (spec.height == 0) return nullptr;
  std::unique_ptr<RasterGlyphSource> source = RasterOpenGlyphSource(spec);
  if (source == nullptr) return nullptr;
  return std::make_unique<CachedFont>(std::move(source));
}
