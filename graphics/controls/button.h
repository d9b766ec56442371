#pragma once
// An on/off button: its first frame shows while on, faintly while hovered off.

#include "control.h"
#include "image.h"

class IButton : public IControl {
 public:
  // Rectangle (x, y, x + width, y + height / frames).
  IButton(IEffectBase* plug, int paramIdx, int x, int y, const IImage& image, float hoverWeight);
  bool Draw(IGraphics& graphics) override;
  // Left press toggles; every press sends the value.
  void MouseDown(int x, int y, const IMouseKeys& mod) override;
  void MouseOver(int x, int y, const IMouseKeys& mod) override;
  void MouseOut() override;

 private:
  IImage image_;
  bool hovered_ = false;
  float hoverWeight_;
};
