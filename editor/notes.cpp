#include "notes.h"

#include <cstring>
#include <mutex>

#include "editor_images.h"
#include "graphics.h"
#include "parameter.h"
#include "scroll_track.h"
#include "stereo_pulse_weaver.h"
#include "text_styles.h"

namespace {

constexpr int kLabelAlpha[] = {150, 180, 255, 220};  // free, occupied, pressed, hovered
constexpr int kLabelSize = 14;      // pixels
// "12274.13Hz" and the other five-digit frequencies are wider than a cell at
// 14 pixels (69 of 65) and would run into their neighbours; a label that does
// not fit with kLabelMargin to spare is drawn at 12 (59 pixels).
constexpr int kCompactLabelSize = 12;
constexpr int kLabelMargin = 2;  // pixels, both sides together
constexpr int kLabelDrop = 4;       // label top below the cell top, pixels
constexpr float kHoverWeight = 0.8f;
constexpr int kCarrierWheelRows = 3;  // rows a wheel notch scrolls
constexpr int kBeatWheelRows = 2;

}  // namespace

NOTES::NOTES(CLS_STEREOPULSEWEAVER* plug, const IArea& rect)
    : IControl(plug, rect), plugin_(plug) {
  geometry_.panel = rect;
}

bool NOTES::View::operator==(const View& other) const {
  return ready == other.ready && rows == other.rows && firstRow == other.firstRow &&
         heldCell == other.heldCell && std::memcmp(occupied, other.occupied, sizeof occupied) == 0 &&
         std::memcmp(labels, other.labels, sizeof labels) == 0;
}

void NOTES::EnsureLook() {
  IGraphics* graphics = Graphics();
  if (loaded_ || !graphics) return;
  using namespace spw_editor;
  freeCell_ = graphics->LoadImageResource(kImageSlotFree, "img/but_slot.png", 1);
  occupiedCell_ = graphics->LoadImageResource(kImageSlotOccupied, "img/but_active.png", 1);
  pressedCell_ = graphics->LoadImageResource(kImageSlotPressed, "img/but_click.png", 1);
  thumb_ = graphics->LoadImageResource(kImageSlotThumb, "img/scroll2.png", 1);
  thumbAlt_ = graphics->LoadImageResource(kImageSlotThumbAlt, "img/scroll2_click.png", 1);
  geometry_.cellW = freeCell_.w;
  geometry_.cellH = freeCell_.h;
  geometry_.thumbW = thumb_.w;
  geometry_.thumbH = thumb_.h;
  for (int look = 0; look < kLooks; ++look) {
    labelStyles_[look][0] = CentredWhiteStyle(kLabelSize, kLabelAlpha[look]);
    labelStyles_[look][1] = CentredWhiteStyle(kCompactLabelSize, kLabelAlpha[look]);
  }
  loaded_ = true;
}

// ---------------------------------------------------------------- model

NOTES::View NOTES::TakeView() const {
  View view;
  std::lock_guard<std::recursive_mutex> lock(plugin_->Mutex());
  const HarmonicGrid& grid = plugin_->Grid();
  view.ready = grid.LaidOut();
  if (!view.ready) return view;
  view.rows = grid.RowCount();
  view.firstRow = geometry_.FirstVisibleRow(scrollOffset_, view.rows);
  view.heldCell = grid.HeldCell();
  for (int i = 0; i < kShownCells; ++i) {
    const int cell = view.firstRow * SlotPanelGeometry::kColumns + i;
    if (cell >= view.rows * SlotPanelGeometry::kColumns) break;
    view.occupied[i] = grid.Occupied(cell);
    grid.CellLabel(cell, view.labels[i]);
  }
  return view;
}

int NOTES::FirstVisibleRow() const {
  std::lock_guard<std::recursive_mutex> lock(plugin_->Mutex());
  return geometry_.FirstVisibleRow(scrollOffset_, plugin_->Grid().RowCount());
}

int NOTES::AbsoluteCell(int visibleCell) const {
  std::lock_guard<std::recursive_mutex> lock(plugin_->Mutex());
  const HarmonicGrid& grid = plugin_->Grid();
  const int row = geometry_.FirstVisibleRow(scrollOffset_, grid.RowCount()) +
                  visibleCell / SlotPanelGeometry::kColumns;
  // Before the grid is laid out (no rate yet) the press waits; the pass drops it if the row never comes.
  if (grid.LaidOut() && row >= grid.RowCount()) return -1;
  return row * SlotPanelGeometry::kColumns + visibleCell % SlotPanelGeometry::kColumns;
}

void NOTES::OnTimer() {
  EnsureLook();
  int move = 0;
  {
    std::lock_guard<std::recursive_mutex> lock(plugin_->Mutex());
    HarmonicGrid& grid = plugin_->Grid();
    if (grid.WorkPending()) grid.RunPass();
    move = grid.TakeRowMove();
  }
  if (move != 0) FollowRowMove(move);
  if (!(TakeView() == shown_)) MarkDirty(false);
}

// "Yes & up/down" moved every cell a row: the view follows the lowest one.
void NOTES::FollowRowMove(int move) {
  int rows = 0, lowestRow = 0;
  {
    std::lock_guard<std::recursive_mutex> lock(plugin_->Mutex());
    const HarmonicGrid& grid = plugin_->Grid();
    const int lowest = grid.LowestOccupiedCell();
    if (lowest < 0) return;
    rows = grid.RowCount();
    lowestRow = lowest / SlotPanelGeometry::kColumns;
  }
  const int hidden = rows - SlotPanelGeometry::kVisibleRows;
  if (hidden <= 0) return;
  const int first = geometry_.FirstVisibleRow(scrollOffset_, rows);
  const double pixelsPerRow = static_cast<double>(geometry_.Track()) / hidden;
  if (move > 0 && lowestRow >= first + SlotPanelGeometry::kVisibleRows) {
    ScrollBy(RoundHalfAway((lowestRow - first - (SlotPanelGeometry::kVisibleRows - 1)) * pixelsPerRow));
  } else if (move < 0 && first >= lowestRow) {
    ScrollBy(-RoundHalfAway((first - lowestRow + 1) * pixelsPerRow));
  }
}

