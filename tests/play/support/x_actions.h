#pragma once
// What a person does on the X display: a click anywhere, through XTest (the
// pointer moves there, a button goes down and, a moment later, up), and the
// close button of a top-level window, as the window manager passes it on
// (WM_DELETE_WINDOW); and what the display shows: a window's size and size
// hints, the screen's pixels, the desktop's resources (Xft.dpi).

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

inline bool ClickOnScreen(int x, int y, uint8_t button = 1) {
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
  send(XCB_BUTTON_PRESS, button);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  send(XCB_BUTTON_RELEASE, button);
  xcb_disconnect(conn);
  return true;
}

inline xcb_atom_t AtomNamed(xcb_connection_t* conn, const char* name) {
  xcb_intern_atom_reply_t* reply =
      xcb_intern_atom_reply(conn, xcb_intern_atom(conn, 0, uint16_t(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
  free(reply);
  return atom;
}

// The top-level window titled title (WM_NAME), or 0.
inline xcb_window_t WindowTitled(xcb_connection_t* conn, xcb_window_t root, const std::string& title) {
  xcb_query_tree_reply_t* tree = xcb_query_tree_reply(conn, xcb_query_tree(conn, root), nullptr);
  if (!tree) return 0;
  xcb_window_t found = 0;
  const xcb_window_t* children = xcb_query_tree_children(tree);
  for (int i = 0; i < xcb_query_tree_children_length(tree) && !found; ++i) {
    xcb_get_property_reply_t* name = xcb_get_property_reply(
        conn, xcb_get_property(conn, 0, children[i], XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 0, 256), nullptr);
    if (name && std::string(static_cast<const char*>(xcb_get_property_value(name)),
                            size_t(xcb_get_property_value_length(name))) == title) {
      found = children[i];
    }
    free(name);
  }
  free(tree);
  return found;
}

// Presses the close button of the window titled title; false when there is none.
inline bool CloseWindowTitled(const std::string& title) {
  xcb_connection_t* conn = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(conn)) {
    xcb_disconnect(conn);
    return false;
  }
  const xcb_window_t window = WindowTitled(conn, xcb_setup_roots_iterator(xcb_get_setup(conn)).data->root, title);
  if (window) {
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = AtomNamed(conn, "WM_PROTOCOLS");
    message.data.data32[0] = AtomNamed(conn, "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(conn, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    // A round trip: the server has taken the request before this connection closes.
    free(xcb_get_input_focus_reply(conn, xcb_get_input_focus(conn), nullptr));
  }
  xcb_disconnect(conn);
  return window != 0;
}

// One connection to the display for looking at it.
class XDisplay {
 public:
  XDisplay() : conn_(xcb_connect(nullptr, nullptr)) {}
  ~XDisplay() { xcb_disconnect(conn_); }
  XDisplay(const XDisplay&) = delete;
  XDisplay& operator=(const XDisplay&) = delete;
  bool Ok() { return !xcb_connection_has_error(conn_); }
  xcb_window_t Root() { return xcb_setup_roots_iterator(xcb_get_setup(conn_)).data->root; }

  // The size of the top-level window titled title, and its min and max size hints (0 x 0 when none).
  struct Size {
    int width = 0, height = 0, minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
  };
  Size WindowSize(const std::string& title) {
    Size size;
    const xcb_window_t window = WindowTitled(conn_, Root(), title);
    if (!window) return size;
    if (xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(conn_, xcb_get_geometry(conn_, window), nullptr)) {
      size.width = g->width;
      size.height = g->height;
      free(g);
    }
    xcb_get_property_reply_t* hints = xcb_get_property_reply(
        conn_, xcb_get_property(conn_, 0, window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 0, 18), nullptr);
    if (hints && xcb_get_property_value_length(hints) >= 36) {
      const auto* h = static_cast<const uint32_t*>(xcb_get_property_value(hints));
      size.minWidth = int(h[5]), size.minHeight = int(h[6]), size.maxWidth = int(h[7]), size.maxHeight = int(h[8]);
    }
    free(hints);
    return size;
  }

  // The screen's pixel at x, y (0x00RRGGBB), or ~0u.
  uint32_t Pixel(int x, int y) {
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        conn_, xcb_get_image(conn_, XCB_IMAGE_FORMAT_Z_PIXMAP, Root(), int16_t(x), int16_t(y), 1, 1, ~0u), nullptr);
    uint32_t pixel = ~0u;
    if (image && xcb_get_image_data_length(image) >= 4) std::memcpy(&pixel, xcb_get_image_data(image), 4);
    free(image);
    return pixel == ~0u ? pixel : (pixel & 0xFFFFFF);
  }

  // Sets the desktop's resource database (the root's RESOURCE_MANAGER), as a desktop does.
  void SetResources(const std::string& text) {
    xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, Root(), XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 8,
                        uint32_t(text.size()), text.data());
    free(xcb_get_input_focus_reply(conn_, xcb_get_input_focus(conn_), nullptr));
  }

 private:
  xcb_connection_t* conn_;
};
