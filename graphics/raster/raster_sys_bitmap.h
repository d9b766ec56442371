#pragma once
// The editor's drawing surface: an image the window system can copy to a
// window directly. On Windows a top-down DIB section selected into its own
// memory device context; elsewhere plain memory (the X11 window uploads it).

#include <cstdint>
#include <vector>

#include "raster_bitmap.h"

#ifdef _WIN32
#include <windows.h>
#endif

class RasterSysBitmap : public RasterBitmap {
 public:
  RasterSysBitmap(int width, int height) { Resize(width, height); }  // 0 x 0 when it cannot be made
  ~RasterSysBitmap() override { Release(); }
  RasterSysBitmap(const RasterSysBitmap&) = delete;
  RasterSysBitmap& operator=(const RasterSysBitmap&) = delete;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  int RowSpan() const override { return width_; }
  uint32_t* Pixels() override { return pixels_; }
  const uint32_t* Pixels() const override { return pixels_; }
  bool Resize(int width, int height) override;

#ifdef _WIN32
  // The memory device context holding the DIB section (BitBlt source); null when empty.
  HDC DeviceContext() const { return dc_; }
#endif

 private:
  void Release();

  int width_ = 0;
  int height_ = 0;
  uint32_t* pixels_ = nullptr;
#ifdef _WIN32
  HDC dc_ = nullptr;
  HBITMAP dib_ = nullptr;
  HGDIOBJ previous_ = nullptr;
#else
  std::vector<uint32_t> storage_;
#endif
};
