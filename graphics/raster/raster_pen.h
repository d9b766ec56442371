#pragma once
// A colour laid on single pixels with a coverage each: what lines, arcs,
// sectors and glyphs draw with. Pixels outside the pen's area are ignored.

#include <cstdint>

#include "raster_bitmap.h"
#include "raster_mix.h"
#include "raster_rows.h"

namespace raster {

template <class Mix>
class Pen {
 public:
  // dst has pixels; area lies inside it (a clip from RasterBitmap::Clip, possibly narrowed).
  Pen(RasterBitmap& dst, const RasterRect& area, uint32_t colour, uint32_t weight, Mix mix)
      : rows_(dst), area_(area), colour_(colour), weight_(weight), mix_(mix) {}

  // coverage 0..255 of pixel (x, y).
  void Plot(int x, int y, uint32_t coverage) {
    if (coverage == 0 || x < area_.x || y < area_.y || x - area_.x >= area_.w || y - area_.y >= area_.h) return;
    uint32_t& pixel = rows_[y][x];
    pixel = mix_(pixel, colour_, Div255(weight_ * coverage));
  }

  const RasterRect& Area() const { return area_; }

 private:
  Rows<uint32_t> rows_;
  RasterRect area_;
  uint32_t colour_;
  uint32_t weight_;
  Mix mix_;
};

}  // namespace raster
