#pragma once
// A switch stepping through its frames on every left click, wrapping to the
// first; optionally labelled with its parameter's value below.

#include "control.h"
#include "hover_tracking.h"
#include "image.h"
#include "text_style.h"

class ISwitchLbl : public HoverTracking<IControl> {
 public:
  // Rectangle: (x, y) with the width override (or a frame's width) and a frame's height plus
  // label size and gap.
  ISwitchLbl(IEffectBase* plug, int paramIdx, int x, int y, const IImage& image, const ITextStyle& label,
             int labelGap, int widthOverride, bool sideBySide, float hoverWeight);
  bool Draw(IGraphics& graphics) override;
  void MouseDown(int x, int y, const IMouseKeys& mod) override;

 private:
  ITextStyle label_;
  IImage image_;
  int widthOverride_;
  bool stacked_;
  float hoverWeight_;
};
