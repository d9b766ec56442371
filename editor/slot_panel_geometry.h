#pragma once
// Where the slot panel's cells and scroll thumb lie, which cell a point hits,
// and how the thumb's travel maps to the first visible grid row. Pure
// arithmetic in editor pixels; the panel fills in its rectangle and the sizes
// of its cell and thumb images.

#include "area.h"

struct SlotPanelGeometry {
  static constexpr int kColumns = 7;
  static constexpr int kVisibleRows = 5;
  static constexpr int kLeftMargin = 5;  // pixels from the panel's left edge to the first column
  static constexpr int kTopMargin = 2;
  static constexpr int kCellGap = 3;     // between cells, both ways
  static constexpr int kThumbInset = 4;  // thumb's distance from the panel's right edge

  IArea panel;
  int cellW = 0, cellH = 0;    // cell image, pixels
  int thumbW = 0, thumbH = 0;  // thumb image, pixels

  // Pixels the thumb travels: its greatest scroll offset.
  int Track() const { return panel.H() - thumbH - 1; }
  IArea Cell(int column, int visibleRow) const;
  IArea Thumb(int scrollOffset) const;
  // x lies in the thumb's column (edges included).
  bool InThumbColumn(int x) const;
  // (x, y) lies on the thumb at scrollOffset (edges included).
  bool OnThumb(int x, int y, int scrollOffset) const;
  // The visible-cell index (column + 7 x visible row) at (x, y), or -1: in a
  // gap, left of the first column, right of the seventh, outside the five rows.
  int HitCell(int x, int y) const;
  // The grid row shown at the top for a scroll offset, on a grid of rows.
  int FirstVisibleRow(int scrollOffset, int rows) const;
  // The scroll offset that shows row first at the top (first limited to the rows there are).
  int OffsetForFirstRow(int first, int rows) const;
};
