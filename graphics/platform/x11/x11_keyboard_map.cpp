#include "x11_keyboard_map.h"

#include <cstdlib>

bool X11KeyboardMap::Read(xcb_connection_t* conn) {
  const xcb_setup_t* setup = xcb_get_setup(conn);
  firstCode_ = setup->min_keycode;
  const uint8_t count = static_cast<uint8_t>(setup->max_keycode - setup->min_keycode + 1);
  xcb_get_keyboard_mapping_reply_t* reply =
      xcb_get_keyboard_mapping_reply(conn, xcb_get_keyboard_mapping(conn, firstCode_, count), nullptr);
  if (!reply) return false;
  perCode_ = reply->keysyms_per_keycode;
  const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(reply);
  symbols_.assign(symbols, symbols + xcb_get_keyboard_mapping_keysyms_length(reply));
  free(reply);
  return perCode_ > 0;
}

uint32_t X11KeyboardMap::Symbol(xcb_keycode_t code, bool shift) const {
  if (code < firstCode_ || perCode_ == 0) return 0;
  const size_t base = static_cast<size_t>(code - firstCode_) * perCode_;
  const size_t column = shift && perCode_ > 1 ? 1 : 0;
  if (base + column >= symbols_.size()) return 0;
  const uint32_t symbol = symbols_[base + column];
  return symbol != 0 ? symbol : symbols_[base];
}

bool X11KeyboardMap::CodeFor(uint32_t symbol, xcb_keycode_t* code, bool* shift) const {
  for (size_t i = 0; perCode_ > 0 && i < symbols_.size(); ++i) {
    const size_t column = i % perCode_;
    if (symbols_[i] != symbol || column > 1) continue;
    *code = static_cast<xcb_keycode_t>(firstCode_ + i / perCode_);
    *shift = column == 1;
    return true;
  }
  return false;
}
