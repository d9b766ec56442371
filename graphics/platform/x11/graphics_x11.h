#pragma once
// The editor in an X11 child window of the host's window ("X11EmbedWindowID"):
// painted from the drawing surface, mouse, wheel and keys turned into IGraphics
// dispatch, a typed-value field, and web pages opened with xdg-open. Each open
// window has its own server connection; the host's run loop watches its file
// descriptor (ProcessWindowEvents) and runs the redraw timer (RedrawTimerTick).
//
// A window the host destroys first is noticed by its DestroyNotify: the held
// press and a pending wheel gesture end, and the window id is never used
// again. The connection stays until CloseEditorWindow, because the host's run
// loop still watches its descriptor until the view is removed.
//
// Threads: the host's UI thread only.

#include <memory>

#include "graphics.h"
#include "value_entry.h"
#include "x11_connection.h"
#include "xembed_client.h"
#include "x11_entry_field.h"

class IGraphicsX11 : public IGraphics {
 public:
  IGraphicsX11(IEffectBase* plug, int width, int height, int frameRate = 0);
  ~IGraphicsX11() override;

  // ---- Window ----
  // parent is the host's X11 window id.
  void* OpenEditorWindow(void* parent) override;
  void CloseEditorWindow() override;
  void* EditorWindowHandle() const override;
  int EventFileDescriptor() const override;
  void ProcessWindowEvents() override;
  void RedrawTimerTick() override;
  bool PaintToWindow(const IArea& rect) override;
  void Resize(int width, int height) override;
  void ResizeWindowToScale() override;

  // ---- Typed entry ----
  void OpenValueEntry(IControl* control, IParameter* param, bool small) override;
  void PromptTextInput(IEditableTextControl& control) override;

  // ---- Desktop services ----
  void HostFolder(std::string& out) override;
  void ModuleFolder(std::string& out) override;
  // No dialogs on this platform: the path comes back empty.
  void AskForFile(std::string& path, int action, const char* folder, const char* extensions) override;
  bool AskForColour(IRgba& colour, const char* caption) override { return false; }
  // Through xdg-open. A confirmation cannot be asked here, so a page that needs one is not opened.
  bool OpenWebPage(const char* target, const char* caption, const char* confirmation,
                   const char* error) override;
  std::unique_ptr<RasterBitmap> LoadImageFromModule(int id, const char* name) override;

 private:
  bool CreateWindow(xcb_window_t parent, const IArea& place);
  void ForgetWindow();
  void OpenField(const IArea& rect, const std::string& text, IControl* control, IParameter* param,
                 const X11EntryField::Look& look);
  X11EntryField* Field() const;
  void HandleEvent(const xcb_generic_event_t& event);
  void Expose(const xcb_expose_event_t& e);
  void ButtonPress(const xcb_button_press_event_t& e);
  void ButtonRelease(const xcb_button_release_event_t& e);
  void Motion(const xcb_motion_notify_event_t& e);
  void Leave(const xcb_leave_notify_event_t& e);
  void Key(const xcb_key_press_event_t& e);
  bool IsDoubleClick(const xcb_button_press_event_t& e) const;

  std::unique_ptr<X11Connection> conn_;
  xcb_window_t window_ = 0;  // 0 while closed or after the host destroyed it
  XEmbedClient xembed_;
  xcb_gcontext_t gc_ = 0;
  IArea exposed_;
  ValueEntry entry_;
  xcb_timestamp_t lastPressTime_ = 0;  // of the last left press, for double clicks
  int lastPressX_ = 0, lastPressY_ = 0;
  bool lastPressWasDouble_ = false;
};
