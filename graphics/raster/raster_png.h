#pragma once
// PNG images through libpng. Decoding expands palettes, low-bit grey and the
// transparency chunk, reduces 16-bit channels to 8, turns grey into RGB and adds
// an opaque alpha where there is none. Reads stay within the given bytes; images
// beyond a sane size are refused; any libpng error gives null.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "raster_bitmap.h"

// Null unless data holds a complete PNG (at least the 8-byte signature).
std::unique_ptr<RasterMemBitmap> RasterDecodePng(const uint8_t* data, size_t length);

// An 8-bit RGBA PNG of the image. False on failure.
bool RasterEncodePng(const RasterBitmap& image, std::vector<uint8_t>& out);
// Writes the PNG to path (UTF-8). False on failure; never leaves a partial file.
bool RasterWritePngFile(const RasterBitmap& image, const char* path);
