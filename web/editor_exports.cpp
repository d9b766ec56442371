// The editor for the page: the plug-in made with its editor drawn by the raster
// layer without a window, whose picture the page puts on a canvas. The page's
// instance shows and edits; the worklet's instance (spw_create) plays.

#include <emscripten/emscripten.h>

#include <cstdint>
#include <vector>

#include "platform/headless/graphics_headless.h"
#include "plugin_editor.h"
#include "raster_bitmap.h"
#include "stereo_pulse_weaver.h"

namespace {

std::vector<uint8_t> rgba;  // the last picture, as a canvas's ImageData holds it

IGraphicsHeadless& Graphics(spw_web::IEffectWeb* effect) {
  return static_cast<IGraphicsHeadless&>(*static_cast<CLS_STEREOPULSEWEAVER*>(effect)->Editor());
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE spw_web::IEffectWeb* spw_create_with_editor() {
  auto* plugin = new CLS_STEREOPULSEWEAVER(BuildHeadlessEditor);
  plugin->Initialize();
  return plugin;
}

// What the editor's redraw timer does: the controls' timer work, then what changed is drawn.
EMSCRIPTEN_KEEPALIVE void spw_editor_tick(spw_web::IEffectWeb* effect) { Graphics(effect).Tick(); }

EMSCRIPTEN_KEEPALIVE int spw_editor_width(spw_web::IEffectWeb* effect) {
  const RasterBitmap* surface = Graphics(effect).Surface();
  return surface ? surface->Width() : 0;
}
EMSCRIPTEN_KEEPALIVE int spw_editor_height(spw_web::IEffectWeb* effect) {
  const RasterBitmap* surface = Graphics(effect).Surface();
  return surface ? surface->Height() : 0;
}

// The editor's picture as rows of R, G, B, A bytes, top row first; valid until the next call.
EMSCRIPTEN_KEEPALIVE const uint8_t* spw_editor_rgba(spw_web::IEffectWeb* effect) {
  const RasterBitmap* surface = Graphics(effect).Surface();
  if (!surface) return nullptr;
  const int width = surface->Width(), height = surface->Height();
  rgba.resize(size_t(width) * size_t(height) * 4);
  uint8_t* out = rgba.data();
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = surface->Row(y);
    for (int x = 0; x < width; ++x, out += 4) {
      out[0] = uint8_t(row[x] >> 16);
      out[1] = uint8_t(row[x] >> 8);
      out[2] = uint8_t(row[x]);
      out[3] = uint8_t(row[x] >> 24);
    }
  }
  return rgba.data();
}

}  // extern "C"
