// The window driver on X11: a parent window of its own connection, XTest input
// through the server, and the picture read back with GetImage.

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstdlib>
#include <cstring>

#include "host_frame.h"
#include "window_driver.h"
#include "x11_keyboard_map.h"
#include "x11_keys.h"

namespace spwwin {
namespace {

using namespace x11;

constexpr uint32_t kOpaque = 0xFF000000u;

uint8_t ButtonNumber(Button button) { return button == Button::kLeft ? kLeftButton : kRightButton; }

xcb_atom_t Intern(xcb_connection_t* conn, const char* name) {
  xcb_intern_atom_reply_t* reply =
      xcb_intern_atom_reply(conn, xcb_intern_atom(conn, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  free(reply);
  return atom;
}

class X11Driver : public WindowDriver {
 public:
  X11Driver(xcb_connection_t* conn, const xcb_screen_t* screen, int width, int height, Embedding embedding);
  ~X11Driver() override;

  void* ParentHandle() const override { return reinterpret_cast<void*>(static_cast<uintptr_t>(parent_)); }
  const char* PlatformType() const override { return Steinberg::kPlatformTypeX11EmbedWindowID; }
  HostFrame* Frame() override { return &frame_; }
  void* EditorWindow() override;
  void DestroyParent() override;
  void Pump(int ms) override;
  void DestroyRunLoop() override { frame_.DestroyRunLoop(); }
  int CallsAfterRunLoopDestroyed() const override { return frame_.CallsAfterDestruction(); }

  void Move(int x, int y) override;
  void Press(int x, int y, Button button) override;
  void Release(int x, int y, Button button) override;
  void Wheel(int x, int y, int notches) override;
  void Type(const std::string& text) override;
  void PressReturn() override;
  Picture Capture() override;

 private:
  xcb_window_t Editor();
  void Fake(uint8_t type, uint8_t detail, int16_t rootX = 0, int16_t rootY = 0);
  void Sync();
  void TypeSymbol(uint32_t symbol);
  // The embedder's side of XEmbed: a child created in the parent is looked at at once.
  void ServeEmbedding();
  void Embed(xcb_window_t child);

  xcb_connection_t* conn_;
  const xcb_screen_t* screen_;
  xcb_window_t parent_;
  bool parentAlive_ = true;
  unsigned held_ = 0;  // bit n: pointer button n pressed here and not released
  HostFrame frame_;
  X11KeyboardMap keyboard_;
  bool xembed_;
};

X11Driver::X11Driver(xcb_connection_t* conn, const xcb_screen_t* screen, int width, int height, Embedding embedding)
    : conn_(conn), screen_(screen), parent_(xcb_generate_id(conn)), xembed_(embedding == Embedding::kXEmbed) {
  // Override-redirect: placed at (0, 0) as asked, whatever window manager runs.
  const uint32_t values[] = {screen->black_pixel, 1,
                             static_cast<uint32_t>(xembed_ ? XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY : XCB_EVENT_MASK_NO_EVENT)};
  xcb_create_window(conn, XCB_COPY_FROM_PARENT, parent_, screen->root, 0, 0, static_cast<uint16_t>(width),
                    static_cast<uint16_t>(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                    XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
  xcb_map_window(conn, parent_);
  keyboard_.Read(conn);
  Sync();
}

X11Driver::~X11Driver() {
  // Buttons still held are let go: the server outlives this driver.
  for (uint8_t button : {kLeftButton, kRightButton}) {
    if (held_ & (1u << button)) Fake(XCB_BUTTON_RELEASE, button);
  }
  DestroyParent();
  xcb_disconnect(conn_);
}

void X11Driver::Sync() {
  xcb_flush(conn_);
  free(xcb_get_input_focus_reply(conn_, xcb_get_input_focus(conn_), nullptr));
}

xcb_window_t X11Driver::Editor() {
  if (!parentAlive_) return 0;
  xcb_query_tree_reply_t* tree = xcb_query_tree_reply(conn_, xcb_query_tree(conn_, parent_), nullptr);
  if (!tree) return 0;
  const xcb_window_t editor = xcb_query_tree_children_length(tree) > 0 ? xcb_query_tree_children(tree)[0] : 0;
  free(tree);
  return editor;
}

void* X11Driver::EditorWindow() { return reinterpret_cast<void*>(static_cast<uintptr_t>(Editor())); }

void X11Driver::DestroyParent() {
  if (!parentAlive_) return;
  xcb_destroy_window(conn_, parent_);
  parentAlive_ = false;
  Sync();
}

void X11Driver::Pump(int ms) {
  Sync();  // the server has taken our input before the editor looks for it
  ServeEmbedding();
  frame_.RunFor(ms);
  ServeEmbedding();
}

void X11Driver::ServeEmbedding() {
  while (xcb_generic_event_t* event = xcb_poll_for_event(conn_)) {
    if ((event->response_type & ~0x80) == XCB_CREATE_NOTIFY) {
      const auto& created = reinterpret_cast<const xcb_create_notify_event_t&>(*event);
      if (created.parent == parent_) Embed(created.window);
    }
    free(event);
  }
}

// As editorhost: _XEMBED_INFO read when the child appears, no embedding without it.
void X11Driver::Embed(xcb_window_t child) {
  embedder_.sawChild = true;
  const xcb_atom_t info = Intern(conn_, "_XEMBED_INFO");
  xcb_get_property_reply_t* property =
      xcb_get_property_reply(conn_, xcb_get_property(conn_, 0, child, info, info, 0, 2), nullptr);
  const bool found = property && property->format == 32 && xcb_get_property_value_length(property) >= 8;
  if (found) {
    const auto* words = static_cast<const uint32_t*>(xcb_get_property_value(property));
    embedder_.version = words[0];
    embedder_.flags = words[1];
  }
  free(property);
  if (!found) {
    embedder_.refused = true;
    return;
  }
  xcb_get_window_attributes_reply_t* attributes =
      xcb_get_window_attributes_reply(conn_, xcb_get_window_attributes(conn_, child), nullptr);
  embedder_.childWasMapped = attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
  free(attributes);
  constexpr uint32_t kMappedFlag = 1, kEmbeddedNotify = 0;
  if (embedder_.flags & kMappedFlag) xcb_map_window(conn_, child);
  xcb_client_message_event_t message = {};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = child;
  message.type = Intern(conn_, "_XEMBED");
  message.data.data32[0] = XCB_CURRENT_TIME;
  message.data.data32[1] = kEmbeddedNotify;
  message.data.data32[3] = parent_;
  message.data.data32[4] = embedder_.version;
  xcb_send_event(conn_, 0, child, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
  Sync();
}

void X11Driver::Fake(uint8_t type, uint8_t detail, int16_t rootX, int16_t rootY) {
  xcb_test_fake_input(conn_, type, detail, XCB_CURRENT_TIME, screen_->root, rootX, rootY, 0);
}

void X11Driver::Move(int x, int y) {
  // The parent sits at the screen's origin and the editor at the parent's.
  Fake(XCB_MOTION_NOTIFY, 0, static_cast<int16_t>(x), static_cast<int16_t>(y));
  Sync();
}

void X11Driver::Press(int x, int y, Button button) {
  Move(x, y);
  const uint8_t number = ButtonNumber(button);
  held_ |= 1u << number;
  Fake(XCB_BUTTON_PRESS, number);
  Sync();
}

void X11Driver::Release(int x, int y, Button button) {
  Move(x, y);
  const uint8_t number = ButtonNumber(button);
  held_ &= ~(1u << number);
  Fake(XCB_BUTTON_RELEASE, number);
  Sync();
}

void X11Driver::Wheel(int x, int y, int notches) {
  Move(x, y);
  const xcb_button_t button = notches > 0 ? kWheelUp : kWheelDown;
  for (int i = 0; i < std::abs(notches); ++i) {
    Fake(XCB_BUTTON_PRESS, button);
    Fake(XCB_BUTTON_RELEASE, button);
  }
  Sync();
}

void X11Driver::TypeSymbol(uint32_t symbol) {
  xcb_keycode_t code = 0;
  bool shift = false;
  if (!keyboard_.CodeFor(symbol, &code, &shift)) return;
  xcb_keycode_t shiftCode = 0;
  bool unused = false;
  if (shift && keyboard_.CodeFor(kShiftLeft, &shiftCode, &unused)) Fake(XCB_KEY_PRESS, shiftCode);
  Fake(XCB_KEY_PRESS, code);
  Fake(XCB_KEY_RELEASE, code);
  if (shift && shiftCode) Fake(XCB_KEY_RELEASE, shiftCode);
}

void X11Driver::Type(const std::string& text) {
  // Latin-1 characters are their own key symbols.
  for (unsigned char ch : text) TypeSymbol(ch);
  Sync();
}

void X11Driver::PressReturn() {
  TypeSymbol(kReturn);
  Sync();
}

Picture X11Driver::Capture() {
  Picture picture;
  const xcb_window_t editor = Editor();
  if (!editor) return picture;
  xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(conn_, xcb_get_geometry(conn_, editor), nullptr);
  if (!geometry) return picture;
  const uint16_t w = geometry->width, h = geometry->height;
  free(geometry);
  xcb_get_image_reply_t* image = xcb_get_image_reply(
      conn_, xcb_get_image(conn_, XCB_IMAGE_FORMAT_Z_PIXMAP, editor, 0, 0, w, h, ~0u), nullptr);
  if (!image) return picture;
  const size_t count = static_cast<size_t>(w) * h;
  if (static_cast<size_t>(xcb_get_image_data_length(image)) >= count * sizeof(uint32_t)) {
    const auto* data = reinterpret_cast<const uint32_t*>(xcb_get_image_data(image));
    picture.width = w;
    picture.height = h;
    picture.pixels.assign(data, data + count);
    for (uint32_t& pixel : picture.pixels) pixel |= kOpaque;
  }
  free(image);
  return picture;
}

}  // namespace

std::unique_ptr<WindowDriver> WindowDriver::Create(int width, int height, std::string* error, Embedding embedding) {
  int screenNumber = 0;
  xcb_connection_t* conn = xcb_connect(nullptr, &screenNumber);
  if (const int failure = xcb_connection_has_error(conn)) {
    xcb_disconnect(conn);
    if (error) *error = "no X display (is DISPLAY set?), connection error " + std::to_string(failure);
    return nullptr;
  }
  auto screens = xcb_setup_roots_iterator(xcb_get_setup(conn));
  for (int i = 0; i < screenNumber && screens.rem; ++i) xcb_screen_next(&screens);
  const xcb_query_extension_reply_t* xtest = xcb_get_extension_data(conn, &xcb_test_id);
  if (!screens.rem || !xtest || !xtest->present) {
    xcb_disconnect(conn);
    if (error) *error = "the X display offers no XTest extension";
    return nullptr;
  }
  return std::make_unique<X11Driver>(conn, screens.data, width, height, embedding);
}

}  // namespace spwwin
