#pragma once
// Windows icon files (.ico) holding one picture per size: 32-bit BGRA with an
// opaque-mask for sizes up to 128 pixels, which every reader of icons takes
// (windres, NSIS, Explorer); PNG for 256 pixels, as Windows itself stores it.

#include <cstdint>
#include <memory>
#include <vector>

#include "raster_bitmap.h"

namespace imagegen {

// The bytes of an .ico holding the square images, in the order given; false when
// one is not square, is larger than 256 pixels or cannot be encoded.
bool EncodeIco(const std::vector<const RasterBitmap*>& images, std::vector<uint8_t>* out);

}  // namespace imagegen
