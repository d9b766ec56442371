#pragma once
// The module's embedded PNG image of a resource id, decoded: what every
// platform half answers LoadImageFromModule with. Inline, so the reference to
// FindModulePng (module_resources.h) sits in the platform's own object and the
// program's image library, linked after it, answers it.

#include <memory>

#include "module_resources.h"
#include "raster_bitmap.h"
#include "raster_png.h"

// Null when the resource is missing or cannot be decoded.
inline std::unique_ptr<RasterBitmap> LoadModuleImage(int id) {
  const uint8_t* data = nullptr;
  size_t size = 0;
  if (!FindModulePng(id, &data, &size)) return nullptr;
  return RasterDecodePng(data, size);
}
