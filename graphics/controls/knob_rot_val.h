#pragma once
// A knob drawn as a rotated image, turned by dragging; optionally stepped (on
// release) and labelled with its parameter's value. A knob image split by
// CutImage draws its right part fixed and turns the left part over it.

#include <cstdint>

#include "hover_tracking.h"
#include "image.h"
#include "knob_control.h"
#include "text_style.h"

class IKnobRotVal : public HoverTracking<IKnobControl> {
 public:
  struct Look {
    ITextStyle label{"Arial", 0, IRgba()};  // size 0: no value label
    int labelOffset = 0;   // pixels below the knob (negative: the label moves up into it)
    double rangeDeg = 300.0;
    double gearing = 4.0;  // drag pixels per travel, as a factor of the control's size
    int widthOverride = 0;
    bool horizontalDrag = false;
    float hoverWeight = 0.0f;
    bool showUnits = false;
    int steps = 0;  // positions the value snaps to on release; below 2: none
  };

  IKnobRotVal(IEffectBase* plug, int paramIdx, int cx, int cy, const IImage& knob, const Look& look);
  bool Draw(IGraphics& graphics) override;
  // Shift or Control drags ten times finer.
  void MouseDrag(int x, int y, int dx, int dy, const IMouseKeys& mod) override;
  void MouseUp(int x, int y, const IMouseKeys& mod) override;

 private:
  void DrawLabel(IGraphics& graphics);
  // The fixed right part of a split knob; returns the image that turns.
  IImage DrawSplitBase(IGraphics& graphics, const IImageMix& blend);

  Look look_;
  IImage knob_;
  int cx_, cy_;
  int16_t stepsMinusOne_;
};
