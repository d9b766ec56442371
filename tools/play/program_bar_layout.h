#pragma once
// Where the programme bar's parts lie, at the editor's scale: the bar is laid out
// for the editor at 100 % (kEditorWidth pixels wide) and scaled with the editor's
// width, so it follows the desktop's scale and the person's zoom alike. The list
// of programmes covers the editor below the bar: a row per programme and a
// scroll bar at its right.
//
// Threads: any (a value).

#include "raster_bitmap.h"

namespace spwplay {

// What lies under a point of the bar or of the list.
enum class BarPart { kNone, kPrevious, kName, kNext, kRow, kScrollUp, kScrollDown };

struct BarHit {
  BarPart part = BarPart::kNone;
  int row = -1;  // kRow: the list's row from its top (not counting what is scrolled away)
};

class ProgramBarLayout {
 public:
  static constexpr int kEditorWidth = 520;  // the editor's width at 100 %, pixels
  static constexpr int kBarHeight = 28;     // the bar's height at 100 %, pixels

  ProgramBarLayout() = default;
  // For an editor of width x editorHeight pixels.
  ProgramBarLayout(int width, int editorHeight);

  double Scale() const { return scale_; }
  int BarHeight() const { return barHeight_; }
  // Pixels at the bar's scale of a length at 100 %.
  int Scaled(int length) const;

  RasterRect Previous() const { return previous_; }
  RasterRect Name() const { return name_; }
  RasterRect Next() const { return next_; }
  BarHit HitBar(int x, int y) const;

  int RowHeight() const { return rowHeight_; }
  int VisibleRows() const { return visibleRows_; }
  // Row r of the list (0: its top row), without the scroll bar.
  RasterRect Row(int r) const;
  // The scroll bar's track beside the rows.
  RasterRect Track() const { return track_; }
  // thumbTop: the first row shown, of count rows.
  RasterRect Thumb(int thumbTop, int count) const;
  // thumbTop and count as for Thumb: above the thumb scrolls up, below it down.
  BarHit HitList(int x, int y, int thumbTop, int count) const;

 private:
  double scale_ = 1.0;
  int barHeight_ = kBarHeight;
  RasterRect previous_, name_, next_;
  int rowHeight_ = 1;
  int visibleRows_ = 1;
  RasterRect track_;
};

}  // namespace spwplay
