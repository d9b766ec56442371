// The drawing surface on Windows: a top-down 32-bit DIB section selected into a
// memory device context of its own, so the window can BitBlt from it directly.
#include "raster_sys_bitmap.h"

void RasterSysBitmap::Release() {
  if (dc_ != nullptr) {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  if (dib_ != nullptr) DeleteObject(dib_);
  dc_ = nullptr;
  dib_ = nullptr;
  previous_ = nullptr;
  pixels_ = nullptr;
  width_ = height_ = 0;
}

bool RasterSysBitmap::Resize(int width, int height) {
  Release();
  ClipToSize();
  if (width <= 0 || height <= 0) return true;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: rows top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(nullptr);
  if (dc_ != nullptr) dib_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib_ == nullptr || bits == nullptr) {
    Release();
    return false;
  }
  previous_ = SelectObject(dc_, dib_);
  pixels_ = static_cast<uint32_t*>(bits);
  width_ = width;
  height_ = height;
  return true;
}
