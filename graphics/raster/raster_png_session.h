#pragma once
// The libpng structures of one decode or encode, made with handlers for a
// library that logs nothing: an error jumps back to the setjmp of the call in
// progress, a warning is dropped. Destroyed together when the session ends.

#include <png.h>

namespace raster {

[[noreturn]] inline void PngFail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
inline void PngIgnore(png_structp, png_const_charp) {}

template <bool kWrite>
class PngSession {
 public:
  PngSession() {
    png_ = kWrite ? png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngFail, PngIgnore)
                  : png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngFail, PngIgnore);
    if (png_ != nullptr) info_ = png_create_info_struct(png_);
  }
  ~PngSession() {
    png_infopp info = info_ != nullptr ? &info_ : nullptr;
    if (kWrite) png_destroy_write_struct(&png_, info);
    else png_destroy_read_struct(&png_, info, nullptr);
  }
  PngSession(const PngSession&) = delete;
  PngSession& operator=(const PngSession&) = delete;

  bool Ok() const { return info_ != nullptr; }
  png_structp png() const { return png_; }
  png_infop info() const { return info_; }

 private:
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

}  // namespace raster
