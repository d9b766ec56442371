#pragma once
// An invisible area that opens the product's web page when pressed (the title).

#include "control.h"

class IURLOpen : public IControl {
 public:
  IURLOpen(IEffectBase* plug, const IArea& rect);
  bool Draw(IGraphics& graphics) override { return true; }
  void MouseDown(int x, int y, const IMouseKeys& mod) override;
};
