// The drawing surface without a window system of its own: plain memory, which the
// X11 window uploads.
#include <algorithm>
#include <exception>

#include "raster_sys_bitmap.h"

void RasterSysBitmap::Release() {
  storage_.clear();
  storage_.shrink_to_fit();
  pixels_ = nullptr;
  width_ = height_ = 0;
}

bool RasterSysBitmap::Resize(int width, int height) {
  Release();
  ClipToSize();
  if (width <= 0 || height <= 0) return true;
  try {
    storage_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0u);
  } catch (const std::exception&) {
    return false;
  }
  pixels_ = storage_.data();
  width_ = width;
  height_ = height;
  return true;
}
