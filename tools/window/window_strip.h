#pragma once
// What a host shows of its own in the editor's window: a strip above the editor
// and, while open, a panel over it (a list to choose from). The strip draws both
// into pictures and hit-tests them itself; the window (one per platform) only
// copies the pictures to the screen and passes the person's presses, wheel and
// arrow keys on.
//
// Threads: the host's UI thread.

class RasterBitmap;

namespace spwwin {

enum class StripKey { kPrevious, kNext };

class WindowStrip {
 public:
  virtual ~WindowStrip() = default;
  // Lays the strip out above an editor of width x editorHeight pixels. Returns
  // the strip's height, pixels; the panel covers the editor.
  virtual int Layout(int width, int editorHeight) = 0;
  virtual bool PanelOpen() const = 0;
  // Into pictures of the laid-out sizes.
  virtual void DrawStrip(RasterBitmap& picture) = 0;
  virtual void DrawPanel(RasterBitmap& picture) = 0;
  // The main button pressed at x, y of the strip or of the panel, pixels.
  virtual void PressStrip(int x, int y) = 0;
  virtual void PressPanel(int x, int y) = 0;
  // Wheel notches over the panel: positive toward its top.
  virtual void WheelPanel(int notches) = 0;
  // An arrow key the editor did not take.
  virtual void Key(StripKey key) = 0;
};

}  // namespace spwwin
