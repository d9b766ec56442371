#pragma once
// The editor in a Win32 child window ("IEffectWndClass") inside the host's
// window: a 24 Hz redraw timer, painting copied from the drawing surface's DIB
// section, mouse, capture, wheel, key and leave messages turned into IGraphics
// dispatch, the edit box or drop-down list of a typed value, and the system's
// dialogs and web browser. Holds nothing process-wide: the window class is
// registered while any window of it exists, and the system keeps that count.
//
// A window the host destroys first (its parent went) is noticed on
// WM_NCDESTROY: the held press and a pending wheel gesture end, the entry is
// forgotten and the handle is never used again; opening again works.
//
// Until the host says how large the screen's pixels are (setContentScaleFactor),
// the window's own DPI decides the scale: GetDpiForWindow, looked up at run
// time (older systems lack it), when the window opens and when it moves to a
// monitor of another DPI.
//
// Threads: the window's thread (the host's UI thread) only.

#include <array>

#include "graphics.h"
#include "value_entry.h"

#include <windows.h>
#undef DrawText

class IGraphicsWin : public IGraphics {
 public:
  static constexpr wchar_t kWindowClass[] = L"IEffectWndClass";
  static constexpr UINT_PTR kRedrawTimerId = 2;
  static constexpr int kEntryId = 99;  // child id of the edit box or list

  // frameRate <= 0 gives the default rate.
  IGraphicsWin(IEffectBase* plug, int width, int height, int frameRate = 0);
  ~IGraphicsWin() override;

  // ---- Window ----
  void* OpenEditorWindow(void* parent) override;
  void CloseEditorWindow() override;
  void* EditorWindowHandle() const override { return window_; }
  bool PaintToWindow(const IArea& rect) override;
  void Resize(int width, int height) override;
  void ResizeWindowToScale() override;
  HINSTANCE Instance() const { return instance_; }

  // ---- Typed entry ----
  void OpenValueEntry(IControl* control, IParameter* param, bool small) override;
  void PromptTextInput(IEditableTextControl& control) override;

  // ---- System services (graphics_win_services.cpp) ----
  void HostFolder(std::string& out) override;
  void ModuleFolder(std::string& out) override;
  void AskForFile(std::string& path, int action, const char* folder, const char* extensions) override;
  bool AskForColour(IRgba& colour, const char* caption) override;
  bool OpenWebPage(const char* target, const char* caption, const char* confirmation,
                   const char* error) override;
  bool HostMouseWheel(float distance) override;
  std::unique_ptr<RasterBitmap> LoadImageFromModule(int id, const char* name) override;

  // [window procedure] One message for the main window.
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  bool RegisterWindowClass() const;
  void UnregisterWindowClass() const;
  // The window is going (ours or the host's doing): ends what depended on it.
  void ForgetWindow();
  void Tick();
  void Paint();
  void Press(int x, int y, const IMouseKeys& keys, bool right);
  void Release(int x, int y, const IMouseKeys& keys);
  void TrackLeave();
  void ResizeWindows(int dw, int dh);
  // The window's DPI as a scale (1 at 96 DPI); 0 when the system cannot tell.
  double WindowDpiScale() const;
  void FollowWindowDpi();

  static constexpr int kMillisecondsPerSecond = 1000;

  HINSTANCE instance_;
  HWND window_ = nullptr;
  HDC paintDc_ = nullptr;  // the paint's device context while WM_PAINT draws
  bool trackingLeave_ = false;
  ValueEntry entry_;
  std::array<COLORREF, 16> customColours_{};  // the colour dialog's, kept between calls
};
