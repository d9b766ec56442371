// Handles: the "Wave" slider's and the slot panel's scroll thumb (its hovered
// look brighter than the look it has at rest and while dragged).

#include "images.h"
#include "theme.h"

namespace imagegen {
namespace {

void PaintHandle(RasterBitmap& image, bool bright) {
  Painter p(image);
  Handle(p, 0.5f, 0.5f, float(image.Width()) - 0.5f, float(image.Height()) - 0.5f, bright);
}

}  // namespace

void PaintWaveHandle(RasterBitmap& image) { PaintHandle(image, false); }
void PaintSlotThumb(RasterBitmap& image) { PaintHandle(image, true); }
void PaintSlotThumbAlt(RasterBitmap& image) { PaintHandle(image, false); }

}  // namespace imagegen
