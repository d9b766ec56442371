#pragma once
// Drawing operations on a destination image. Every operation stays inside the
// destination's clip rectangle and never reads outside its source image; a
// null or empty image draws nothing. Colours are ARGB words; the colour's own
// alpha counts like a source pixel's alpha.
//
// Float coordinates are continuous: pixel (i, j) is the square from (i, j) to
// (i + 1, j + 1), its centre at (i + 0.5, j + 0.5). So a line from (2.5, 4.5) to
// (9.5, 4.5) lights row 4, columns 2 to 9, crisply, while integer ends fall on
// pixel borders and an antialiased line there is shared by two rows; a sector
// centred on (10, 10) with radius 4 and sweep -pi/2 .. 0 fills the pixels of
// (6..9, 6..9) that lie inside the circle, with crisp straight edges.
//
// Angles are radians; 0 points up (toward smaller y) and angles grow
// clockwise, so the top-left quarter of a circle is the arc -pi/2 .. 0.

#include <cstdint>

#include "raster_bitmap.h"
#include "raster_blend.h"

// Copies w x h pixels from src (sx, sy) to dst (dx, dy). src and dst are different images.
void RasterBlit(RasterBitmap& dst, const RasterBitmap& src, int dx, int dy, int sx, int sy, int w,
                int h, const RasterBlend& blend);

// Draws the source rectangle (sx, sy, sw, sh) into the destination rectangle
// (dx, dy, dw, dh), rotated by angle about the destination rectangle's centre,
// with bilinear filtering. Samples falling outside the source image read as
// transparent; beyond the source rectangle (but inside the image) its edge pixels
// repeat. The destination rectangle's edges are antialiased: a pixel is covered
// by how far its centre lies inside them (half a pixel in: fully), so an
// unrotated, unscaled draw at whole pixels is an exact copy of the rectangle.
void RasterBlitRotated(RasterBitmap& dst, const RasterBitmap& src, float dx, float dy, float dw,
                       float dh, float sx, float sy, float sw, float sh, double angle,
                       const RasterBlend& blend);

void RasterFillRect(RasterBitmap& dst, int x, int y, int w, int h, uint32_t colour,
                    const RasterBlend& blend);

// A one-pixel line between two points (pixel centres at +0.5); antialiased when asked.
// Each pixel column (or row, for steep lines) from the first end's to the last's
// is lit once, the end pixels included.
void RasterLine(RasterBitmap& dst, float x1, float y1, float x2, float y2, uint32_t colour,
                const RasterBlend& blend, bool antialias);

// A one-pixel circular arc from angle a0 to a1 (a1 > a0): the pixels whose centre
// lies within half a pixel of the circle (antialiased: fading out to one pixel off it).
void RasterArc(RasterBitmap& dst, float cx, float cy, float radius, float a0, float a1,
               uint32_t colour, const RasterBlend& blend, bool antialias);

// A filled circular sector from a0 to a1; a sweep of 2 pi or more fills the circle.
void RasterFillSector(RasterBitmap& dst, float cx, float cy, float radius, float a0, float a1,
                      uint32_t colour, const RasterBlend& blend, bool antialias);
