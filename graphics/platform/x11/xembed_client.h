#pragma once
// The client half of the XEmbed protocol, which the platform type
// "X11EmbedWindowID" stands for: the editor's window carries _XEMBED_INFO
// (protocol version 0, asking to be mapped) from the moment it exists, the
// embedder maps it, and the embedder's messages (embedded notify, focus in and
// out, window activation) are taken without needing any of them. A host that
// leaves mapping to the plug-in gets the window mapped at the first timer tick
// that finds it neither mapped nor embedded.
//
// Threads: the host's UI thread.

#include <xcb/xcb.h>

class XEmbedClient {
 public:
  static constexpr uint32_t kProtocolVersion = 0;
  static constexpr uint32_t kFlagMapped = 1;  // XEMBED_MAPPED: the client wants to be shown

  // Sets window's _XEMBED_INFO. Call it under a server grab together with the
  // window's creation, so no embedder sees the window without it.
  void Announce(xcb_connection_t* conn, xcb_window_t window);
  // Takes the events of the protocol (the window mapped, _XEMBED messages);
  // true when event was one of them.
  bool HandleEvent(const xcb_generic_event_t& event);
  // Maps the window when no embedder has mapped it or embedded it yet; once.
  void MapUnlessEmbedded(xcb_connection_t* conn);
  // The embedder has sent XEMBED_EMBEDDED_NOTIFY.
  bool Embedded() const { return embedded_; }

 private:
  xcb_window_t window_ = 0;
  xcb_atom_t xembed_ = XCB_ATOM_NONE;
  bool mapPending_ = false;
  bool embedded_ = false;
};
