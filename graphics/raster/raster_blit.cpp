// Straight copies of pixels and of a colour: the editor's images and rectangles.
#include "raster_draw.h"
#include "raster_mix.h"

void RasterBlit(RasterBitmap& dst, const RasterBitmap& src, int dx, int dy, int sx, int sy, int w, int h,
                const RasterBlend& blend) {
  if (dst.Pixels() == nullptr || src.Pixels() == nullptr) return;
  // The source rectangle limited to the source image, the destination moved along...
  const RasterRect from = RasterIntersect({sx, sy, w, h}, {0, 0, src.Width(), src.Height()});
  const int placedX = dx + (from.x - sx);
  const int placedY = dy + (from.y - sy);
  // ...then the destination limited to the clip, the source moved along.
  const RasterRect to = RasterIntersect({placedX, placedY, from.w, from.h}, dst.Clip());
  if (to.Empty()) return;
  const int fromX = from.x + (to.x - placedX);
  const int fromY = from.y + (to.y - placedY);
  const uint32_t weight = raster::OpacityWeight(blend.opacity);
  raster::RasterWithMixer(blend, [&](auto mix) {
    for (int row = 0; row < to.h; ++row) {
      uint32_t* out = dst.Row(to.y + row) + to.x;
      const uint32_t* in = src.Row(fromY + row) + fromX;
      for (int i = 0; i < to.w; ++i) out[i] = mix(out[i], in[i], weight);
    }
  });
}

void RasterFillRect(RasterBitmap& dst, int x, int y, int w, int h, uint32_t colour, const RasterBlend& blend) {
  if (dst.Pixels() == nullptr) return;
  const RasterRect to = RasterIntersect({x, y, w, h}, dst.Clip());
  if (to.Empty()) return;
  const uint32_t weight = raster::OpacityWeight(blend.opacity);
  raster::RasterWithMixer(blend, [&](auto mix) {
    for (int row = 0; row < to.h; ++row) {
      uint32_t* out = dst.Row(to.y + row) + to.x;
      for (int i = 0; i < to.w; ++i) out[i] = mix(out[i], colour, weight);
    }
  });
}
