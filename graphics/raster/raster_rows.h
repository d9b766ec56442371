#pragma once
// Row addressing worked out once per operation, so per-pixel code makes no
// virtual calls: row y of an image with pixels, from the top.

#include <cstddef>
#include <cstdint>

#include "raster_bitmap.h"

namespace raster {

template <class Pixel>
class Rows {
 public:
  template <class Bitmap>
  explicit Rows(Bitmap& image)
      : top_(image.Row(0)), stride_(image.BottomUp() ? -ptrdiff_t{image.RowSpan()} : ptrdiff_t{image.RowSpan()}) {}
  Pixel* operator[](int y) const { return top_ + y * stride_; }

 private:
  Pixel* top_;
  ptrdiff_t stride_;
};

}  // namespace raster
