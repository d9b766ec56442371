#pragma once
// NOTES, the slot panel: the harmonic grid shown five rows at a time with a
// scroll thumb, each cell labelled with its frequency. A left click on a free
// cell gives it the lowest free tone slot, on an occupied one shows its
// frequency; a right click releases an occupied cell. The wheel and the thumb
// scroll the rows.
//
// The grid model lives in the engine (HarmonicGrid); the panel turns mouse
// events into presses on it and draws a copy of it. Model work and drawing
// stay apart: while a window is open the panel runs the grid's pending passes
// from its timer tick, painted or not; without one they run at once where
// they are asked for, and the panel only draws.
//
// Threads: the editor thread. Every read or write of the grid or the status
// line takes the instance lock; drawing works on a copy taken under it.

#include "caption_format.h"
#include "control.h"
#include "image.h"
#include "slot_panel_geometry.h"
#include "text_style.h"

class CLS_STEREOPULSEWEAVER;

class NOTES : public IControl {
 public:
  static constexpr int kNoCell = -2;    // hovered: the mouse is over no cell
  static constexpr int kOverThumb = -1;  // hovered: the mouse is over the thumb

  NOTES(CLS_STEREOPULSEWEAVER* plug, const IArea& rect);

  bool Draw(IGraphics& graphics) override;
  void MouseDown(int x, int y, const IMouseKeys& mod) override;
  void MouseUp(int x, int y, const IMouseKeys& mod) override;
  void MouseDrag(int x, int y, int dx, int dy, const IMouseKeys& mod) override;
  // Three rows a notch while the slots hold carriers, two while they hold beats.
  void MouseWheel(int x, int y, const IMouseKeys& mod, int distance) override;
  void MouseOver(int x, int y, const IMouseKeys& mod) override;
  void MouseOut() override;
  // Runs the grid's pending work, follows cells that moved a row, and redraws
  // when what the panel shows has changed.
  void OnTimer() override;

  // ---- What the panel is showing [editor thread] ----
  int ScrollOffset() const { return scrollOffset_; }
  int Hovered() const { return hovered_; }  // visible-cell index, kOverThumb or kNoCell
  bool Dragging() const { return dragging_; }
  IArea ThumbRect() const { return geometry_.Thumb(scrollOffset_); }
  int Track() const { return geometry_.Track(); }
  // The grid row shown at the top.
  int FirstVisibleRow() const;
  const SlotPanelGeometry& Geometry() const { return geometry_; }

 private:
  // How a cell's label is drawn: free, occupied, pressed or hovered; each
  // also in a compact size for labels too wide for a cell at the normal one.
  enum LabelLook { kFreeLook, kOccupiedLook, kPressedLook, kHoveredLook, kLooks };
  static constexpr int kShownCells = SlotPanelGeometry::kColumns * SlotPanelGeometry::kVisibleRows;

  // A copy of the grid cells in view, taken under the instance lock.
  struct View {
    bool ready = false;  // the grid is laid out
    int rows = 0;
    int firstRow = 0;
    int heldCell = -1;   // absolute
    bool occupied[kShownCells] = {};
    char labels[kShownCells][kHzCaptionSize] = {};
    bool operator==(const View& other) const;
  };

  // Images, sizes and text styles; loaded on the first need (draw or mouse).
  void EnsureLook();
  View TakeView() const;
  void DrawCell(IGraphics& graphics, const View& view, int column, int visibleRow);
  void DrawLabel(IGraphics& graphics, LabelLook look, const char* label, const IArea& cell);
  // Absolute cell under a visible-cell index, or -1 when that row is not on the grid.
  int AbsoluteCell(int visibleCell) const;
  void ScrollBy(int pixels);
  void FollowRowMove(int move);
  void ShowHoverStatus();

  CLS_STEREOPULSEWEAVER* plugin_;
  SlotPanelGeometry geometry_;
  IImage freeCell_, occupiedCell_, pressedCell_, thumb_, thumbAlt_;
  ITextStyle labelStyles_[kLooks][2];  // each look in the normal and the compact size
  View shown_;           // what the last draw showed
  int scrollOffset_ = 0;  // pixels of thumb travel
  int hovered_ = kNoCell;
  bool loaded_ = false;
  bool dragging_ = false;
  bool pressing_ = false;  // this panel holds a press on the grid
};
