#include "x11_connection.h"

#include <algorithm>
#include <cstdlib>

#include "raster_bitmap.h"

namespace {

constexpr uint8_t kDepth = 24;
constexpr uint8_t kBitsPerPixel = 32;
constexpr uint32_t kRedMask = 0xFF0000u;
constexpr uint32_t kGreenMask = 0x00FF00u;
constexpr uint32_t kBlueMask = 0x0000FFu;
constexpr uint32_t kPutImageHeaderBytes = 24;

bool PixmapFormatFits(const xcb_setup_t* setup) {
  for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it)) {
    if (it.data->depth == kDepth) return it.data->bits_per_pixel == kBitsPerPixel;
  }
  return false;
}

bool VisualFits(const xcb_screen_t* screen) {
  if (screen->root_depth != kDepth) return false;
  for (auto depths = xcb_screen_allowed_depths_iterator(screen); depths.rem; xcb_depth_next(&depths)) {
    for (auto v = xcb_depth_visuals_iterator(depths.data); v.rem; xcb_visualtype_next(&v)) {
      if (v.data->visual_id != screen->root_visual) continue;
      return v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR && v.data->red_mask == kRedMask &&
             v.data->green_mask == kGreenMask && v.data->blue_mask == kBlueMask;
    }
  }
  return false;
}

}  // namespace

std::unique_ptr<X11Connection> X11Connection::Open() {
  int screenNumber = 0;
  xcb_connection_t* conn = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(conn)) {
    xcb_disconnect(conn);
    return nullptr;
  }
  const xcb_setup_t* setup = xcb_get_setup(conn);
  auto screens = xcb_setup_roots_iterator(setup);
  for (int i = 0; i < screenNumber && screens.rem; ++i) xcb_screen_next(&screens);
  // Little-endian pixels go to the server as they are.
  if (!screens.rem || setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST || !PixmapFormatFits(setup) ||
      !VisualFits(screens.data)) {
    xcb_disconnect(conn);
    return nullptr;
  }
  std::unique_ptr<X11Connection> connection(new X11Connection(conn, screens.data));
  if (!connection->keyboard_.Read(conn)) return nullptr;
  return connection;
}

X11Connection::X11Connection(xcb_connection_t* conn, const xcb_screen_t* screen) : conn_(conn), screen_(screen) {}

X11Connection::~X11Connection() { xcb_disconnect(conn_); }

void X11Connection::PutImage(xcb_drawable_t drawable, xcb_gcontext_t gc, const RasterBitmap& image,
                             const IArea& rect) const {
  const IArea bounds(0, 0, image.Width(), image.Height());
  const IArea area = rect.Intersect(bounds);
  if (area.W() <= 0 || area.H() <= 0) return;
  const size_t rowBytes = static_cast<size_t>(area.W()) * sizeof(uint32_t);
  const size_t maxBytes = static_cast<size_t>(xcb_get_maximum_request_length(conn_)) * 4 - kPutImageHeaderBytes;
  const int rowsPerRequest = static_cast<int>(std::max<size_t>(1, maxBytes / rowBytes));
  std::vector<uint32_t> band;
  for (int top = area.top; top < area.bottom; top += rowsPerRequest) {
    const int rows = std::min(rowsPerRequest, area.bottom - top);
    band.resize(static_cast<size_t>(area.W()) * static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) {
      const uint32_t* source = image.Row(top + r) + area.left;
      std::copy(source, source + area.W(), band.begin() + static_cast<std::ptrdiff_t>(r) * area.W());
    }
    xcb_put_image(conn_, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, gc, static_cast<uint16_t>(area.W()),
                  static_cast<uint16_t>(rows), static_cast<int16_t>(area.left), static_cast<int16_t>(top), 0,
                  kDepth, static_cast<uint32_t>(band.size() * sizeof(uint32_t)),
                  reinterpret_cast<const uint8_t*>(band.data()));
  }
}
