// The host window on X11: a top-level window of its own XCB connection, named
// through WM_NAME and _NET_WM_NAME, asking for WM_DELETE_WINDOW so that the close
// button reaches the host. Its connection is watched through the host's run loop.

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "desktop_scale.h"
#include "host_frame.h"
#include "host_window.h"

namespace spwwin {
namespace {

xcb_atom_t Atom(xcb_connection_t* conn, const char* name) {
  xcb_intern_atom_reply_t* reply =
      xcb_intern_atom_reply(conn, xcb_intern_atom(conn, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
  free(reply);
  return atom;
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

class X11HostWindow : public HostWindow, public Steinberg::Linux::IEventHandler {
 public:
  X11HostWindow(xcb_connection_t* conn, const xcb_screen_t* screen, int width, int height, const std::string& title);
  ~X11HostWindow() override;

  void* ParentHandle() const override { return reinterpret_cast<void*>(static_cast<uintptr_t>(window_)); }
  const char* PlatformType() const override { return Steinberg::kPlatformTypeX11EmbedWindowID; }
  Steinberg::IPlugFrame* Frame() override { return &frame_; }
  void Pump(int ms) override {
    // Events xcb has read already (with a reply) wake no poll: they are taken first.
    ReadEvents();
    xcb_flush(conn_);
    frame_.RunFor(ms);
    ReadEvents();
  }
  bool CloseRequested() const override { return closeRequested_; }
  void Resize(int width, int height) override;
  double DesktopScale() const override;

  void PLUGIN_API onFDIsSet(Steinberg::Linux::FileDescriptor) override { ReadEvents(); }
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID queried, void** obj) override {
    QUERY_INTERFACE(queried, obj, Steinberg::FUnknown::iid, Steinberg::Linux::IEventHandler)
    QUERY_INTERFACE(queried, obj, Steinberg::Linux::IEventHandler::iid, Steinberg::Linux::IEventHandler)
    *obj = nullptr;
    return Steinberg::kNoInterface;
  }
  // Owned by the host: counts, never deletes.
  Steinberg::uint32 PLUGIN_API addRef() override { return 2; }
  Steinberg::uint32 PLUGIN_API release() override { return 1; }

 private:
  void SetFixedSize(int width, int height);
  void ReadEvents();

  xcb_connection_t* conn_;
  xcb_window_t root_;
  xcb_window_t window_;
  xcb_atom_t deleteWindow_;
  bool closeRequested_ = false;
  HostFrame frame_;
};

#pragma GCC diagnostic pop

X11HostWindow::X11HostWindow(xcb_connection_t* conn, const xcb_screen_t* screen, int width, int height,
                             const std::string& title)
    : conn_(conn), root_(screen->root), window_(xcb_generate_id(conn)) {
  const uint32_t values[] = {screen->black_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
  xcb_create_window(conn, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, static_cast<uint16_t>(width),
                    static_cast<uint16_t>(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                    XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
  xcb_change_property(conn, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                      static_cast<uint32_t>(title.size()), title.data());
  xcb_change_property(conn, XCB_PROP_MODE_REPLACE, window_, Atom(conn, "_NET_WM_NAME"), Atom(conn, "UTF8_STRING"),
                      8, static_cast<uint32_t>(title.size()), title.data());
  static const char kClass[] = "stereoPulseWeaver\0stereoPulseWeaver";
  xcb_change_property(conn, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, sizeof kClass,
                      kClass);
  deleteWindow_ = Atom(conn, "WM_DELETE_WINDOW");
  xcb_change_property(conn, XCB_PROP_MODE_REPLACE, window_, Atom(conn, "WM_PROTOCOLS"), XCB_ATOM_ATOM, 32, 1,
                      &deleteWindow_);
  SetFixedSize(width, height);
  xcb_map_window(conn, window_);
  xcb_flush(conn);
  frame_.registerEventHandler(this, xcb_get_file_descriptor(conn));
  frame_.FollowResizes([this](int w, int h) { Resize(w, h); });
}

X11HostWindow::~X11HostWindow() {
  frame_.unregisterEventHandler(this);
  xcb_destroy_window(conn_, window_);
  xcb_disconnect(conn_);
}

void X11HostWindow::SetFixedSize(int width, int height) {
  // WM_NORMAL_HINTS: flags, then x, y, width, height, min, max (PMinSize | PMaxSize).
  constexpr uint32_t kMinSize = 1u << 4, kMaxSize = 1u << 5;
  uint32_t hints[18] = {};
  hints[0] = kMinSize | kMaxSize;
  hints[5] = hints[7] = static_cast<uint32_t>(width);
  hints[6] = hints[8] = static_cast<uint32_t>(height);
  xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32,
                      18, hints);
}

// The hints first: a window manager holds a window to the sizes they allow.
void X11HostWindow::Resize(int width, int height) {
  SetFixedSize(width, height);
  const uint32_t size[] = {static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
  xcb_configure_window(conn_, window_, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
  xcb_flush(conn_);
}

double X11HostWindow::DesktopScale() const {
  constexpr uint32_t kLongestDatabase = 1u << 20;  // 32-bit units: 4 MiB of text
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      conn_, xcb_get_property(conn_, 0, root_, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0, kLongestDatabase),
      nullptr);
  std::string resources;
  if (reply) {
    resources.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                     size_t(xcb_get_property_value_length(reply)));
  }
  free(reply);
  return ScaleFromResources(resources);
}

void X11HostWindow::ReadEvents() {
  while (xcb_generic_event_t* event = xcb_poll_for_event(conn_)) {
    const uint8_t type = event->response_type & 0x7F;
    if (type == XCB_CLIENT_MESSAGE) {
      const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
      if (message->data.data32[0] == deleteWindow_) closeRequested_ = true;
    } else if (type == XCB_DESTROY_NOTIFY) {
      closeRequested_ = true;
    }
    free(event);
  }
  // A connection the server broke (the X server went away) closes the window too.
  if (xcb_connection_has_error(conn_)) closeRequested_ = true;
}

}  // namespace

std::unique_ptr<HostWindow> HostWindow::Create(int width, int height, const std::string& title, std::string* error) {
  int screenNumber = 0;
  xcb_connection_t* conn = xcb_connect(nullptr, &screenNumber);
  if (const int failure = xcb_connection_has_error(conn)) {
    xcb_disconnect(conn);
    if (error) *error = "no X display (is DISPLAY set? or play with --no-window), connection error " +
                        std::to_string(failure);
    return nullptr;
  }
  auto screens = xcb_setup_roots_iterator(xcb_get_setup(conn));
  for (int i = 0; i < screenNumber && screens.rem; ++i) xcb_screen_next(&screens);
  if (!screens.rem) {
    xcb_disconnect(conn);
    if (error) *error = "the X display has no screen " + std::to_string(screenNumber);
    return nullptr;
  }
  return std::make_unique<X11HostWindow>(conn, screens.data, width, height, title);
}

}  // namespace spwwin
