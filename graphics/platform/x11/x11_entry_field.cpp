#include "x11_entry_field.h"

#include "raster_draw.h"
#include "x11_keys.h"

namespace {

using namespace x11;

constexpr uint32_t kPaper = 0xFFFFFFFFu;
constexpr uint32_t kInk = 0xFF000000u;
constexpr uint32_t kFrame = 0xFF808080u;
constexpr uint32_t kSelection = 0xFF3070C0u;


// The character a key symbol types, 0 for none (keypad digits type digits).
char Character(uint32_t symbol) {
  if (symbol >= kFirstPrintable && symbol <= kLastPrintable) return static_cast<char>(symbol);
  if (symbol >= kKeypadZero && symbol <= kKeypadNine) return static_cast<char>('0' + (symbol - kKeypadZero));
  if (symbol == kKeypadDecimal) return '.';
  if (symbol == kKeypadSubtract) return '-';
  return 0;
}

constexpr RasterBlend kPlain{};  // opaque colours: a plain copy

}  // namespace

std::unique_ptr<X11EntryField> X11EntryField::Create(const X11Connection& conn, xcb_window_t parent,
                                                     const IArea& rect, const std::string& text,
                                                     const Look& look, ValueEntry& entry) {
  if (rect.W() <= 0 || rect.H() <= 0) return nullptr;
  xcb_connection_t* c = conn.Get();
  const xcb_window_t window = xcb_generate_id(c);
  const uint32_t events = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_BUTTON_PRESS |
                          XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  const uint32_t values[] = {0, events, conn.Screen().default_colormap};
  xcb_void_cookie_t made = xcb_create_window_checked(
      c, XCB_COPY_FROM_PARENT, window, parent, static_cast<int16_t>(rect.left), static_cast<int16_t>(rect.top),
      static_cast<uint16_t>(rect.W()), static_cast<uint16_t>(rect.H()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
      conn.Screen().root_visual, XCB_CW_BORDER_PIXEL | XCB_CW_EVENT_MASK | XCB_CW_COLORMAP, values);
  if (xcb_generic_error_t* error = xcb_request_check(c, made)) {
    free(error);
    return nullptr;
  }
  std::unique_ptr<X11EntryField> field(new X11EntryField(conn, window, rect.W(), rect.H(), text, look, entry));
  xcb_map_window(c, window);
  xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
  xcb_flush(c);
  return field;
}

X11EntryField::X11EntryField(const X11Connection& conn, xcb_window_t window, int width, int height,
                             const std::string& text, const Look& look, ValueEntry& entry)
    : conn_(conn), window_(window), gc_(xcb_generate_id(conn.Get())), image_(width, height), text_(text),
      look_(look), entry_(entry) {
  const uint32_t noExposures = 0;
  xcb_create_gc(conn.Get(), gc_, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
  RasterFontSpec spec;
  spec.height = look.fontHeight;
  font_ = RasterCachedFont::Create(spec);
}

X11EntryField::~X11EntryField() {
  xcb_connection_t* c = conn_.Get();
  xcb_free_gc(c, gc_);
  // A window that died with its parent is gone already; destroying it again would
  // only bring back an error event.
  if (window_) xcb_destroy_window(c, window_);
  xcb_flush(c);
}

bool X11EntryField::HandleEvent(const xcb_generic_event_t& event) {
  switch (event.response_type & ~0x80) {
    case XCB_EXPOSE: {
      const auto& e = reinterpret_cast<const xcb_expose_event_t&>(event);
      if (e.window != window_) return false;
      if (e.count == 0) Redraw();
      return true;
    }
    case XCB_KEY_PRESS: {
      const auto& e = reinterpret_cast<const xcb_key_press_event_t&>(event);
      if (e.event != window_) return false;
      Type(conn_.KeySymbol(e.detail, (e.state & XCB_MOD_MASK_SHIFT) != 0));
      return true;
    }
    case XCB_BUTTON_PRESS: {
      const auto& e = reinterpret_cast<const xcb_button_press_event_t&>(event);
      if (e.event != window_) return false;
      // A click in the field takes the keys back, as in any text field.
      xcb_set_input_focus(conn_.Get(), XCB_INPUT_FOCUS_PARENT, window_, XCB_CURRENT_TIME);
      return true;
    }
    case XCB_DESTROY_NOTIFY: {
      const auto& e = reinterpret_cast<const xcb_destroy_notify_event_t&>(event);
      if (e.window != window_) return false;
      window_ = 0;
      return true;
    }
    default:
      return false;
  }
}

void X11EntryField::Type(uint32_t symbol) {
  if (symbol == kReturn || symbol == kKeypadEnter) {
    selected_ = false;
    entry_.Commit();
  } else if (look_.readOnly) {
    return;
  } else if (symbol == kBackSpace) {
    if (selected_) text_.clear();
    // The last UTF-8 character: its continuation bytes, then its first byte.
    while (!text_.empty() && (static_cast<unsigned char>(text_.back()) & 0xC0) == 0x80) text_.pop_back();
    if (!text_.empty()) text_.pop_back();
    selected_ = false;
    entry_.Typing();
  } else if (const char ch = Character(symbol)) {
    if (selected_) text_.clear();
    text_.push_back(ch);
    selected_ = false;
    entry_.Typing();
  } else {
    return;
  }
  Redraw();
}

void X11EntryField::Redraw() {
  if (!window_) return;
  const int w = image_.Width();
  const int h = image_.Height();
  RasterFillRect(image_, 0, 0, w, h, kFrame, kPlain);
  RasterFillRect(image_, 1, 1, w - 2, h - 2, kPaper, kPlain);
  const std::string shown = look_.password ? std::string(text_.size(), '*') : text_;
  if (font_) {
    const int textWidth = font_->TextWidth(shown.c_str());
    const int left = look_.centred ? (w - textWidth) / 2 : look_.margin + 1;
    const int top = (h - font_->LineHeight()) / 2;
    if (selected_ && !shown.empty()) {
      RasterFillRect(image_, left, top, textWidth, font_->LineHeight(), kSelection, kPlain);
    }
    font_->SetColour(selected_ ? kPaper : kInk);
    font_->DrawText(image_, shown.c_str(), RasterRect{left, top, w - left, h - top}, 0);
    // The caret after the text.
    if (!selected_) RasterFillRect(image_, left + textWidth, top, 1, font_->LineHeight(), kInk, kPlain);
  }
  conn_.PutImage(window_, gc_, image_, IArea(0, 0, w, h));
  xcb_flush(conn_.Get());
}
