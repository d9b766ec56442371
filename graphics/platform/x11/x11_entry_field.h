#pragma once
// The typed-value field of the X11 editor: a child window over the control,
// drawn with the raster layer's text, taking printable characters, Backspace
// and Return. The initial text is selected, so the first character typed
// replaces it. Keys reach it because it takes the input focus while open.
//
// Threads: the host's UI thread.

#include <memory>
#include <string>

#include "raster_bitmap.h"
#include "raster_font.h"
#include "value_entry.h"
#include "x11_connection.h"

class X11EntryField : public ValueEntry::Box {
 public:
  struct Look {
    bool centred = false;
    bool password = false;  // shown as stars
    bool readOnly = false;
    int fontHeight = 14;  // pixels at 100 %; the editor scales them with itself
    int margin = 2;       // pixels between frame and text, likewise
  };

  // Null when the window cannot be made.
  static std::unique_ptr<X11EntryField> Create(const X11Connection& conn, xcb_window_t parent, const IArea& rect,
                                               const std::string& text, const Look& look, ValueEntry& entry);
  ~X11EntryField() override;
  X11EntryField(const X11EntryField&) = delete;
  X11EntryField& operator=(const X11EntryField&) = delete;

  std::string Text() const override { return text_; }
  xcb_window_t Window() const { return window_; }
  // Takes the events of its own window; false for any other.
  bool HandleEvent(const xcb_generic_event_t& event);

 private:
  X11EntryField(const X11Connection& conn, xcb_window_t window, int width, int height, const std::string& text,
                const Look& look, ValueEntry& entry);
  void Type(uint32_t symbol);
  void Redraw();

  const X11Connection& conn_;
  xcb_window_t window_;
  xcb_gcontext_t gc_;
  RasterMemBitmap image_;
  std::unique_ptr<RasterCachedFont> font_;
  std::string text_;
  Look look_;
  bool selected_ = true;
  ValueEntry& entry_;
};
