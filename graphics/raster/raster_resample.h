#pragma once
// Reduces (or enlarges) a whole image to another size by area averaging: each
// destination pixel is the mean of the source area it covers, weighted by how
// much of each source pixel lies inside, with colours weighted by their alpha
// (so transparent pixels lend no colour to their neighbours). Reducing 2 x 2
// pixels to 1 gives their exact mean, rounded.

#include "raster_bitmap.h"

// dst keeps its size and clip; its pixels are replaced. Empty images do nothing.
void RasterResample(RasterBitmap& dst, const RasterBitmap& src);
