#pragma once
// The process-wide font cache: one font per size, orientation, style and face,
// shared by every editor of this module until the module is unloaded.
//
// Threads: any; one lock guards lookups, insertions and drawing with a cached
// font (a font keeps its colour and glyphs, so it draws for one thread at a time).

#include <memory>
#include <mutex>
#include <vector>

#include "raster_bitmap.h"
#include "text_style.h"

class RasterCachedFont;

class FontCache {
 public:
  static FontCache& Instance();

  // The font for style at scale times its size, made on first use; null when it cannot be made
  // (nothing is cached then).
  RasterCachedFont* Find(const ITextStyle& style, double scale = 1.0);
  bool Draw(RasterCachedFont& font, uint32_t colour, RasterBitmap& dst, const char* text, const RasterRect& rect,
            unsigned flags);
  // Advance width of text in pixels.
  int TextWidth(RasterCachedFont& font, const char* text);
  int Count() const;

 private:
  struct Entry {
    int size;
    int orientation;
    int style;
    char face[36];
    std::unique_ptr<RasterCachedFont> font;
  };

  FontCache() = default;

  mutable std::mutex mutex_;
  std::vector<Entry> entries_;
};
