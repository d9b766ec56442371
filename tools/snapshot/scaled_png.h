#pragma once
// A picture written at a whole multiple of its size, each pixel repeated:
// the 2.0x snapshot hosts show on high-density screens, until the editor can
// draw at twice its size itself.

#include <string>

class RasterBitmap;

// Writes image as a PNG, scale x scale pixels for each of its pixels (scale
// 1 to 8); false (and no file) on failure.
bool WriteScaledPng(const RasterBitmap& image, int scale, const std::string& path);
