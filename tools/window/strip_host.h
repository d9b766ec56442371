#pragma once
// The host window's side of a strip (window_strip.h), shared by the platforms:
// its height for the editor's size, its pictures drawn again when asked, and an
// arrow key offered to the editor's view first (IPlugView::onKeyDown), as a host
// offers keys, then to the strip.
//
// Threads: the host's UI thread.

#include "raster_bitmap.h"
#include "window_strip.h"

namespace Steinberg {
class IPlugView;
}

namespace spwwin {

// The arrow keys by the VST 3 SDK's virtual key codes (VirtualKeyCodes in
// keycodes.h, which the SDK subset we build with leaves out).
enum class ArrowKey : int { kLeft = 11, kUp = 12, kRight = 13, kDown = 14 };

class StripHost {
 public:
  void Show(WindowStrip* strip, Steinberg::IPlugView* view) {
    strip_ = strip;
    view_ = view;
  }
  bool Shown() const { return strip_ != nullptr; }
  // Lays the strip out above an editor of width x height; returns its height (0 without one).
  int Layout(int width, int editorHeight);
  int Height() const { return height_; }
  bool PanelOpen() const { return strip_ && strip_->PanelOpen(); }
  // Draws the strip, and the panel while it is open, into their pictures.
  void Draw();
  const RasterBitmap& StripPicture() const { return stripPicture_; }
  const RasterBitmap& PanelPicture() const { return panelPicture_; }
  WindowStrip* Strip() const { return strip_; }
  // An arrow key pressed in the window: offered to the editor, then to the strip.
  void Key(ArrowKey key);

 private:
  WindowStrip* strip_ = nullptr;
  Steinberg::IPlugView* view_ = nullptr;
  int height_ = 0;
  RasterMemBitmap stripPicture_, panelPicture_;
};

}  // namespace spwwin
