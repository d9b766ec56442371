#include "raster_bitmap.h"

#include <algorithm>
#include <exception>

RasterRect RasterIntersect(const RasterRect& a, const RasterRect& b) {
  if (a.Empty() || b.Empty()) return {};
  // Ends in 64 bits: a clip reaching to INT_MAX must not wrap around.
  const int64_t right = std::min(int64_t{a.x} + a.w, int64_t{b.x} + b.w);
  const int64_t bottom = std::min(int64_t{a.y} + a.h, int64_t{b.y} + b.h);
  const int x = std::max(a.x, b.x);
  const int y = std::max(a.y, b.y);
  if (right <= x || bottom <= y) return {};
  return {x, y, static_cast<int>(right - x), static_cast<int>(bottom - y)};
}

uint32_t* RasterBitmap::Row(int y) {
  const int stored = BottomUp() ? Height() - 1 - y : y;
  return Pixels() + static_cast<ptrdiff_t>(stored) * RowSpan();
}

const uint32_t* RasterBitmap::Row(int y) const {
  const int stored = BottomUp() ? Height() - 1 - y : y;
  return Pixels() + static_cast<ptrdiff_t>(stored) * RowSpan();
}

void RasterBitmap::SetClip(const RasterRect& clip) { clip_ = clip; }

void RasterBitmap::ResetClip() { ClipToSize(); }

RasterRect RasterBitmap::Clip() const { return RasterIntersect(clip_, {0, 0, Width(), Height()}); }

void RasterBitmap::ClipToSize() {
  clip_ = {0, 0, std::numeric_limits<int>::max(), std::numeric_limits<int>::max()};
}

RasterMemBitmap::RasterMemBitmap(int width, int height) { Resize(width, height); }

bool RasterMemBitmap::Resize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  ClipToSize();
  try {
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0u);
  } catch (const std::exception&) {  // bad_alloc, or length_error beyond what a vector holds
    pixels_.clear();
    pixels_.shrink_to_fit();
    width_ = height_ = 0;
    return false;
  }
  width_ = pixels_.empty() ? 0 : width;
  height_ = pixels_.empty() ? 0 : height;
  return true;
}
