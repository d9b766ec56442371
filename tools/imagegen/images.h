#pragma once
// One painter per editor image; each fills an image of the size the editor's
// image table gives (transparent black at the start).

#include "painter.h"
#include "raster_bitmap.h"

namespace imagegen {

void PaintBackground(Painter& p);
void PaintFrequencyKnob(Painter& p);
void PaintFadeKnob(Painter& p);
void PaintVolumeKnob(Painter& p);
void PaintReferenceButtons(Painter& p);
void PaintPlayButton(Painter& p);
void PaintFadeStartSwitch(Painter& p);
void PaintLinkSwitch(Painter& p);
void PaintEqualizerSwitch(Painter& p);
void PaintPanSwitch(Painter& p);
void PaintWaves(Painter& p);
void PaintWaveHandle(Painter& p);
void PaintSlotThumb(Painter& p);
void PaintSlotThumbAlt(Painter& p);
void PaintSlotFree(Painter& p);
void PaintSlotOccupied(Painter& p);
void PaintSlotPressed(Painter& p);
void PaintPhaseSyncButton(Painter& p);

// The logo centred on (cx, cy), 24 pixels across, its lines stroke pixels from
// their middle to their edge.
void PaintLogo(Painter& p, float cx, float cy, float stroke);
// The program's icon: the logo on a dark tile, 32 x 32 painter pixels.
void PaintAppIcon(Painter& p);
constexpr int kAppIconSize = 32;

// Faces the background shows unlit where the images above show them lit.
void ReferenceButtonFaces(Painter& p, float x, float y, bool lit);
void PlayButtonFace(Painter& p, float x, float y, bool lit);

}  // namespace imagegen
