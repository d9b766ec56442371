#include "xembed_client.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t kEmbeddedNotify = 0;  // XEMBED_EMBEDDED_NOTIFY
constexpr uint8_t kClientMessage = XCB_CLIENT_MESSAGE;
constexpr uint8_t kMapNotify = XCB_MAP_NOTIFY;

xcb_atom_t Intern(xcb_connection_t* conn, const char* name) {
  xcb_intern_atom_reply_t* reply =
      xcb_intern_atom_reply(conn, xcb_intern_atom(conn, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
  if (!reply) return XCB_ATOM_NONE;
  const xcb_atom_t atom = reply->atom;
  free(reply);
  return atom;
}

}  // namespace

void XEmbedClient::Announce(xcb_connection_t* conn, xcb_window_t window) {
  window_ = window;
  mapPending_ = true;
  embedded_ = false;
  xembed_ = Intern(conn, "_XEMBED");
  const xcb_atom_t info = Intern(conn, "_XEMBED_INFO");
  if (info == XCB_ATOM_NONE) return;
  const uint32_t value[] = {kProtocolVersion, kFlagMapped};
  xcb_change_property(conn, XCB_PROP_MODE_REPLACE, window, info, info, 32, 2, value);
}

bool XEmbedClient::HandleEvent(const xcb_generic_event_t& event) {
  switch (event.response_type & ~0x80) {
    case kMapNotify:
      if (reinterpret_cast<const xcb_map_notify_event_t&>(event).window != window_) return false;
      mapPending_ = false;
      return true;
    case kClientMessage: {
      const auto& message = reinterpret_cast<const xcb_client_message_event_t&>(event);
      if (message.window != window_ || xembed_ == XCB_ATOM_NONE || message.type != xembed_) return false;
      // data32: time, message, detail, data1, data2. Focus and activation need nothing here.
      if (message.data.data32[1] == kEmbeddedNotify) {
        embedded_ = true;
        mapPending_ = false;  // the embedder maps us as the flags ask
      }
      return true;
    }
    default:
      return false;
  }
}

void XEmbedClient::MapUnlessEmbedded(xcb_connection_t* conn) {
  if (!mapPending_ || !window_) return;
  mapPending_ = false;
  xcb_map_window(conn, window_);
}
