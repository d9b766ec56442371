#pragma once
// The server's keyboard map, read once: which key symbol a key code types,
// with or without Shift, and which key code types a symbol.

#include <xcb/xcb.h>

#include <cstdint>
#include <vector>

class X11KeyboardMap {
 public:
  // False when the server does not answer.
  bool Read(xcb_connection_t* conn);
  // The symbol of a key code; 0 when none. A key without a shifted symbol types its first.
  uint32_t Symbol(xcb_keycode_t code, bool shift) const;
  // The key code that types symbol, and whether Shift is needed; false when none does.
  bool CodeFor(uint32_t symbol, xcb_keycode_t* code, bool* shift) const;

 private:
  xcb_keycode_t firstCode_ = 0;
  size_t perCode_ = 0;  // symbols per key code
  std::vector<uint32_t> symbols_;
};
