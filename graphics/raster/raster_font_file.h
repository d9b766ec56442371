#pragma once
// Which font file draws a font: fontconfig's choice on the desktop, one of the
// faces built into the program in a web page (which has no fonts to ask for).

#include <cstddef>
#include <cstdint>
#include <string>

#include "raster_font.h"

struct RasterFontFile {
  std::string path;                 // a file to open, or
  const uint8_t* bytes = nullptr;   // the font's bytes in memory
  size_t size = 0;
  int index = 0;                    // the face in a collection
};

// False when there is no face for the font.
bool RasterFindFontFile(const RasterFontSpec& spec, RasterFontFile& file);
