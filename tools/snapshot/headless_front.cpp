#include "headless_front.h"

#include "platform/headless/graphics_headless.h"
#include "raster_png.h"

namespace spwsnapshot {
namespace {

IMouseKeys Buttons(bool left, bool right) {
  IMouseKeys keys;
  keys.left = left;
  keys.right = right;
  return keys;
}

}  // namespace

void HeadlessFront::Move(int x, int y, bool held) {
  if (held) {
    graphics_.MouseDrag(x, y, Buttons(true, false));
  } else {
    graphics_.MouseOver(x, y, Buttons(false, false));
  }
}

void HeadlessFront::Press(int x, int y, bool right) { graphics_.MouseDown(x, y, Buttons(!right, right)); }

void HeadlessFront::Release(int x, int y, bool right) { graphics_.MouseUp(x, y, Buttons(false, false)); }

void HeadlessFront::Wheel(int x, int y, int notches) { graphics_.MouseWheel(x, y, Buttons(false, false), notches); }

void HeadlessFront::Type(const std::string& text) { graphics_.AnswerEntry(text.c_str()); }

void HeadlessFront::Redraw() { graphics_.Tick(); }

bool HeadlessFront::WritePng(const std::string& path) {
  const RasterBitmap* surface = graphics_.Surface();
  return surface && RasterWritePngFile(*surface, path.c_str());
}

}  // namespace spwsnapshot
