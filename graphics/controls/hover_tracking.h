#pragma once
// Hover tracking for a control drawn differently while the mouse is over it:
// the mouse coming over or leaving is remembered and the control drawn again.
// Controls that do not change under the mouse keep IControl's empty handlers.

#include "control.h"

template <class Base>
class HoverTracking : public Base {
 public:
  using Base::Base;
  void MouseOver(int x, int y, const IMouseKeys& mod) override {
    hovered_ = true;
    this->MarkDirty(false);
  }
  void MouseOut() override {
    hovered_ = false;
    this->MarkDirty(false);
  }

 protected:
  bool hovered_ = false;
};
