#include "raster_blend.h"

#include "raster_mix.h"

uint32_t RasterCombine(uint32_t dst, uint32_t src, const RasterBlend& blend) noexcept {
  uint32_t out = dst;
  raster::RasterWithMixer(blend, [&](auto mix) { out = mix(dst, src, raster::OpacityWeight(blend.opacity)); });
  return out;
}
