#pragma once
// Text drawn with a system font: GDI on Windows, FreeType with a face found
// through fontconfig elsewhere ("Arial" and "Verdana" resolve to
// metric-compatible faces). Glyphs are rasterised once and kept.
//
// Threads: a font is used by one thread at a time; creation may run on any.

#include <cstdint>
#include <memory>

#include "raster_bitmap.h"

// The arguments of a GDI font, with GDI's meanings.
struct RasterFontSpec {
  char face[36] = "Arial";
  int height = 14;       // > 0 cell height (ascent + descent), < 0 em height, pixels; 0 is refused
  int weight = 400;      // 400 normal, 700 bold
  bool italic = false;
  int orientation = 0;   // tenths of a degree, counter-clockwise; not applied: text is drawn level
  int quality = 0;       // 0 default, 3 non-antialiased, 4 antialiased, 5 ClearType (drawn as 4)
};

enum RasterTextFlags : unsigned {
  kRasterTextCentred = 1u,   // horizontal centre of the rectangle
  kRasterTextRight = 2u,     // right edge of the rectangle
  kRasterTextNoClip = 4u,    // may draw outside the rectangle (still inside the image's clip)
  kRasterTextUseAlpha = 8u,  // the colour's alpha scales the glyphs
};

class RasterFont {
 public:
  virtual ~RasterFont() = default;
  void SetColour(uint32_t argb) { colour_ = argb; }
  uint32_t Colour() const { return colour_; }
  // Draws UTF-8 text starting at the rectangle's top (no vertical centring): the
  // baseline of the first line lies Ascent() below it, each further line (after a
  // '\n') LineHeight() lower. Alignment applies to each line. Drawn as an alpha
  // blend of the colour, opaque unless kRasterTextUseAlpha. Malformed UTF-8 shows
  // as U+FFFD. False when dst has no pixels; null text draws nothing.
  virtual bool DrawText(RasterBitmap& dst, const char* text, const RasterRect& rect,
                        unsigned flags) = 0;
  // Advance width of text in pixels (of its widest line).
  virtual int TextWidth(const char* text) = 0;
  virtual int LineHeight() const = 0;  // ascent + descent, pixels
  virtual int Ascent() const = 0;      // baseline below the top of a line, pixels

 private:
  uint32_t colour_ = 0xFF000000u;
};

class RasterCachedFont : public RasterFont {
 public:
  // Null when no face can be found or made.
  static std::unique_ptr<RasterCachedFont> Create(const RasterFontSpec& spec);
};
