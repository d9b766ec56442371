#include <memory>

#include "raster_bitmap.h"
#include "raster_png.h"
#include "window_driver.h"

namespace spwwin {

namespace {

std::unique_ptr<RasterMemBitmap> ImageOf(const Picture& picture) {
  if (picture.pixels.empty()) return nullptr;
  auto image = std::make_unique<RasterMemBitmap>(picture.width, picture.height);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) image->Row(y)[x] = picture.At(x, y);
  }
  return image;
}

}  // namespace

bool WritePicturePng(const Picture& picture, const std::string& path) {
  const auto image = ImageOf(picture);
  return image && RasterWritePngFile(*image, path.c_str());
}

bool EncodePicturePng(const Picture& picture, std::vector<uint8_t>* png) {
  const auto image = ImageOf(picture);
  return image && RasterEncodePng(*image, *png);
}

}  // namespace spwwin
