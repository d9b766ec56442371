// fontconfig's metric aliases turn "Arial" into Liberation Sans and "Verdana"
// into DejaVu Sans, faces with the same advance widths, so text measures as it
// does on Windows.
#include <fontconfig/fontconfig.h>

#include <cstring>

#include "raster_font_file.h"

bool RasterFindFontFile(const RasterFontSpec& spec, RasterFontFile& file) {
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return false;
  std::string face(spec.face, strnlen(spec.face, sizeof spec.face));
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(spec.weight > 0 ? spec.weight : 400));
  FcPatternAddInteger(pattern, FC_SLANT, spec.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return false;
  FcChar8* path = nullptr;
  const bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch &&
                     FcPatternGetInteger(match, FC_INDEX, 0, &file.index) == FcResultMatch;
  if (found) file.path = reinterpret_cast<const char*>(path);
  FcPatternDestroy(match);
  return found;
}
