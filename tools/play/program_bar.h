#pragma once
// The player's programme bar above the editor, as a DAW shows a plug-in's
// programmes: the programme playing (with the session's current event when a
// session plays), previous and next, and the plug-in's whole programme list to
// choose from, drawn over the editor while open and scrolled by the wheel or its
// scroll bar. The arrow keys step through the programmes. Empty slots are listed
// as "(empty slot)" and skipped: choosing one would change nothing.
//
// Platform-neutral: it draws into pictures and hit-tests them; the host window
// copies them to the screen and passes input on (window_strip.h).
//
// Threads: the UI thread.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "program_bar_layout.h"
#include "raster_font.h"
#include "window_strip.h"

namespace spwplay {

class ProgramBar : public spwwin::WindowStrip {
 public:
  // names: the plug-in's programme list as its controller gives it. choose: called
  // with the programme the person picks.
  ProgramBar(const std::vector<std::string>& names, std::function<void(int programme)> choose);

  // What plays: programme, and the session's current event ("" when none). True
  // when that is news to the bar (it must be drawn again).
  bool Show(int programme, const std::string& event);
  int Programme() const { return current_; }
  int FirstRow() const { return top_; }
  const ProgramBarLayout& Geometry() const { return layout_; }

  int Layout(int width, int editorHeight) override;
  bool PanelOpen() const override { return open_; }
  void DrawStrip(RasterBitmap& picture) override;
  void DrawPanel(RasterBitmap& picture) override;
  void PressStrip(int x, int y) override;
  void PressPanel(int x, int y) override;
  void WheelPanel(int notches) override;
  void Key(spwwin::StripKey key) override;

 private:
  int Count() const { return int(names_.size()); }
  void Choose(int programme);
  // To the nearest programme in direction (-1, +1) that is not an empty slot.
  void Step(int direction);
  void ScrollTo(int top);
  void ScrollToCurrent();
  // The numbers' column: room for three digits and a gap, pixels.
  int NumberColumn() const;
  // "number  name" in r: the number right-aligned in its column, the name shortened to fit.
  void DrawProgramme(RasterBitmap& picture, int programme, const RasterRect& r, uint32_t colour);

  std::vector<std::string> names_;  // as listed: "(empty slot)" for an empty one
  std::vector<bool> empty_;
  std::function<void(int)> choose_;
  int current_ = 0;
  std::string event_;
  bool open_ = false;
  int top_ = 0;  // the list's first row shown
  ProgramBarLayout layout_;
  std::unique_ptr<RasterFont> font_;
};

}  // namespace spwplay
