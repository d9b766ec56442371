#pragma once
// Drawing operations on a destination image. Every operation stays inside the
// destination's clip rectangle and never reads outside its source image; a
// null or empty image draws nothing. Colours are ARGB words; the colour's own
// alpha counts like a source pixel's alpha.
//
// Angles are radians; 0 points up (toward smaller y) and angles grow
// clockwise, so the top-left quarter of a circle is the arc -pi/2 .. 0.

#include <cstdint>

#include "raster_bitmap.h"
#include "raster_blend.h"

// Copies w x h pixels from src (sx, sy) to dst (dx, dy).
void RasterBlit(RasterBitmap& dst, const RasterBitmap& src, int dx, int dy, int sx, int sy, int w,
                int h, const RasterBlend& blend);

// Draws the source rectangle (sx, sy, sw, sh) into the destination rectangle
// (dx, dy, dw, dh), rotated by angle about the destination rectangle's centre,
// with bilinear filtering. Samples falling outside the source image read as
// transparent.
void RasterBlitRotated(RasterBitmap& dst, const RasterBitmap& src, float dx, float dy, float dw,
                       float dh, float sx, float sy, float sw, float sh, double angle,
                       const RasterBlend& blend);

void RasterFillRect(RasterBitmap& dst, int x, int y, int w, int h, uint32_t colour,
                    const RasterBlend& blend);

// A one-pixel line between two points (pixel centres at +0.5); antialiased when asked.
void RasterLine(RasterBitmap& dst, float x1, float y1, float x2, float y2, uint32_t colour,
                const RasterBlend& blend, bool antialias);

// A one-pixel circular arc from angle a0 to a1 (a1 > a0).
void RasterArc(RasterBitmap& dst, float cx, float cy, float radius, float a0, float a1,
               uint32_t colour, const RasterBlend& blend, bool antialias);

// A filled circular sector from a0 to a1; a sweep of 2 pi or more fills the circle.
void RasterFillSector(RasterBitmap& dst, float cx, float cy, float radius, float a0, float a1,
                      uint32_t colour, const RasterBlend& blend, bool antialias);
