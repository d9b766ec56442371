#include "graphics_x11.h"

#include <cstdint>
#include <cstdlib>

#include "effect_base.h"
#include "x11_entry_field.h"

namespace {

constexpr uint32_t kWindowEvents =
    XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
    XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_ENTER_WINDOW | XCB_EVENT_MASK_LEAVE_WINDOW |
    XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_STRUCTURE_NOTIFY;

xcb_window_t WindowId(void* handle) { return static_cast<xcb_window_t>(reinterpret_cast<uintptr_t>(handle)); }

}  // namespace

IGraphicsX11::IGraphicsX11(IEffectBase* plug, int width, int height, int frameRate)
    : IGraphics(plug, width, height, frameRate) {}

IGraphicsX11::~IGraphicsX11() { CloseEditorWindow(); }

void* IGraphicsX11::EditorWindowHandle() const {
  return window_ ? reinterpret_cast<void*>(static_cast<uintptr_t>(window_)) : nullptr;
}

int IGraphicsX11::EventFileDescriptor() const { return conn_ ? conn_->FileDescriptor() : -1; }

void* IGraphicsX11::OpenEditorWindow(void* parent) {
  IArea place(0, 0, DeviceWidth(), DeviceHeight());
  if (window_) {
    // A window moving to a new parent keeps its place and size there.
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(conn_->Get(), xcb_get_geometry(conn_->Get(), window_), nullptr);
    if (geometry) {
      place = IArea(geometry->x, geometry->y, geometry->x + geometry->width, geometry->y + geometry->height);
      free(geometry);
    }
  }
  CloseEditorWindow();
  if (!parent) return nullptr;
  conn_ = X11Connection::Open();
  if (!conn_ || !CreateWindow(WindowId(parent), place)) {
    conn_.reset();
    return nullptr;
  }
  RedrawAll();
  return EditorWindowHandle();
}

bool IGraphicsX11::CreateWindow(xcb_window_t parent, const IArea& place) {
  xcb_connection_t* c = conn_->Get();
  const xcb_window_t window = xcb_generate_id(c);
  const uint32_t values[] = {0, kWindowEvents, conn_->Screen().default_colormap};
  // Under a grab, an embedder that looks at the new window finds its _XEMBED_INFO.
  xcb_grab_server(c);
  // Checked: a parent id that names no window fails here instead of later.
  xcb_generic_error_t* error = xcb_request_check(
      c, xcb_create_window_checked(c, conn_->Screen().root_depth, window, parent, static_cast<int16_t>(place.left),
                                   static_cast<int16_t>(place.top), static_cast<uint16_t>(place.W()),
                                   static_cast<uint16_t>(place.H()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                                   conn_->Screen().root_visual,
                                   XCB_CW_BORDER_PIXEL | XCB_CW_EVENT_MASK | XCB_CW_COLORMAP, values));
  if (error) {
    xcb_ungrab_server(c);
    xcb_flush(c);
    free(error);
    return false;
  }
  xembed_.Announce(c, window);
  xcb_ungrab_server(c);
  window_ = window;
  gc_ = xcb_generate_id(c);
  const uint32_t noExposures = 0;
  xcb_create_gc(c, gc_, window_, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
  // Not mapped here: an XEmbed embedder maps it; otherwise the first timer tick does.
  xcb_flush(c);
  return true;
}

void IGraphicsX11::CloseEditorWindow() {
  if (!conn_) return;
  if (window_) EndHeldInput();
  entry_.Close();  // before the connection it uses
  if (window_) xcb_destroy_window(conn_->Get(), window_);
  window_ = 0;
  // Disconnecting frees the graphics context and anything else the server holds for us.
  conn_.reset();
  gc_ = 0;
  exposed_ = IArea();
}

void IGraphicsX11::ForgetWindow() {
  EndHeldInput();
  // Work waiting for the redraw timer must not wait for ticks that no longer come.
  if (Plug()) Plug()->EditorClosed();
  entry_.Close();  // its window died with ours
  window_ = 0;
}

void IGraphicsX11::Resize(int width, int height) {
  IGraphics::Resize(width, height);
  ResizeWindowToScale();
}

void IGraphicsX11::ResizeWindowToScale() {
  if (!window_) return;
  const uint32_t size[] = {static_cast<uint32_t>(DeviceWidth()), static_cast<uint32_t>(DeviceHeight())};
  xcb_configure_window(conn_->Get(), window_, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
  xcb_clear_area(conn_->Get(), 1, window_, 0, 0, 0, 0);  // exposes the whole window
  xcb_flush(conn_->Get());
}

// ---------------------------------------------------------------- painting and timer

bool IGraphicsX11::PaintToWindow(const IArea& rect) {
  const RasterBitmap* surface = Surface();
  if (!window_ || !surface) return false;
  conn_->PutImage(window_, gc_, *surface, rect);
  return true;
}

void IGraphicsX11::RedrawTimerTick() {
  // Events a reply brought in with it wait in the connection's queue, where the host's
  // watch of the descriptor cannot see them: each tick takes them too.
  ProcessWindowEvents();
  if (!window_) return;
  xembed_.MapUnlessEmbedded(conn_->Get());
  entry_.Apply(*this);
  RedrawTick([this](const IArea& area) { Draw(area); });
  if (conn_) xcb_flush(conn_->Get());
}

// ---------------------------------------------------------------- events

void IGraphicsX11::ProcessWindowEvents() {
  if (!conn_) return;
  while (xcb_generic_event_t* event = xcb_poll_for_event(conn_->Get())) {
    HandleEvent(*event);
    free(event);
    if (!conn_) return;
  }
  // A server that went away takes the window with it.
  if (conn_->Broken() && window_) ForgetWindow();
  xcb_flush(conn_->Get());
}

void IGraphicsX11::HandleEvent(const xcb_generic_event_t& event) {
  if (X11EntryField* field = Field()) {
    if (field->HandleEvent(event)) return;
  }
  if (xembed_.HandleEvent(event)) return;
  switch (event.response_type & ~0x80) {
    case XCB_EXPOSE: Expose(reinterpret_cast<const xcb_expose_event_t&>(event)); break;
    case XCB_BUTTON_PRESS: ButtonPress(reinterpret_cast<const xcb_button_press_event_t&>(event)); break;
    case XCB_BUTTON_RELEASE: ButtonRelease(reinterpret_cast<const xcb_button_release_event_t&>(event)); break;
    case XCB_MOTION_NOTIFY: Motion(reinterpret_cast<const xcb_motion_notify_event_t&>(event)); break;
    case XCB_LEAVE_NOTIFY: Leave(reinterpret_cast<const xcb_leave_notify_event_t&>(event)); break;
    case XCB_KEY_PRESS: Key(reinterpret_cast<const xcb_key_press_event_t&>(event)); break;
    case XCB_DESTROY_NOTIFY:
      if (reinterpret_cast<const xcb_destroy_notify_event_t&>(event).window == window_ && window_) ForgetWindow();
      break;
    default:
      break;  // errors and the rest: nothing to do
  }
}

void IGraphicsX11::Expose(const xcb_expose_event_t& e) {
  if (e.window != window_) return;
  exposed_ = exposed_.Union(IArea(e.x, e.y, e.x + e.width, e.y + e.height));
  if (e.count > 0) return;  // more of the same exposure follow
  const IArea area = ToEditor(exposed_);
  exposed_ = IArea();
  Draw(area);
}
