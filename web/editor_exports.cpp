// The editor for the page: the plug-in made with its editor drawn by the raster
// layer without a window, whose picture the page puts on a canvas. The page's
// instance shows and edits; the worklet's instance (spw_create) plays.

#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>
#include <vector>

#include "control.h"
#include "key_code.h"
#include "mouse_keys.h"
#include "platform/headless/graphics_headless.h"
#include "value_entry.h"
#include "plugin_editor.h"
#include "raster_bitmap.h"
#include "stereo_pulse_weaver.h"

namespace {

std::vector<uint8_t> rgba;  // the last picture, as a canvas's ImageData holds it
std::string text;           // the last text returned; valid until the next call that returns one

// The page's pointer buttons and modifier keys, as bits.
enum KeyBits { kLeft = 1, kRight = 2, kShift = 4, kControl = 8, kAlt = 16 };

IMouseKeys Keys(int bits) {
  IMouseKeys keys;
  keys.left = bits & kLeft;
  keys.right = bits & kRight;
  keys.shift = bits & kShift;
  keys.control = bits & kControl;
  keys.alt = bits & kAlt;
  return keys;
}

const char* Returned(std::string value) {
  text = std::move(value);
  return text.c_str();
}

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
// The page's instance plays nothing, so the status line's time runs out here, not in a block.
EMSCRIPTEN_KEEPALIVE void spw_editor_tick(spw_web::IEffectWeb* effect) {
  static_cast<CLS_STEREOPULSEWEAVER*>(effect)->ExpireStatusLine();
  Graphics(effect).Tick();
}

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

// ---- The page's scale: device pixels per editor pixel (1 to 2), as a host on a high-density screen sets it ----
EMSCRIPTEN_KEEPALIVE void spw_editor_set_scale(spw_web::IEffectWeb* effect, double scale) {
  Graphics(effect).SetHostScale(scale);
}
// The count of the editor's paints so far: the page copies the picture only after a new one.
EMSCRIPTEN_KEEPALIVE int spw_editor_paint_count(spw_web::IEffectWeb* effect) { return Graphics(effect).PaintCount(); }

// ---- The pointer and keys, in device pixels of the picture; keys: KeyBits ----
EMSCRIPTEN_KEEPALIVE void spw_editor_mouse_down(spw_web::IEffectWeb* effect, int x, int y, int keys) {
  Graphics(effect).MouseDown(x, y, Keys(keys));
}
EMSCRIPTEN_KEEPALIVE void spw_editor_mouse_up(spw_web::IEffectWeb* effect, int x, int y, int keys) {
  Graphics(effect).MouseUp(x, y, Keys(keys));
}
// A move: a drag while a button is held, else a hover.
EMSCRIPTEN_KEEPALIVE void spw_editor_mouse_move(spw_web::IEffectWeb* effect, int x, int y, int keys) {
  if (keys & (kLeft | kRight)) {
    Graphics(effect).MouseDrag(x, y, Keys(keys));
  } else {
    Graphics(effect).MouseOver(x, y, Keys(keys));
  }
}
EMSCRIPTEN_KEEPALIVE void spw_editor_mouse_double(spw_web::IEffectWeb* effect, int x, int y, int keys) {
  Graphics(effect).MouseDoubleClick(x, y, Keys(keys));
}
EMSCRIPTEN_KEEPALIVE void spw_editor_mouse_out(spw_web::IEffectWeb* effect) { Graphics(effect).MouseOut(); }
// notches: one per step of the wheel, positive away from the person.
EMSCRIPTEN_KEEPALIVE void spw_editor_wheel(spw_web::IEffectWeb* effect, int x, int y, int keys, int notches) {
  Graphics(effect).MouseWheel(x, y, Keys(keys), notches);
}
// key: an EKey code (key_code.h). 1 when the editor took it.
EMSCRIPTEN_KEEPALIVE int spw_editor_key(spw_web::IEffectWeb* effect, int x, int y, int key) {
  return Graphics(effect).KeyDown(x, y, static_cast<EKey>(key)) ? 1 : 0;
}

// ---- A value the editor asks the person to type (a right click on a knob) ----
// 0: none open; 1: a value to type; 2: a choice from a list.
EMSCRIPTEN_KEEPALIVE int spw_editor_entry_kind(spw_web::IEffectWeb* effect) {
  const IGraphicsHeadless::Entry* entry = Graphics(effect).PendingEntry();
  if (!entry) return 0;
  return entry->param && !ParamChoiceTexts(*entry->param).empty() ? 2 : 1;
}
// Where the box goes, in device pixels: side 0 left, 1 top, 2 right, 3 bottom.
EMSCRIPTEN_KEEPALIVE int spw_editor_entry_rect(spw_web::IEffectWeb* effect, int side) {
  IGraphicsHeadless& graphics = Graphics(effect);
  const IGraphicsHeadless::Entry* entry = graphics.PendingEntry();
  if (!entry) return 0;
  const IArea rect = graphics.ToDevice(entry->param ? ValueBoxRect(*entry->control, *entry->param, entry->small)
                                                    : entry->control->Rect());
  const int sides[] = {rect.left, rect.top, rect.right, rect.bottom};
  return side >= 0 && side < 4 ? sides[side] : 0;
}
// The text the box opens with: the value's display text.
EMSCRIPTEN_KEEPALIVE const char* spw_editor_entry_text(spw_web::IEffectWeb* effect) {
  const IGraphicsHeadless::Entry* entry = Graphics(effect).PendingEntry();
  return Returned(entry && entry->param ? ParamDisplayText(*entry->param) : std::string());
}
EMSCRIPTEN_KEEPALIVE int spw_editor_entry_choice_count(spw_web::IEffectWeb* effect) {
  const IGraphicsHeadless::Entry* entry = Graphics(effect).PendingEntry();
  return entry && entry->param ? static_cast<int>(ParamChoiceTexts(*entry->param).size()) : 0;
}
EMSCRIPTEN_KEEPALIVE const char* spw_editor_entry_choice(spw_web::IEffectWeb* effect, int i) {
  const IGraphicsHeadless::Entry* entry = Graphics(effect).PendingEntry();
  const std::vector<std::string> choices = entry && entry->param ? ParamChoiceTexts(*entry->param)
                                                                 : std::vector<std::string>();
  return Returned(i >= 0 && i < static_cast<int>(choices.size()) ? choices[static_cast<size_t>(i)] : std::string());
}
// The typed text, taken as the desktop's box takes it; 0 when no entry is open.
EMSCRIPTEN_KEEPALIVE int spw_editor_entry_answer(spw_web::IEffectWeb* effect, const char* typed) {
  return Graphics(effect).AnswerEntry(typed) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE void spw_editor_entry_cancel(spw_web::IEffectWeb* effect) { Graphics(effect).CancelEntry(); }

// A web address the editor asked to open (its logo), once; "" when none.
EMSCRIPTEN_KEEPALIVE const char* spw_editor_take_web_page(spw_web::IEffectWeb* effect) {
  IGraphicsHeadless& graphics = Graphics(effect);
  const std::string page = graphics.LastWebPage();
  graphics.ForgetWebPage();
  return Returned(page);
}

}  // extern "C"