// ---------------------------------------------------------------- mouse

void NOTES::MouseDown(int x, int y, const IMouseKeys& mod) {
  EnsureLook();
  if (geometry_.InThumbColumn(x)) {
    if (mod.right) return;
    dragging_ = true;
    if (!geometry_.OnThumb(x, y, scrollOffset_)) {
      ScrollBy(y - scrollOffset_ - geometry_.panel.top - RoundHalfAway(geometry_.thumbH * 0.5));
    }
    MarkDirty(true);
    return;
  }
  const int visible = geometry_.HitCell(x, y);
  if (visible < 0) return;
  const int cell = AbsoluteCell(visible);
  if (cell < 0) return;
  {
    std::lock_guard<std::recursive_mutex> lock(plugin_->Mutex());
    plugin_->Grid().PressCell(cell, mod.right);
  }
  pressing_ = true;
  MarkDirty(true);
}

void NOTES::MouseUp(int x, int y, const IMouseKeys& mod) {
  dragging_ = false;
  if (pressing_) {
    pressing_ = false;
    std::lock_guard<std::recursive_mutex> lock(plugin_->Mutex());
    plugin_->Grid().EndPress();
  }
  MarkDirty(true);
}

void NOTES::MouseDrag(int x, int y, int dx, int dy, const IMouseKeys& mod) {
  if (dragging_) ScrollBy(dy);
}

void NOTES::MouseWheel(int x, int y, const IMouseKeys& mod, int distance) {
  EnsureLook();
  int rows = 0, step = 0;
  {
    std::lock_guard<std::recursive_mutex> lock(plugin_->Mutex());
    rows = plugin_->Grid().RowCount();
    step = plugin_->Engine().slotsHoldBase ? kCarrierWheelRows : kBeatWheelRows;
  }
  if (rows <= SlotPanelGeometry::kVisibleRows) return;  // nothing hidden to scroll to
  // A notch away from the user shows lower rows.
  const int first = geometry_.FirstVisibleRow(scrollOffset_, rows) - step * distance;
  ScrollBy(geometry_.OffsetForFirstRow(first, rows) - scrollOffset_);
}

void NOTES::ScrollBy(int pixels) {
  scrollOffset_ = ClampToTrack(scrollOffset_ + pixels, geometry_.Track());
  MarkDirty(true);
}

void NOTES::MouseOver(int x, int y, const IMouseKeys& mod) {
  EnsureLook();
  const bool onThumb = geometry_.OnThumb(x, y, scrollOffset_);
  const int cell = geometry_.HitCell(x, y);
  if (!onThumb && cell < 0) return;  // a gap changes nothing at all
  const int hovered = onThumb ? kOverThumb : cell;
  if (hovered != hovered_) {
    hovered_ = hovered;
    MarkDirty(true);
  }
  ShowHoverStatus();
}

void NOTES::ShowHoverStatus() {
  std::lock_guard<std::recursive_mutex> lock(plugin_->Mutex());
  plugin_->ShowStatus(plugin_->Engine().slotsHoldBase ? "Set base frequencies" : "Set binaural frequencies");
}

void NOTES::MouseOut() {
  hovered_ = kNoCell;
  MarkDirty(true);
}

// ---------------------------------------------------------------- drawing

bool NOTES::Draw(IGraphics& graphics) {
  EnsureLook();
  shown_ = TakeView();
  if (!shown_.ready) return false;  // blank until the programme is laid out
  const int rowsInView = shown_.rows - shown_.firstRow;
  for (int row = 0; row < SlotPanelGeometry::kVisibleRows && row < rowsInView; ++row) {
    for (int column = 0; column < SlotPanelGeometry::kColumns; ++column) DrawCell(graphics, shown_, column, row);
  }
  const bool thumbLit = hovered_ == kOverThumb && !dragging_;
  graphics.DrawImage(thumbLit ? thumb_ : thumbAlt_, ThumbRect(), 0, 0, nullptr);
  return true;
}

void NOTES::DrawCell(IGraphics& graphics, const View& view, int column, int visibleRow) {
  const int visible = visibleRow * SlotPanelGeometry::kColumns + column;
  const int cell = (view.firstRow + visibleRow) * SlotPanelGeometry::kColumns + column;
  const IArea rect = geometry_.Cell(column, visibleRow);
  const char* label = view.labels[visible];
  if (cell == view.heldCell) {
    graphics.DrawImage(pressedCell_, rect, 0, 0, nullptr);
    DrawLabel(graphics, kPressedLook, label, rect);
    return;
  }
  const bool hovered = visible == hovered_;
  const IImageMix blend{EMixMethod::BlendNormal, hovered ? kHoverWeight : 1.0f};
  graphics.DrawImage(view.occupied[visible] ? occupiedCell_ : freeCell_, rect, 0, 0, &blend);
  DrawLabel(graphics, hovered ? kHoveredLook : view.occupied[visible] ? kOccupiedLook : kFreeLook, label, rect);
}

void NOTES::DrawLabel(IGraphics& graphics, LabelLook look, const char* label, const IArea& cell) {
  IArea rect = cell;
  rect.top += kLabelDrop;
  const bool compact = graphics.MeasureText(labelStyles_[look][0], label) > cell.W() - kLabelMargin;
  graphics.DrawText(labelStyles_[look][compact ? 1 : 0], label, rect);
}
