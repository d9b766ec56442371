// Circular arcs and filled sectors. Each pixel of the bounding square is tested
// at its centre: its distance from the circle's centre gives the radial
// coverage, its angle whether it lies in the sweep. Antialiased sectors also
// smooth their straight edges by the distance to the nearer bounding ray.
#include <algorithm>
#include <cmath>

#include "raster_draw.h"
#include "raster_mix.h"
#include "raster_pen.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

struct Sweep {
  double start, length;  // radians, 0 up, clockwise
  bool Full() const { return length >= kTwoPi; }
  bool Holds(double angle) const {
    if (Full()) return true;
    double rel = std::fmod(angle - start, kTwoPi);
    if (rel < 0) rel += kTwoPi;
    return rel <= length;
  }
};

// The angle of offset (vx, vy) from the centre: 0 up (negative y), clockwise.
double AngleOf(double vx, double vy) { return std::atan2(vx, -vy); }

// A ray leaving the centre at angle a, as a unit vector.
struct Ray {
  explicit Ray(double a) : ux(std::sin(a)), uy(-std::cos(a)) {}
  double ux, uy;
};

// Distance from offset (vx, vy) to the ray.
double DistanceToRay(double vx, double vy, const Ray& ray) {
  const double ux = ray.ux, uy = ray.uy;
  if (vx * ux + vy * uy <= 0) return std::hypot(vx, vy);
  return std::fabs(vx * uy - vy * ux);
}

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

// Calls cover(vx, vy) for every pixel centre of the circle's bounding square inside
// the clip and lays the coverage it returns (0..1).
template <class CoverFn>
void Paint(RasterBitmap& dst, float cx, float cy, float radius, uint32_t colour, const RasterBlend& blend,
           CoverFn&& cover) {
  if (dst.Pixels() == nullptr || !std::isfinite(cx) || !std::isfinite(cy) || !(radius > 0) ||
      !std::isfinite(radius)) {
    return;
  }
  const RasterRect clip = dst.Clip();
  if (clip.Empty()) return;
  auto limit = [](double v, int lo, int hi) { return static_cast<int>(std::clamp<double>(v, lo, hi)); };
  const int x0 = limit(std::floor(cx - radius - 1.0), clip.x, clip.x + clip.w);
  const int x1 = limit(std::ceil(cx + radius + 1.0), clip.x, clip.x + clip.w);
  const int y0 = limit(std::floor(cy - radius - 1.0), clip.y, clip.y + clip.h);
  const int y1 = limit(std::ceil(cy + radius + 1.0), clip.y, clip.y + clip.h);
  raster::RasterWithMixer(blend, [&](auto mix) {
    raster::Pen<decltype(mix)> pen(dst, clip, colour, raster::OpacityWeight(blend.opacity), mix);
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) pen.Plot(x, y, raster::Coverage255(cover(x + 0.5 - cx, y + 0.5 - cy)));
    }
  });
}

}  // namespace

void RasterArc(RasterBitmap& dst, float cx, float cy, float radius, float a0, float a1, uint32_t colour,
               const RasterBlend& blend, bool antialias) {
  const Sweep sweep{a0, double{a1} - a0};
  if (!(sweep.length > 0)) return;
  Paint(dst, cx, cy, radius, colour, blend, [&](double vx, double vy) -> double {
    if (!sweep.Holds(AngleOf(vx, vy))) return 0.0;
    const double off = std::fabs(std::hypot(vx, vy) - radius);
    if (!antialias) return off < 0.5 ? 1.0 : 0.0;
    return Clamp01(1.0 - off);
  });
}

void RasterFillSector(RasterBitmap& dst, float cx, float cy, float radius, float a0, float a1, uint32_t colour,
                      const RasterBlend& blend, bool antialias) {
  const Sweep sweep{a0, double{a1} - a0};
  if (!(sweep.length > 0)) return;
  const Ray first(sweep.start), last(sweep.start + sweep.length);
  Paint(dst, cx, cy, radius, colour, blend, [&](double vx, double vy) -> double {
    const double distance = std::hypot(vx, vy);
    const bool inside = sweep.Holds(AngleOf(vx, vy));
    if (!antialias) return inside && distance <= radius ? 1.0 : 0.0;
    const double round = Clamp01(radius - distance + 0.5);
    if (sweep.Full()) return round;
    const double edge = std::min(DistanceToRay(vx, vy, first), DistanceToRay(vx, vy, last));
    return std::min(round, Clamp01(0.5 + (inside ? edge : -edge)));
  });
}
