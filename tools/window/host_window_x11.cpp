// The host window on X11: a top-level window of its own XCB connection, named
// through WM_NAME and _NET_WM_NAME, asking for WM_DELETE_WINDOW so that the close
// button reaches the host. The editor sits in a child window of it, below the
// strip when there is one; the strip's panel is a child window stacked over the
// editor while open. Its connection is watched through the host's run loop.

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "desktop_scale.h"
#include "host_frame.h"
#include "host_window.h"
#include "strip_host.h"
#include "x11_connection.h"
#include "x11_keys.h"

namespace spwwin {
namespace {

xcb_atom_t Atom(xcb_connection_t* conn, const char* name) {
  xcb_intern_atom_reply_t* reply =
      xcb_intern_atom_reply(conn, xcb_intern_atom(conn, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
  free(reply);
  return atom;
}

// The arrow keys' symbols, by the host's names for them.
struct Arrow {
  uint32_t symbol;
  ArrowKey key;
};
constexpr Arrow kArrows[] = {{x11::kLeftArrow, ArrowKey::kLeft},
                             {x11::kUpArrow, ArrowKey::kUp},
                             {x11::kRightArrow, ArrowKey::kRight},
                             {x11::kDownArrow, ArrowKey::kDown}};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

class X11HostWindow : public HostWindow, public Steinberg::Linux::IEventHandler {
 public:
  X11HostWindow(std::unique_ptr<X11Connection> connection, int width, int height, const std::string& title);
  ~X11HostWindow() override;

  void* ParentHandle() const override { return reinterpret_cast<void*>(static_cast<uintptr_t>(editorParent_)); }
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
  void ShowStrip(WindowStrip* strip, Steinberg::IPlugView* view) override;
  void RedrawStrip() override;

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
  xcb_window_t MakeChild(int y, int width, int height, uint32_t events);
  void SetFixedSize(int width, int height);
  void GrabArrowKeys();
  void Place(xcb_window_t window, int y, int width, int height);
  void ReadEvents();
  void Handle(const xcb_generic_event_t& event);

  std::unique_ptr<X11Connection> connection_;
  xcb_connection_t* conn_;
  xcb_window_t root_;
  xcb_window_t window_;
  xcb_window_t editorParent_ = 0;
  xcb_window_t panel_ = 0;  // the strip's panel, while there is a strip
  xcb_gcontext_t gc_;
  xcb_atom_t deleteWindow_;
  bool closeRequested_ = false;
  bool panelShown_ = false;
  int editorWidth_, editorHeight_;
  StripHost strip_;
  HostFrame frame_;
};

#pragma GCC diagnostic pop

X11HostWindow::X11HostWindow(std::unique_ptr<X11Connection> connection, int width, int height,
                             const std::string& title)
    : connection_(std::move(connection)),
      conn_(connection_->Get()),
      root_(connection_->Screen().root),
      window_(xcb_generate_id(conn_)),
      gc_(xcb_generate_id(conn_)),
      editorWidth_(width),
      editorHeight_(height) {
  const xcb_screen_t& screen = connection_->Screen();
  const uint32_t values[] = {screen.black_pixel,
                             XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS};
  xcb_create_window(conn_, XCB_COPY_FROM_PARENT, window_, screen.root, 0, 0, static_cast<uint16_t>(width),
                    static_cast<uint16_t>(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen.root_visual,
                    XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
  xcb_create_gc(conn_, gc_, window_, 0, nullptr);
  xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                      static_cast<uint32_t>(title.size()), title.data());
  xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, window_, Atom(conn_, "_NET_WM_NAME"), Atom(conn_, "UTF8_STRING"),
                      8, static_cast<uint32_t>(title.size()), title.data());
  static const char kClass[] = "stereoPulseWeaver\0stereoPulseWeaver";
  xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, sizeof kClass,
                      kClass);
  deleteWindow_ = Atom(conn_, "WM_DELETE_WINDOW");
  xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, window_, Atom(conn_, "WM_PROTOCOLS"), XCB_ATOM_ATOM, 32, 1,
                      &deleteWindow_);
  SetFixedSize(width, height);
  editorParent_ = MakeChild(0, width, height, 0);
  xcb_map_window(conn_, editorParent_);
  xcb_map_window(conn_, window_);
  xcb_flush(conn_);
  frame_.registerEventHandler(this, xcb_get_file_descriptor(conn_));
  frame_.FollowResizes([this](int w, int h) { Resize(w, h); });
}

X11HostWindow::~X11HostWindow() {
  frame_.unregisterEventHandler(this);
  xcb_destroy_window(conn_, window_);
  xcb_flush(conn_);
}

xcb_window_t X11HostWindow::MakeChild(int y, int width, int height, uint32_t events) {
  const xcb_window_t child = xcb_generate_id(conn_);
  const uint32_t values[] = {connection_->Screen().black_pixel, events};
  xcb_create_window(conn_, XCB_COPY_FROM_PARENT, child, window_, 0, static_cast<int16_t>(y),
                    static_cast<uint16_t>(width), static_cast<uint16_t>(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                    connection_->Screen().root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
  return child;
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

void X11HostWindow::Place(xcb_window_t window, int y, int width, int height) {
  const uint32_t place[] = {0, static_cast<uint32_t>(y), static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
  xcb_configure_window(conn_, window,
                       XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                       place);
}

// The hints first: a window manager holds a window to the sizes they allow.
void X11HostWindow::Resize(int width, int height) {
  editorWidth_ = width;
  editorHeight_ = height;
  const int top = strip_.Layout(width, height);
  SetFixedSize(width, top + height);
  const uint32_t size[] = {static_cast<uint32_t>(width), static_cast<uint32_t>(top + height)};
  xcb_configure_window(conn_, window_, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
  Place(editorParent_, top, width, height);
  if (panel_) Place(panel_, top, width, height);
  RedrawStrip();
  xcb_flush(conn_);
}

void X11HostWindow::ShowStrip(WindowStrip* strip, Steinberg::IPlugView* view) {
  strip_.Show(strip, view);
  panel_ = MakeChild(0, editorWidth_, editorHeight_, XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS);
  GrabArrowKeys();
  Resize(editorWidth_, editorHeight_);
}

// The arrows reach the host wherever the pointer is in the window, the editor's
// part included (a host hears keys first and offers them to the view).
void X11HostWindow::GrabArrowKeys() {
  const xcb_setup_t* setup = xcb_get_setup(conn_);
  for (unsigned code = setup->min_keycode; code <= setup->max_keycode; ++code) {
    for (const Arrow& arrow : kArrows) {
      if (connection_->KeySymbol(static_cast<xcb_keycode_t>(code), false) != arrow.symbol) continue;
      xcb_grab_key(conn_, 1, window_, XCB_MOD_MASK_ANY, static_cast<xcb_keycode_t>(code), XCB_GRAB_MODE_ASYNC,
                   XCB_GRAB_MODE_ASYNC);
    }
  }
}

void X11HostWindow::RedrawStrip() {
  if (!strip_.Shown()) return;
  strip_.Draw();
  const RasterBitmap& strip = strip_.StripPicture();
  connection_->PutImage(window_, gc_, strip, IArea(0, 0, strip.Width(), strip.Height()));
  if (strip_.PanelOpen()) {
    if (!panelShown_) {
      const uint32_t above[] = {XCB_STACK_MODE_ABOVE};
      xcb_configure_window(conn_, panel_, XCB_CONFIG_WINDOW_STACK_MODE, above);
      xcb_map_window(conn_, panel_);
    }
    const RasterBitmap& panel = strip_.PanelPicture();
    connection_->PutImage(panel_, gc_, panel, IArea(0, 0, panel.Width(), panel.Height()));
  } else if (panelShown_) {
    xcb_unmap_window(conn_, panel_);
  }
  panelShown_ = strip_.PanelOpen();
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

void X11HostWindow::Handle(const xcb_generic_event_t& event) {
  WindowStrip* strip = strip_.Strip();
  switch (event.response_type & 0x7F) {
    case XCB_CLIENT_MESSAGE: {
      const auto& message = reinterpret_cast<const xcb_client_message_event_t&>(event);
      if (message.data.data32[0] == deleteWindow_) closeRequested_ = true;
      return;
    }
    case XCB_DESTROY_NOTIFY:
      closeRequested_ = true;
      return;
    case XCB_EXPOSE:
      if (reinterpret_cast<const xcb_expose_event_t&>(event).count == 0) RedrawStrip();
      return;
    case XCB_BUTTON_PRESS: {
      const auto& press = reinterpret_cast<const xcb_button_press_event_t&>(event);
      if (!strip) return;
      if (press.event == panel_ && (press.detail == x11::kWheelUp || press.detail == x11::kWheelDown)) {
        strip->WheelPanel(press.detail == x11::kWheelUp ? 1 : -1);
      } else if (press.detail != x11::kLeftButton) {
        return;
      } else if (press.event == panel_) {
        strip->PressPanel(press.event_x, press.event_y);
      } else if (press.event == window_ && press.event_y < strip_.Height()) {
        strip->PressStrip(press.event_x, press.event_y);
      }
      RedrawStrip();
      return;
    }
    case XCB_KEY_PRESS: {
      const auto& key = reinterpret_cast<const xcb_key_press_event_t&>(event);
      const uint32_t symbol = connection_->KeySymbol(key.detail, false);
      for (const Arrow& arrow : kArrows) {
        if (arrow.symbol == symbol) strip_.Key(arrow.key);
      }
      RedrawStrip();
      return;
    }
    default:
      return;
  }
}

void X11HostWindow::ReadEvents() {
  while (xcb_generic_event_t* event = xcb_poll_for_event(conn_)) {
    Handle(*event);
    free(event);
  }
  // A connection the server broke (the X server went away) closes the window too.
  if (xcb_connection_has_error(conn_)) closeRequested_ = true;
}

}  // namespace

std::unique_ptr<HostWindow> HostWindow::Create(int width, int height, const std::string& title, std::string* error) {
  std::unique_ptr<X11Connection> connection = X11Connection::Open();
  if (!connection) {
    if (error) *error = "no X display that shows 24-bit colour (is DISPLAY set? or play with --no-window)";
    return nullptr;
  }
  return std::make_unique<X11HostWindow>(std::move(connection), width, height, title);
}

}  // namespace spwwin
