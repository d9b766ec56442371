#pragma once
// Where a cached font's glyphs come from: the system's font machinery (GDI on
// Windows, FreeType with fontconfig elsewhere), asked once per character.

#include <cstdint>
#include <memory>
#include <vector>

#include "raster_font.h"

struct RasterGlyph {
  int left = 0;     // pixels from the pen position to the mask's first column
  int top = 0;      // pixels from the baseline up to the mask's first row
  int width = 0;    // mask size, pixels
  int rows = 0;
  int advance = 0;  // pixels the pen moves on
  std::vector<uint8_t> coverage;  // width * rows, top row first, 0..255
};

class RasterGlyphSource {
 public:
  virtual ~RasterGlyphSource() = default;
  int Ascent() const { return ascent_; }          // pixels
  int LineHeight() const { return lineHeight_; }  // ascent + descent, pixels
  // False when the font has no way to draw the character.
  virtual bool Render(uint32_t codepoint, RasterGlyph& glyph) = 0;

 protected:
  int ascent_ = 0;
  int lineHeight_ = 0;
};

// Coverage of pixel x of a 1-bit mask row, most significant bit first.
inline uint8_t RasterMonoCoverage(const uint8_t* row, int x) { return (row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0; }

// Null when no face can be found or made. The height is not 0.
std::unique_ptr<RasterGlyphSource> RasterOpenGlyphSource(const RasterFontSpec& spec);
