#include "raster_resample.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "raster_rows.h"

namespace {

// The source pixels one destination pixel covers along one axis, with the share of each.
struct Span {
  int first = 0;
  std::vector<double> weights;
};

std::vector<Span> Spans(int from, int to) {
  std::vector<Span> spans(static_cast<size_t>(to));
  const double step = static_cast<double>(from) / to;
  for (int i = 0; i < to; ++i) {
    const double start = i * step, end = std::min(static_cast<double>(from), (i + 1) * step);
    Span& span = spans[static_cast<size_t>(i)];
    span.first = std::min(static_cast<int>(std::floor(start)), from - 1);
    for (int s = span.first; s < from && s < end; ++s) {
      const double covered = std::min(end, s + 1.0) - std::max(start, static_cast<double>(s));
      span.weights.push_back(covered > 0.0 ? covered : 0.0);
    }
    // Enlarging: a destination pixel inside one source pixel takes it whole.
    if (span.weights.empty()) span.weights.push_back(1.0);
  }
  return spans;
}

uint32_t Channel(double value) {
  return static_cast<uint32_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

void RasterResample(RasterBitmap& dst, const RasterBitmap& src) {
  const int sw = src.Width(), sh = src.Height(), dw = dst.Width(), dh = dst.Height();
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  const std::vector<Span> columns = Spans(sw, dw), rows = Spans(sh, dh);
  const raster::Rows<const uint32_t> in(src);
  const raster::Rows<uint32_t> out(dst);
  for (int y = 0; y < dh; ++y) {
    const Span& row = rows[static_cast<size_t>(y)];
    for (int x = 0; x < dw; ++x) {
      const Span& column = columns[static_cast<size_t>(x)];
      double area = 0, alpha = 0, r = 0, g = 0, b = 0;
      for (size_t j = 0; j < row.weights.size(); ++j) {
        const uint32_t* line = in[row.first + static_cast<int>(j)];
        for (size_t i = 0; i < column.weights.size(); ++i) {
          const double w = row.weights[j] * column.weights[i];
          const uint32_t p = line[column.first + static_cast<int>(i)];
          const double a = w * (p >> 24);
          area += w;
          alpha += a;
          r += a * ((p >> 16) & 0xFF);
          g += a * ((p >> 8) & 0xFF);
          b += a * (p & 0xFF);
        }
      }
      const double opacity = alpha > 0 ? 1.0 / alpha : 0.0;
      out[y][x] = Channel(alpha / area) << 24 | Channel(r * opacity) << 16 | Channel(g * opacity) << 8 |
                  Channel(b * opacity);
    }
  }
}
