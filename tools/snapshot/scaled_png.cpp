#include "scaled_png.h"

#include "raster_bitmap.h"
#include "raster_png.h"

namespace {
constexpr int kMaxScale = 8;
}

bool EncodeScaledPng(const RasterBitmap& image, int scale, std::vector<uint8_t>* png) {
  if (scale < 1 || scale > kMaxScale || image.Width() <= 0 || image.Height() <= 0) return false;
  RasterMemBitmap scaled(image.Width() * scale, image.Height() * scale);
  if (scaled.Width() != image.Width() * scale) return false;  // out of memory
  for (int y = 0; y < scaled.Height(); ++y) {
    const uint32_t* from = image.Row(y / scale);
    uint32_t* to = scaled.Row(y);
    for (int x = 0; x < scaled.Width(); ++x) to[x] = from[x / scale];
  }
  return RasterEncodePng(scaled, *png);
}
