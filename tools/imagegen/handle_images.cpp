// Handles: the "Wave" slider's and the slot panel's scroll thumb (its hovered
// look brighter than the look it has at rest and while dragged).

#include "images.h"
#include "theme.h"

namespace imagegen {
namespace {

void PaintHandle(Painter& p, bool bright) {
  Handle(p, 0.5f, 0.5f, float(p.Width()) - 0.5f, float(p.Height()) - 0.5f, bright);
}

}  // namespace

void PaintWaveHandle(Painter& p) { PaintHandle(p, false); }
void PaintSlotThumb(Painter& p) { PaintHandle(p, true); }
void PaintSlotThumbAlt(Painter& p) { PaintHandle(p, false); }

}  // namespace imagegen
