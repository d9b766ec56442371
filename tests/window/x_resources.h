#pragma once
// What the X server holds for its clients, through the X-Resource extension:
// how many clients are connected, and how many resources (windows, graphics
// contexts, pixmaps, ...) the client that owns a window has made.

#include <xcb/res.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>

class XResources {
 public:
  XResources() : conn_(xcb_connect(nullptr, nullptr)) {}
  ~XResources() { xcb_disconnect(conn_); }
  XResources(const XResources&) = delete;
  XResources& operator=(const XResources&) = delete;

  // -1 when the server cannot say.
  int Clients() {
    xcb_res_query_clients_reply_t* reply = xcb_res_query_clients_reply(conn_, xcb_res_query_clients(conn_), nullptr);
    if (!reply) return -1;
    const int count = static_cast<int>(reply->num_clients);
    free(reply);
    return count;
  }

  // All resources of the client that made window; -1 when the server cannot say.
  int ResourcesOfOwner(uint32_t window) {
    xcb_res_query_client_resources_reply_t* reply =
        xcb_res_query_client_resources_reply(conn_, xcb_res_query_client_resources(conn_, window), nullptr);
    if (!reply) return -1;
    int total = 0;
    const xcb_res_type_t* types = xcb_res_query_client_resources_types(reply);
    for (int i = 0; i < xcb_res_query_client_resources_types_length(reply); ++i) total += static_cast<int>(types[i].count);
    free(reply);
    return total;
  }

 private:
  xcb_connection_t* conn_;
};
