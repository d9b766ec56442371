#pragma once
// An editor link with nothing behind it: the editor's fixed size and frame
// rate, no controls and (unless a test adds one) no window.

#include "editor_link.h"

class NullEditor : public IEditorLink {
 public:
  void PushParameterToControls(int, double, bool) override {}
  void PrepareDrawing() override {}
  void StartGestureEndTimer(int) override {}
  void CancelGestureEndTimer() override {}
  int FrameRate() const override { return 24; }
  int Width() const override { return 520; }
  int Height() const override { return 402; }
};
