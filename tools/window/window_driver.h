#pragma once
// A host's side of the editor's real window, for spw_snapshot --window and the
// window tests: a visible top-level parent window at the screen's top-left
// corner, the frame (and on Linux the run loop) handed to the plug-in's view,
// real input events delivered to the editor's window, and its picture read
// back from the screen.
//
// Events are real window-system events: posted mouse and key messages on
// Windows; XTest input through the X server on Linux, so the pointer really
// moves and the keys go to the window that has the focus.
//
// Threads: one, the caller's, plays the host's UI thread.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host_frame.h"

namespace spwwin {

enum class Button { kLeft, kRight };

// ARGB pixels, alpha 255, row by row.
struct Picture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
};

// Writes picture as a PNG file; false (and no file) on failure.
bool WritePicturePng(const Picture& picture, const std::string& path);
// The picture as PNG bytes; false for an empty picture or an encoder failure.
bool EncodePicturePng(const Picture& picture, std::vector<uint8_t>* png);

// How the host embeds the editor's window. kXEmbed (X11; elsewhere as kPlain)
// behaves like the VST 3 SDK's editorhost: it reads the child's _XEMBED_INFO
// when the child is created, refuses a child without it, maps the child
// itself and sends it XEMBED_EMBEDDED_NOTIFY. kPlain leaves mapping to the plug-in.
enum class Embedding { kPlain, kXEmbed };

// What a kXEmbed host found when the editor's window was created in its parent.
struct EmbedderLog {
  bool sawChild = false;
  bool refused = false;          // no _XEMBED_INFO: editorhost quits here
  bool childWasMapped = false;   // the child mapped itself before the embedder could
  uint32_t version = 0, flags = 0;  // of _XEMBED_INFO
};

class WindowDriver {
 public:
  // Null with a reason when there is no display.
  static std::unique_ptr<WindowDriver> Create(int width, int height, std::string* error,
                                              Embedding embedding = Embedding::kPlain);
  virtual ~WindowDriver() = default;

  // What a host hands IPlugView::attached and IPlugView::setFrame.
  virtual void* ParentHandle() const = 0;
  virtual const char* PlatformType() const = 0;
  virtual HostFrame* Frame() = 0;
  // The editor's window inside the parent (its first child); null when there is none.
  virtual void* EditorWindow() = 0;
  // The host destroys its window, and the editor's with it.
  virtual void DestroyParent() = 0;
  // Runs the event loop for ms milliseconds: the editor's events and timers.
  virtual void Pump(int ms) = 0;
  virtual const EmbedderLog& Embedder() const { return embedder_; }
  // [Linux] The host destroys its run loop (editorhost does at exit, before it
  // removes the view): the frame stops offering it, and any call that still
  // reaches it is counted.
  virtual void DestroyRunLoop() {}
  virtual int CallsAfterRunLoopDestroyed() const { return 0; }

  // ---- Input at editor pixels ----
  virtual void Move(int x, int y) = 0;  // with the buttons held now
  virtual void Press(int x, int y, Button button) = 0;
  virtual void Release(int x, int y, Button button) = 0;
  virtual void Wheel(int x, int y, int notches) = 0;  // positive away from the user
  // Characters typed into the window that has the keyboard focus.
  virtual void Type(const std::string& text) = 0;
  virtual void PressReturn() = 0;

  // The editor's window as it shows on the screen; empty when there is none.
  virtual Picture Capture() = 0;

 protected:
  EmbedderLog embedder_;
};

}  // namespace spwwin
