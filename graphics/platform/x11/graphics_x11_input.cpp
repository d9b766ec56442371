// The X11 window's pointer and key events turned into IGraphics dispatch.

#include <cstdlib>

#include "graphics_x11.h"
#include "key_mapping.h"
#include "x11_entry_field.h"
#include "x11_keys.h"

namespace {

using namespace x11;

// Two left presses this close in time (ms) and place (pixels) are a double click.
constexpr xcb_timestamp_t kDoubleClickTime = 400;
constexpr int kDoubleClickDistance = 4;

IMouseKeys KeysFrom(uint16_t state) {
  IMouseKeys keys;
  keys.left = (state & XCB_KEY_BUT_MASK_BUTTON_1) != 0;
  keys.right = (state & XCB_KEY_BUT_MASK_BUTTON_3) != 0;
  keys.shift = (state & XCB_KEY_BUT_MASK_SHIFT) != 0;
  keys.control = (state & XCB_KEY_BUT_MASK_CONTROL) != 0;
  keys.alt = (state & XCB_KEY_BUT_MASK_MOD_1) != 0;
  return keys;
}

bool KeyForSymbol(uint32_t symbol, EKey* key) {
  switch (symbol) {
    case kUpArrow: *key = EKey::Up; return true;
    case kDownArrow: *key = EKey::Down; return true;
    case kLeftArrow: *key = EKey::Left; return true;
    case kRightArrow: *key = EKey::Right; return true;
    case kEscape: *key = EKey::Escape; return true;
    default: return symbol <= kLastPrintable && KeyForCharacter(static_cast<int>(symbol), key);
  }
}

}  // namespace

bool IGraphicsX11::IsDoubleClick(const xcb_button_press_event_t& e) const {
  return !lastPressWasDouble_ && lastPressTime_ != 0 && e.time - lastPressTime_ <= kDoubleClickTime &&
         std::abs(e.event_x - lastPressX_) <= kDoubleClickDistance &&
         std::abs(e.event_y - lastPressY_) <= kDoubleClickDistance;
}

void IGraphicsX11::ButtonPress(const xcb_button_press_event_t& e) {
  if (e.event != window_) return;
  IMouseKeys keys = KeysFrom(e.state);
  if (e.detail == kWheelUp || e.detail == kWheelDown) {
    MouseWheel(e.event_x, e.event_y, keys, e.detail == kWheelUp ? 1 : -1);
    return;
  }
  if (e.detail != kLeftButton && e.detail != kRightButton) return;
  const bool right = e.detail == kRightButton;
  // The state is from before this press: add the button itself.
  (right ? keys.right : keys.left) = true;
  if (!entry_.PressElsewhere(*this, right)) return;
  if (!right && IsDoubleClick(e)) {
    lastPressWasDouble_ = true;
    MouseDoubleClick(e.event_x, e.event_y, keys);
    return;
  }
  if (!right) {
    lastPressTime_ = e.time;
    lastPressX_ = e.event_x;
    lastPressY_ = e.event_y;
    lastPressWasDouble_ = false;
  }
  // The server holds the pointer for this window until the release (its implicit grab).
  MouseDown(e.event_x, e.event_y, keys);
}

void IGraphicsX11::ButtonRelease(const xcb_button_release_event_t& e) {
  if (e.event != window_ || (e.detail != kLeftButton && e.detail != kRightButton)) return;
  MouseUp(e.event_x, e.event_y, KeysFrom(e.state));
}

void IGraphicsX11::Motion(const xcb_motion_notify_event_t& e) {
  if (e.event != window_) return;
  const IMouseKeys keys = KeysFrom(e.state);
  if (keys.left || keys.right) {
    MouseDrag(e.event_x, e.event_y, keys);
  } else {
    MouseOver(e.event_x, e.event_y, keys);
  }
}

void IGraphicsX11::Leave(const xcb_leave_notify_event_t& e) {
  if (e.event != window_) return;
  if (e.mode == XCB_NOTIFY_MODE_GRAB) {
    // Another client took the pointer: the release will never come here.
    MouseCaptureLost();
    return;
  }
  // Into the entry field is not out of the editor; neither is a drag leaving it, until
  // its release ends the server's grab with the pointer outside.
  if (e.detail == XCB_NOTIFY_DETAIL_INFERIOR) return;
  const IMouseKeys keys = KeysFrom(e.state);
  if (e.mode == XCB_NOTIFY_MODE_UNGRAB || (!keys.left && !keys.right)) MouseOut();
}

void IGraphicsX11::Key(const xcb_key_press_event_t& e) {
  if (e.event != window_) return;
  EKey key;
  if (KeyForSymbol(conn_->KeySymbol(e.detail, (e.state & XCB_MOD_MASK_SHIFT) != 0), &key)) {
    KeyDown(e.event_x, e.event_y, key);
  }
}
