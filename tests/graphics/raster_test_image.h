#pragma once
// Small test images and pixel reads for the raster tests.

#include <cstdint>
#include <vector>

#include "raster_bitmap.h"

inline RasterMemBitmap FilledImage(int width, int height, uint32_t word) {
  RasterMemBitmap image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.Row(y)[x] = word;
  }
  return image;
}

// Every pixel tells where it is: 0xFF00YYXX.
inline RasterMemBitmap NumberedImage(int width, int height) {
  RasterMemBitmap image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.Row(y)[x] = 0xFF000000u | uint32_t(y) << 8 | uint32_t(x);
  }
  return image;
}

inline uint32_t At(const RasterBitmap& image, int x, int y) { return image.Row(y)[x]; }

// Every pixel, row by row from the top.
inline std::vector<uint32_t> AllPixels(const RasterBitmap& image) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < image.Height(); ++y) pixels.insert(pixels.end(), image.Row(y), image.Row(y) + image.Width());
  return pixels;
}
