#pragma once
// The common base of the knobs; no behaviour of its own.

#include "control.h"

class IKnobControl : public IControl {
 public:
  using IControl::IControl;
};
