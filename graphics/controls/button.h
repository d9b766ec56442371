#pragma once
// An on/off button: its first frame shows while on, faintly while hovered off.

#include "control.h"
#include "hover_tracking.h"
#include "image.h"

class IButton : public HoverTracking<IControl> {
 public:
  // Rectangle (x, y, x + width, y + height / frames).
  IButton(IEffectBase* plug, int paramIdx, int x, int y, const IImage& image, float hoverWeight);
  bool Draw(IGraphics& graphics) override;
  // Left press toggles; every press sends the value.
  void MouseDown(int x, int y, const IMouseKeys& mod) override;

 private:
  IImage image_;
  float hoverWeight_;
};
