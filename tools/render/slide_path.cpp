#include "slide_path.h"

#include <algorithm>

namespace spwrender {

SlidePath SlidePath::Make(const ParameterScale& scale, int index, double fromNormalized, double toNormalized,
                          int64_t start, int64_t frames, int64_t maxGap) noexcept {
  SlidePath slide;
  slide.index = index;
  slide.fromPlain = scale.ToPlain(index, fromNormalized);
  slide.toPlain = scale.ToPlain(index, toNormalized);
  slide.toNormalized = toNormalized;
  slide.start = start;
  slide.end = start + std::max<int64_t>(1, frames);
  slide.gap = std::max<int64_t>(1, maxGap);
  // At its start it stands where it is: the first point is one step on.
  slide.next = std::min(slide.end, start + slide.gap);
  return slide;
}

bool SlidePath::PointAt(int64_t frame, const ParameterScale& scale, double* normalized) noexcept {
  if (frame < next || Done()) return false;
  if (frame >= end) {
    *normalized = toNormalized;
    next = end + 1;  // done
    return true;
  }
  *normalized = scale.Along(index, fromPlain, toPlain, double(frame - start) / double(end - start));
  next = std::min(end, start + ((frame - start) / gap + 1) * gap);
  return true;
}

}  // namespace spwrender
