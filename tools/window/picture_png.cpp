#include "raster_bitmap.h"
#include "raster_png.h"
#include "window_driver.h"

namespace spwwin {

bool WritePicturePng(const Picture& picture, const std::string& path) {
  if (picture.pixels.empty()) return false;
  RasterMemBitmap image(picture.width, picture.height);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) image.Row(y)[x] = picture.At(x, y);
  }
  return RasterWritePngFile(image, path.c_str());
}

}  // namespace spwwin
