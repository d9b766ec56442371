#pragma once
// A picture written at a whole multiple of its size, each pixel repeated:
// the 2.0x snapshot hosts show on high-density screens, until the editor can
// draw at twice its size itself.

#include <cstdint>
#include <vector>

class RasterBitmap;

// Encodes image as a PNG, scale x scale pixels for each of its pixels (scale
// 1 to 8); false on failure.
bool EncodeScaledPng(const RasterBitmap& image, int scale, std::vector<uint8_t>* png);
