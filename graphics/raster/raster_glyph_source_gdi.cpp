// Glyphs from GDI: the font made with CreateFont's own arguments, each glyph
// fetched with GetGlyphOutline as a 65-level grey mask (or a 1-bit mask for
// non-antialiased quality) through a memory device context the font owns.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "raster_glyph_source.h"

namespace {

constexpr int kGreyLevels = 64;  // GGO_GRAY8_BITMAP gives 0..64
constexpr uint32_t kLastBmpChar = 0xFFFF;

std::wstring Widen(const char* text, size_t length) {
  const int count = MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0);
  std::wstring wide(static_cast<size_t>(count > 0 ? count : 0), L'\0');
  if (count > 0) MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(length), wide.data(), count);
  return wide;
}

uint8_t GreyCoverage(uint8_t level) {
  return static_cast<uint8_t>((std::min<uint32_t>(level, kGreyLevels) * 255 + kGreyLevels / 2) / kGreyLevels);
}

// Bytes from the start of one mask row to the next: rows are DWORD-aligned.
size_t MaskPitch(UINT format, UINT width) {
  return format == GGO_BITMAP ? (width + 31) / 32 * 4 : (width + 3) / 4 * 4;
}

class GdiSource final : public RasterGlyphSource {
 public:
  ~GdiSource() override {
    if (dc_ != nullptr) {
      if (previous_ != nullptr) SelectObject(dc_, previous_);
      DeleteDC(dc_);
    }
    if (font_ != nullptr) DeleteObject(font_);
  }

  bool Open(const RasterFontSpec& spec) {
    const std::wstring face = Widen(spec.face, strnlen(spec.face, sizeof spec.face));
    // Escapement and orientation stay 0: glyphs are laid out level.
    font_ = CreateFontW(spec.height, 0, 0, 0, spec.weight, spec.italic ? TRUE : FALSE, FALSE, FALSE, ANSI_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, static_cast<DWORD>(spec.quality), DEFAULT_PITCH,
                        face.c_str());
    if (font_ == nullptr) return false;
    dc_ = CreateCompatibleDC(nullptr);
    if (dc_ == nullptr) return false;
    previous_ = SelectObject(dc_, font_);
    TEXTMETRICW metrics = {};
    if (!GetTextMetricsW(dc_, &metrics)) return false;
    ascent_ = metrics.tmAscent;
    lineHeight_ = metrics.tmHeight;
    format_ = spec.quality == NONANTIALIASED_QUALITY ? GGO_BITMAP : GGO_GRAY8_BITMAP;
    return true;
  }

  bool Render(uint32_t codepoint, RasterGlyph& glyph) override {
    if (codepoint > kLastBmpChar) return false;
    const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    GLYPHMETRICS metrics = {};
    const UINT ch = codepoint;
    const DWORD size = GetGlyphOutlineW(dc_, ch, format_, &metrics, 0, nullptr, &identity);
    if (size == GDI_ERROR) return false;
    glyph.advance = metrics.gmCellIncX;
    if (size == 0) return true;  // blank, like the space: an advance and no ink
    std::vector<uint8_t> mask(size);
    if (GetGlyphOutlineW(dc_, ch, format_, &metrics, size, mask.data(), &identity) == GDI_ERROR) return false;
    const size_t pitch = MaskPitch(format_, metrics.gmBlackBoxX);
    if (pitch * metrics.gmBlackBoxY > size) return false;
    glyph.left = metrics.gmptGlyphOrigin.x;
    glyph.top = metrics.gmptGlyphOrigin.y;
    glyph.width = static_cast<int>(metrics.gmBlackBoxX);
    glyph.rows = static_cast<int>(metrics.gmBlackBoxY);
    glyph.coverage.assign(static_cast<size_t>(glyph.width) * glyph.rows, 0);
    for (int y = 0; y < glyph.rows; ++y) {
      const uint8_t* row = mask.data() + pitch * y;
      for (int x = 0; x < glyph.width; ++x) {
        glyph.coverage[static_cast<size_t>(y) * glyph.width + x] =
            format_ == GGO_BITMAP ? RasterMonoCoverage(row, x) : GreyCoverage(row[x]);
      }
    }
    return true;
  }

 private:
  HFONT font_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  UINT format_ = GGO_GRAY8_BITMAP;
};

}  // namespace

std::unique_ptr<RasterGlyphSource> RasterOpenGlyphSource(const RasterFontSpec& spec) {
  auto source = std::make_unique<GdiSource>();
  if (!source->Open(spec)) return nullptr;
  return source;
}
