#pragma once
// An image of the process-wide bitmap cache with its frame count. N frames lie
// side by side (frame width = width / N) or stacked (frame height = height / N);
// the drawing call says which.

class RasterBitmap;

struct IImage {
  RasterBitmap* bitmap = nullptr;  // not owned; null when loading failed
  int w = 0, h = 0;                 // pixels
  int frames = 1;
  // 0 for loaded images; for the right half left by CutImage, the cache id of the left half.
  int tempId = 0;
};
