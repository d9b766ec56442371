// Glyphs from FreeType, from the face RasterFindFontFile chooses.
//
// Sizes follow GDI: a positive height is the cell height, ascent plus descent as
// the font's Windows metrics (OS/2 usWinAscent, usWinDescent) give them.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>

#include "raster_font_file.h"
#include "raster_glyph_source.h"

namespace {

constexpr int kNonAntialiasedQuality = 3;
constexpr double kFixed26_6 = 64.0;

class FreeTypeSource final : public RasterGlyphSource {
 public:
  ~FreeTypeSource() override {
    if (face_ != nullptr) FT_Done_Face(face_);
    if (library_ != nullptr) FT_Done_FreeType(library_);
  }

  bool Open(const RasterFontSpec& spec) {
    RasterFontFile file;
    if (!RasterFindFontFile(spec, file) || FT_Init_FreeType(&library_) != 0) return false;
    const FT_Error opened = file.bytes != nullptr
                                ? FT_New_Memory_Face(library_, file.bytes, static_cast<FT_Long>(file.size), file.index, &face_)
                                : FT_New_Face(library_, file.path.c_str(), file.index, &face_);
    if (opened != 0) return false;
    if (!FT_IS_SCALABLE(face_)) return false;
    double ascent = face_->ascender, descent = -face_->descender;  // font units
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2))) {
      if (os2->usWinAscent + os2->usWinDescent > 0) {
        ascent = os2->usWinAscent;
        descent = os2->usWinDescent;
      }
    }
    if (ascent + descent <= 0) return false;
    const double em = spec.height > 0 ? spec.height * face_->units_per_EM / (ascent + descent) : -spec.height;
    if (FT_Set_Char_Size(face_, 0, static_cast<FT_F26Dot6>(std::lround(em * kFixed26_6)), 72, 72) != 0) return false;
    const double scale = em / face_->units_per_EM;
    ascent_ = static_cast<int>(std::lround(ascent * scale));
    lineHeight_ = ascent_ + static_cast<int>(std::lround(descent * scale));
    mono_ = spec.quality == kNonAntialiasedQuality;
    return true;
  }

  bool Render(uint32_t codepoint, RasterGlyph& glyph) override {
    const FT_UInt index = FT_Get_Char_Index(face_, codepoint);
    if (index == 0) return false;
    const FT_Int32 load = FT_LOAD_DEFAULT | (mono_ ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
    if (FT_Load_Glyph(face_, index, load) != 0) return false;
    FT_GlyphSlot slot = face_->glyph;
    if (FT_Render_Glyph(slot, mono_ ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return false;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph.coverage.assign(static_cast<size_t>(glyph.width) * glyph.rows, 0);
    for (int y = 0; y < glyph.rows; ++y) {
      const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
      for (int x = 0; x < glyph.width; ++x) {
        const uint8_t value = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? RasterMonoCoverage(row, x) : row[x];
        glyph.coverage[static_cast<size_t>(y) * glyph.width + x] = value;
      }
    }
    return true;
  }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
  bool mono_ = false;
};

}  // namespace

std::unique_ptr<RasterGlyphSource> RasterOpenGlyphSource(const RasterFontSpec& spec) {
  auto source = std::make_unique<FreeTypeSource>();
  if (!source->Open(spec)) return nullptr;
  return source;
}
