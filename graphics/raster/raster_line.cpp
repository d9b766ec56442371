// One-pixel lines. The line is stepped along its longer axis one pixel centre
// at a time; across it, antialiasing splits each step between the two nearest
// pixels (Wu's method), otherwise the pixel holding the point takes it all.
// Every pixel is laid once, so translucent lines have no darker joints.
#include <algorithm>
#include <cmath>
#include <utility>

#include "raster_draw.h"
#include "raster_mix.h"
#include "raster_pen.h"

namespace {

// Steps along the major axis from a to b (a <= b) in pixel centres, limited to the
// columns [lo, hi); plot(major, minor position) for each.
template <class PlotFn>
void Walk(double a0, double b0, double a1, double b1, int lo, int hi, PlotFn&& plot) {
  const double first = std::max<double>(lo, std::floor(a0));
  const double last = std::min<double>(hi - 1, std::floor(a1));
  const double slope = a1 > a0 ? (b1 - b0) / (a1 - a0) : 0.0;
  for (double i = first; i <= last; ++i) {
    const double at = std::clamp(i + 0.5, a0, a1);  // the end columns use the ends themselves
    plot(static_cast<int>(i), b0 + (at - a0) * slope);
  }
}

}  // namespace

void RasterLine(RasterBitmap& dst, float x1, float y1, float x2, float y2, uint32_t colour, const RasterBlend& blend,
                bool antialias) {
  if (dst.Pixels() == nullptr) return;
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  const RasterRect clip = dst.Clip();
  if (clip.Empty()) return;
  const bool xMajor = std::fabs(x2 - x1) >= std::fabs(y2 - y1);
  double a0 = xMajor ? x1 : y1, b0 = xMajor ? y1 : x1;
  double a1 = xMajor ? x2 : y2, b1 = xMajor ? y2 : x2;
  if (a1 < a0) {
    std::swap(a0, a1);
    std::swap(b0, b1);
  }
  const int lo = xMajor ? clip.x : clip.y;
  const int hi = lo + (xMajor ? clip.w : clip.h);
  // Across the line, positions far outside the clip are pulled in to just outside it.
  const double minorLo = (xMajor ? clip.y : clip.x) - 2.0;
  const double minorHi = minorLo + (xMajor ? clip.h : clip.w) + 4.0;
  raster::RasterWithMixer(blend, [&](auto mix) {
    raster::Pen<decltype(mix)> pen(dst, clip, colour, raster::OpacityWeight(blend.opacity), mix);
    auto put = [&](int major, int minor, uint32_t coverage) {
      if (xMajor) pen.Plot(major, minor, coverage); else pen.Plot(minor, major, coverage);
    };
    Walk(a0, b0, a1, b1, lo, hi, [&](int major, double at) {
      const double minor = std::clamp(at, minorLo, minorHi);
      if (!antialias) {
        put(major, static_cast<int>(std::floor(minor)), raster::kMax);
        return;
      }
      const double t = minor - 0.5;
      const double below = std::floor(t);
      const uint32_t far = raster::Coverage255(t - below);
      put(major, static_cast<int>(below), raster::kMax - far);
      put(major, static_cast<int>(below) + 1, far);
    });
  });
}
