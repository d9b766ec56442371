#pragma once
// One connection to the X server, made for one editor window: the default
// screen, a check that the server takes our 32-bit pixels as they are, the
// keyboard map, and image uploads in pieces the server accepts. Disconnecting
// frees everything the server holds for the connection. Through XCB, whose
// errors come back as events instead of ending the host process.
//
// Threads: the host's UI thread.

#include <xcb/xcb.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "area.h"
#include "x11_keyboard_map.h"

class RasterBitmap;

class X11Connection {
 public:
  // Null when no display can be reached, or its screen does not show 24-bit
  // true colour from 32-bit pixels (red in bits 16-23, blue in bits 0-7).
  static std::unique_ptr<X11Connection> Open();
  ~X11Connection();
  X11Connection(const X11Connection&) = delete;
  X11Connection& operator=(const X11Connection&) = delete;

  xcb_connection_t* Get() const { return conn_; }
  const xcb_screen_t& Screen() const { return *screen_; }
  int FileDescriptor() const { return xcb_get_file_descriptor(conn_); }
  bool Broken() const { return xcb_connection_has_error(conn_) != 0; }

  // Copies rect of image to the same place of drawable (ARGB words, alpha ignored).
  void PutImage(xcb_drawable_t drawable, xcb_gcontext_t gc, const RasterBitmap& image, const IArea& rect) const;
  // The key symbol of a key code, with or without Shift; 0 when none.
  uint32_t KeySymbol(xcb_keycode_t code, bool shift) const { return keyboard_.Symbol(code, shift); }

 private:
  X11Connection(xcb_connection_t* conn, const xcb_screen_t* screen);

  xcb_connection_t* conn_;
  const xcb_screen_t* screen_;
  X11KeyboardMap keyboard_;
};
