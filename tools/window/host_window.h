#pragma once
// A host's own top-level window for the plug-in's editor, as a player shows it: a
// titled window the window manager decorates and places, sized to the editor and
// following the editor's own resizes (resizeView), with the frame (and on Linux
// the run loop) handed to the editor's view. Closing it (the
// window manager's close button) is reported, not obeyed: the host decides when
// the window goes.
//
// Threads: one, the caller's, plays the host's UI thread.

#include <memory>
#include <string>

namespace Steinberg {
class IPlugFrame;
class IPlugView;
}

namespace spwwin {

class WindowStrip;

class HostWindow {
 public:
  // Null with a reason when there is no display.
  static std::unique_ptr<HostWindow> Create(int width, int height, const std::string& title, std::string* error);
  virtual ~HostWindow() = default;

  // What a host hands IPlugView::attached and IPlugView::setFrame.
  virtual void* ParentHandle() const = 0;
  virtual const char* PlatformType() const = 0;
  virtual Steinberg::IPlugFrame* Frame() = 0;
  // Runs the event loop for ms milliseconds: the editor's events and timers, and the window's own.
  virtual void Pump(int ms) = 0;
  // The person asked to close the window.
  virtual bool CloseRequested() const = 0;
  // Fits the window's inside to an editor of width x height pixels (and the strip
  // above it), and holds it there.
  virtual void Resize(int width, int height) = 0;
  // Shows strip above the editor from now on; arrow keys pressed in the window
  // go to view first. Both must outlive the window.
  virtual void ShowStrip(WindowStrip* strip, Steinberg::IPlugView* view) = 0;
  // The strip's content changed: it is drawn again.
  virtual void RedrawStrip() = 0;
  // The scale the desktop sets (Xft.dpi on X11), or 0 where the window system
  // tells the editor itself (Windows) or the desktop sets none.
  virtual double DesktopScale() const = 0;
};

}  // namespace spwwin
