#include "slot_panel_geometry.h"

#include <cmath>

#include "scroll_track.h"

namespace {
// floor(a / b) for b > 0, also for negative a.
int FloorDiv(int a, int b) { return static_cast<int>(std::floor(static_cast<double>(a) / b)); }
}  // namespace

IArea SlotPanelGeometry::Cell(int column, int visibleRow) const {
  const int left = panel.left + kLeftMargin + column * (cellW + kCellGap);
  const int top = panel.top + kTopMargin + visibleRow * (cellH + kCellGap);
  return IArea(left, top, left + cellW, top + cellH);
}

IArea SlotPanelGeometry::Thumb(int scrollOffset) const {
  const int top = panel.top + 1 + scrollOffset;
  return IArea(panel.right - thumbW - kThumbInset, top, panel.right - kThumbInset, top + thumbH);
}

bool SlotPanelGeometry::InThumbColumn(int x) const {
  const IArea thumb = Thumb(0);
  return x >= thumb.left && x <= thumb.right;
}

bool SlotPanelGeometry::OnThumb(int x, int y, int scrollOffset) const {
  const IArea thumb = Thumb(scrollOffset);
  return x >= thumb.left && x <= thumb.right && y >= thumb.top && y <= thumb.bottom;
}

int SlotPanelGeometry::HitCell(int x, int y) const {
  const int pitchX = cellW + kCellGap, pitchY = cellH + kCellGap;
  if (pitchX <= kCellGap || pitchY <= kCellGap) return -1;  // no cell image
  const int dx = x - panel.left - kLeftMargin, dy = y - panel.top - kTopMargin;
  const int column = FloorDiv(dx, pitchX), row = FloorDiv(dy, pitchY);
  // Only the 7 x 5 cells: a point beside them must not reach a neighbouring row.
  if (column < 0 || column >= kColumns || row < 0 || row >= kVisibleRows) return -1;
  if (dx - column * pitchX >= cellW || dy - row * pitchY >= cellH) return -1;  // in a gap
  return column + kColumns * row;
}

int SlotPanelGeometry::FirstVisibleRow(int scrollOffset, int rows) const {
  return FirstRowAtOffset(scrollOffset, rows - kVisibleRows, Track());
}

int SlotPanelGeometry::OffsetForFirstRow(int first, int rows) const {
  return OffsetOfFirstRow(first, rows - kVisibleRows, Track());
}
