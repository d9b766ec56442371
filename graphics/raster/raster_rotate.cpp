// Scaled and rotated drawing with bilinear filtering (the knobs).
//
// Every destination pixel centre is mapped back into the source rectangle. Its
// distance from the destination rectangle's edge gives its coverage, so turned
// edges come out smooth and whole-pixel edges crisp. The four texels around the
// mapped point are mixed in premultiplied form, so transparent neighbours do not
// darken the edges; texels beyond the source rectangle repeat its edge, and
// texels outside the source image read as transparent.
#include <algorithm>
#include <cmath>

#include "raster_draw.h"
#include "raster_mix.h"
#include "raster_rows.h"

namespace {

// Keeps float rounding on an exact edge from letting a texel in.
constexpr double kEdgeSlack = 1e-3;
constexpr uint32_t kOne = 256;  // fixed-point 1 of the filter weights

// v limited to lo..hi, as an int.
int Limit(double v, int lo, int hi) { return static_cast<int>(std::min<double>(hi, std::max<double>(lo, v))); }

class Sampler {
 public:
  Sampler(const RasterBitmap& src, double sx, double sy, double sw, double sh)
      : rows_(src), width_(src.Width()), height_(src.Height()) {
    // The texel columns and rows of the source rectangle, kept near the image.
    x0_ = Limit(std::floor(sx + kEdgeSlack), -1, src.Width());
    y0_ = Limit(std::floor(sy + kEdgeSlack), -1, src.Height());
    x1_ = std::max(x0_ + 1, Limit(std::ceil(sx + sw - kEdgeSlack), -1, src.Width() + 1));
    y1_ = std::max(y0_ + 1, Limit(std::ceil(sy + sh - kEdgeSlack), -1, src.Height() + 1));
  }

  // The bilinear sample at source point (fx, fy) (pixel centres at +0.5).
  uint32_t At(double fx, double fy) const {
    const double tx = std::clamp(fx - 0.5, x0_ - 1.0, static_cast<double>(x1_));
    const double ty = std::clamp(fy - 0.5, y0_ - 1.0, static_cast<double>(y1_));
    const double floorX = std::floor(tx), floorY = std::floor(ty);
    const int x = static_cast<int>(floorX), y = static_cast<int>(floorY);
    const uint32_t wx = static_cast<uint32_t>(std::lround((tx - floorX) * kOne));
    const uint32_t wy = static_cast<uint32_t>(std::lround((ty - floorY) * kOne));
    const uint32_t texels[4] = {Texel(x, y), Texel(x + 1, y), Texel(x, y + 1), Texel(x + 1, y + 1)};
    const uint32_t weights[4] = {(kOne - wx) * (kOne - wy), wx * (kOne - wy), (kOne - wx) * wy, wx * wy};
    uint64_t alpha = 0, red = 0, green = 0, blue = 0;
    for (int i = 0; i < 4; ++i) {
      const uint64_t aw = uint64_t{weights[i]} * raster::Channel(texels[i], 24);
      alpha += aw;
      red += aw * raster::Channel(texels[i], 16);
      green += aw * raster::Channel(texels[i], 8);
      blue += aw * raster::Channel(texels[i], 0);
    }
    if (alpha == 0) return 0;
    auto c = [&](uint64_t sum) { return static_cast<uint32_t>((sum + alpha / 2) / alpha); };
    return raster::Pack(static_cast<uint32_t>((alpha + kOne * kOne / 2) / (kOne * kOne)), c(red), c(green), c(blue));
  }

 private:
  uint32_t Texel(int x, int y) const {
    x = std::clamp(x, x0_, x1_ - 1);
    y = std::clamp(y, y0_, y1_ - 1);
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return rows_[y][x];
  }

  raster::Rows<const uint32_t> rows_;
  int width_, height_;
  int x0_, y0_, x1_, y1_;  // texels [x0, x1) x [y0, y1) of the source rectangle
};

// The pixel range [first, end) covering the span lo..hi, limited to [clipLo, clipHi).
void PixelSpan(double lo, double hi, int clipLo, int clipHi, int& first, int& end) {
  first = Limit(std::floor(lo), clipLo, clipHi);
  end = Limit(std::ceil(hi), clipLo, clipHi);
}

}  // namespace

void RasterBlitRotated(RasterBitmap& dst, const RasterBitmap& src, float dx, float dy, float dw, float dh,
                       float sx, float sy, float sw, float sh, double angle, const RasterBlend& blend) {
  if (dst.Pixels() == nullptr || src.Pixels() == nullptr) return;
  for (double v : {double{dx}, double{dy}, double{dw}, double{dh}, double{sx}, double{sy}, double{sw}, double{sh},
                   angle}) {
    if (!std::isfinite(v)) return;
  }
  if (!(dw > 0 && dh > 0 && sw > 0 && sh > 0)) return;
  const RasterRect clip = dst.Clip();
  if (clip.Empty()) return;

  // Angle clockwise on screen (y down); destination -> source is the inverse rotation.
  const double cosA = std::cos(angle), sinA = std::sin(angle);
  const double halfW = dw / 2.0, halfH = dh / 2.0;
  const double cx = dx + halfW, cy = dy + halfH;
  const double reachX = std::fabs(cosA) * halfW + std::fabs(sinA) * halfH + 1.0;
  const double reachY = std::fabs(sinA) * halfW + std::fabs(cosA) * halfH + 1.0;
  int x0, x1, y0, y1;
  PixelSpan(cx - reachX, cx + reachX, clip.x, clip.x + clip.w, x0, x1);
  PixelSpan(cy - reachY, cy + reachY, clip.y, clip.y + clip.h, y0, y1);

  const Sampler sampler(src, sx, sy, sw, sh);
  const double scaleX = double{sw} / dw, scaleY = double{sh} / dh;
  const uint32_t weight = raster::OpacityWeight(blend.opacity);
  raster::RasterWithMixer(blend, [&](auto mix) {
    for (int py = y0; py < y1; ++py) {
      uint32_t* row = dst.Row(py);
      const double vy = py + 0.5 - cy;
      for (int px = x0; px < x1; ++px) {
        const double vx = px + 0.5 - cx;
        // Position inside the unturned destination rectangle, 0..dw and 0..dh.
        const double u = vx * cosA + vy * sinA + halfW;
        const double v = -vx * sinA + vy * cosA + halfH;
        const double edge = std::min(std::min(u, dw - u), std::min(v, dh - v));
        const double coverage = std::min(1.0, edge + 0.5);
        if (coverage <= kEdgeSlack) continue;
        const uint32_t pixelWeight = raster::Div255(weight * raster::Coverage255(coverage));
        row[px] = mix(row[px], sampler.At(sx + u * scaleX, sy + v * scaleY), pixelWeight);
      }
    }
  });
}
