#pragma once
// What the plug-in base and its host binding need from an attached editor. The
// graphics core implements it; the base owns the attached editor and destroys it.

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
  // The editor's fixed size, editor pixels.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // The window's size in the screen's pixels: the editor's size times its scale.
  virtual int DeviceWidth() const { return Width(); }
  virtual int DeviceHeight() const { return Height(); }
  // [host UI thread] The screen's scale as the host tells it (1 is 100 %); the editor
  // clamps what it draws at to its range and asks for a window of the new size.
  virtual void SetHostScale(double scale) {}

  // ---- The editor's window [host UI thread] ----
  // Opens the window inside the host's parent (an HWND on Windows, an X11 window id on
  // Linux); a window already open moves there. Null on failure, as for an editor that
  // has no window system.
  virtual void* OpenEditorWindow(void* parent) { return nullptr; }
  virtual void CloseEditorWindow() {}
  virtual void* EditorWindowHandle() const { return nullptr; }
  // Window systems without an event loop of their own (X11) are driven by the host's: it
  // watches this file descriptor (-1: none) and calls ProcessWindowEvents when it is
  // readable, and calls RedrawTimerTick FrameRate() times a second while the window is open.
  virtual int EventFileDescriptor() const { return -1; }
  virtual void ProcessWindowEvents() {}
  virtual void RedrawTimerTick() {}
};
