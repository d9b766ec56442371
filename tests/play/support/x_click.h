#pragma once
// A person's click anywhere on the X display, through XTest: the pointer moves
// there, the left button goes down and, a moment later, up.

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

inline bool ClickOnScreen(int x, int y) {
  xcb_connection_t* conn = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(conn)) {
    xcb_disconnect(conn);
    return false;
  }
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(conn)).data->root;
  auto send = [&](uint8_t type, uint8_t detail) {
    xcb_test_fake_input(conn, type, detail, XCB_CURRENT_TIME, root, int16_t(x), int16_t(y), 0);
    xcb_flush(conn);
    free(xcb_get_input_focus_reply(conn, xcb_get_input_focus(conn), nullptr));
  };
  send(XCB_MOTION_NOTIFY, 0);
  send(XCB_BUTTON_PRESS, 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  send(XCB_BUTTON_RELEASE, 1);
  xcb_disconnect(conn);
  return true;
}
