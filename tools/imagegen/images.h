#pragma once
// One painter per editor image; each fills an image of the size the editor's
// image table gives (transparent black at the start).

#include "painter.h"
#include "raster_bitmap.h"

namespace imagegen {

void PaintBackground(RasterBitmap& image);
void PaintFrequencyKnob(RasterBitmap& image);
void PaintFadeKnob(RasterBitmap& image);
void PaintVolumeKnob(RasterBitmap& image);
void PaintReferenceButtons(RasterBitmap& image);
void PaintPlayButton(RasterBitmap& image);
void PaintFadeStartSwitch(RasterBitmap& image);
void PaintLinkSwitch(RasterBitmap& image);
void PaintEqualizerSwitch(RasterBitmap& image);
void PaintPanSwitch(RasterBitmap& image);
void PaintWaves(RasterBitmap& image);
void PaintWaveHandle(RasterBitmap& image);
void PaintSlotThumb(RasterBitmap& image);
void PaintSlotThumbAlt(RasterBitmap& image);
void PaintSlotFree(RasterBitmap& image);
void PaintSlotOccupied(RasterBitmap& image);
void PaintSlotPressed(RasterBitmap& image);
void PaintPhaseSyncButton(RasterBitmap& image);

// Faces the background shows unlit where the images above show them lit.
void ReferenceButtonFaces(Painter& p, float x, float y, bool lit);
void PlayButtonFace(Painter& p, float x, float y, bool lit);

}  // namespace imagegen
