#pragma once
// What the plug-in base needs from an attached editor. The graphics core
// implements it; the base owns the attached editor and destroys it.

class IEditorLink {
 public:
  virtual ~IEditorLink() = default;
  // [any thread holding the instance lock] Show a parameter's value on the controls bound to it.
  virtual void PushParameterToControls(int paramIdx, double value, bool normalized) = 0;
  virtual void PrepareDrawing() = 0;
  // Countdown in redraw ticks after which the base's FlushEndInform runs.
  virtual void StartGestureEndTimer(int ticks) = 0;
  virtual void CancelGestureEndTimer() = 0;
  virtual int FrameRate() const = 0;  // redraws per second
  // The editor window's fixed size, pixels.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
};
