#pragma once
// What the change handler does to the editor besides texts: hiding the knob of
// the frequency that is not the reference, and showing the wave picture. The
// editor implements it; EditorSurfaceHolder records the requests when no editor
// control is attached, so that every effect stays observable.

#include "parameter_ids.h"

class EditorSurface {
 public:
  virtual ~EditorSurface() = default;
  // [any thread, under the instance lock]
  virtual void HideControlsOfParameter(int paramIdx, bool hide) = 0;
  virtual void PushValueToControl(int controlIndex, double normalized) = 0;
};

class EditorSurfaceHolder : public EditorSurface {
 public:
  static constexpr int kMaxControls = 64;

  void HideControlsOfParameter(int paramIdx, bool hide) override {
    if (paramIdx >= 0 && paramIdx < kParameterCount) hidden_[paramIdx] = hide;
  }
  void PushValueToControl(int controlIndex, double normalized) override {
    if (controlIndex >= 0 && controlIndex < kMaxControls) values_[controlIndex] = normalized;
  }
  bool Hidden(int paramIdx) const { return hidden_[paramIdx]; }
  double ControlValue(int controlIndex) const { return values_[controlIndex]; }

 private:
  bool hidden_[kParameterCount] = {};
  double values_[kMaxControls] = {};
};
