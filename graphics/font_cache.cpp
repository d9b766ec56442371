#include "font_cache.h"

#include <cmath>
#include <cstring>

#include "parameter.h"
#include "raster_font.h"

FontCache& FontCache::Instance() {
  static FontCache cache;  // destroyed when the module unloads
  return cache;
}

namespace {
// The system font qualities of the text style's quality codes.
int SystemQuality(int quality) {
  static const int kQualities[] = {0, 3, 4, 5};
  return quality >= 0 && quality < 4 ? kQualities[quality] : 0;
}

RasterFontSpec SpecOf(const ITextStyle& style, int size) {
  constexpr int kBoldWeight = 700, kNormalWeight = 400;
  RasterFontSpec spec;
  CopyText(spec.face, style.face, sizeof spec.face);
  spec.height = size;
  spec.weight = (style.style & kTextBold) ? kBoldWeight : kNormalWeight;
  spec.italic = (style.style & kTextItalic) != 0;
  spec.orientation = style.orientation * 10;
  spec.quality = SystemQuality(style.quality);
  return spec;
}
}  // namespace

RasterCachedFont* FontCache::Find(const ITextStyle& style, double scale) {
  // Text at a scale is rasterised at the scaled size, never stretched.
  const int size = scale == 1.0 ? style.size : static_cast<int>(std::lround(style.size * scale));
  std::lock_guard<std::mutex> lock(mutex_);
  for (const Entry& entry : entries_) {
    if (entry.size == size && entry.orientation == style.orientation && entry.style == style.style &&
        std::strncmp(entry.face, style.face, sizeof entry.face) == 0) {
      return entry.font.get();
    }
  }
  std::unique_ptr<RasterCachedFont> font = RasterCachedFont::Create(SpecOf(style, size));
  if (!font) return nullptr;
  Entry entry{size, style.orientation, style.style, {}, std::move(font)};
  CopyText(entry.face, style.face, sizeof entry.face);
  entries_.push_back(std::move(entry));
  return entries_.back().font.get();
}

bool FontCache::Draw(RasterCachedFont& font, uint32_t colour, RasterBitmap& dst, const char* text,
                     const RasterRect& rect, unsigned flags) {
  std::lock_guard<std::mutex> lock(mutex_);
  font.SetColour(colour);
  return font.DrawText(dst, text, rect, flags);
}

int FontCache::TextWidth(RasterCachedFont& font, const char* text) {
  std::lock_guard<std::mutex> lock(mutex_);
  return font.TextWidth(text);
}

int FontCache::Count() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(entries_.size());
}
