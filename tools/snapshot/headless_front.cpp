#include "headless_front.h"

#include "platform/headless/graphics_headless.h"
#include "parameter.h"
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

bool HeadlessFront::Type(const std::string& text, std::string* error) {
  const IGraphicsHeadless::Entry* entry = graphics_.PendingEntry();
  if (!entry) {
    *error = "--type " + text + ": no value entry is open (a right click on a knob opens one)";
    return false;
  }
  double plain = 0.0;
  if (entry->param && !ReadTypedValue(*entry->param, text.c_str(), &plain)) {
    *error = "--type " + text + ": not a value of \"" + entry->param->ParameterName() + "\"";
    graphics_.CancelEntry();
    return false;
  }
  return graphics_.AnswerEntry(text.c_str());
}

void HeadlessFront::Redraw() { graphics_.Tick(); }

bool HeadlessFront::EncodePng(std::vector<uint8_t>* png) {
  const RasterBitmap* surface = graphics_.Surface();
  return surface && RasterEncodePng(*surface, *png);
}

}  // namespace spwsnapshot
