// A web page has no fonts to ask for: the faces the desktop's fontconfig picks
// for the editor's fonts are built in, and chosen by the same aliases ("Arial"
// is drawn with Liberation Sans, anything else with DejaVu Sans), so the editor
// draws the same pixels. Only the regular faces are built in: the editor asks
// for no other weight or slant.
#include <cstring>
#include <string>

#include "embedded_fonts.h"
#include "raster_font_file.h"

namespace {

const char* BuiltInFamily(const std::string& face) {
  for (const char* metricAlias : {"Arial", "Helvetica", "Liberation Sans"}) {
    if (face == metricAlias) return "Liberation Sans";
  }
  return "DejaVu Sans";
}

}  // namespace

bool RasterFindFontFile(const RasterFontSpec& spec, RasterFontFile& file) {
  const char* family = BuiltInFamily(std::string(spec.face, strnlen(spec.face, sizeof spec.face)));
  for (int i = 0; i < kEmbeddedFontCount; ++i) {
    if (std::strcmp(kEmbeddedFonts[i].family, family) == 0) {
      file.bytes = kEmbeddedFonts[i].data;
      file.size = kEmbeddedFonts[i].size;
      file.index = 0;
      return true;
    }
  }
  return false;
}
