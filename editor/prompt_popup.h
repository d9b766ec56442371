#pragma once
// PromptPopup, the editor's own popup menu, drawn inside the editor: the
// display texts of an enumerated or boolean parameter in one or more columns,
// with a scrollbar when there are more entries than visible places and lines
// under chosen entries. A left click on an entry sets the parameter of the
// control that opened it and closes the menu.
//
// Threads: the editor thread.

#include <array>
#include <vector>

#include "control.h"
#include "rgba.h"
#include "text_style.h"

class IGraphics;

class PromptPopup : public IControl {
 public:
  static constexpr int kEntrySize = 32;  // bytes per entry text, terminator included
  static constexpr int kNoEntry = -2;    // hovered: no entry
  static constexpr int kOverScrollbar = -1;

  // A menu at (x, y), width pixels wide at least, in columns; the selected
  // entry's text is brighter than style. Created hidden is up to the opener.
  PromptPopup(IEffectBase* plug, int x, int y, int width, int columns, const ITextStyle& style,
              const IRgba& background, const IRgba& highlight);

  // Appends an entry (cut to 31 characters); the menu grows to fit it.
  void AddEntry(const char* text);
  // A line under the last entry added.
  void AddSeparator();
  // Moves the menu so that it is centred on rect, kept inside a width x height
  // editor by kEdgeMargin pixels.
  void CentreOn(const IArea& rect, int width, int height);
  // Selects the entry of the parameter's current value, scrolls it into view,
  // remembers opener as the one to tell, and shows the menu.
  void SelectFromParameter(int paramIdx, IControl* opener);
  // For a menu of other choices than a parameter's: selects entry (-1: none), remembers
  // opener (told of the choice through SetTextFromMenu) and shows the menu.
  void SelectEntry(int entry, IControl* opener);

  bool Draw(IGraphics& graphics) override;
  void MouseDown(int x, int y, const IMouseKeys& mod) override;
  void MouseUp(int x, int y, const IMouseKeys& mod) override;
  void MouseDrag(int x, int y, int dx, int dy, const IMouseKeys& mod) override;
  void MouseWheel(int x, int y, const IMouseKeys& mod, int distance) override;
  void MouseOver(int x, int y, const IMouseKeys& mod) override;
  void MouseOut() override;

  // ---- Layout, for the editor and its tests ----
  static constexpr int kEdgeMargin = 6;
  int EntryCount() const { return static_cast<int>(entries_.size()); }
  int VisibleRows() const { return visibleRows_; }
  int RowHeight() const { return rowHeight_; }
  int ThumbLength() const { return thumbLength_; }  // 0: no scrollbar
  int Track() const { return Rect().H() - thumbLength_ - 2; }
  int ScrollOffset() const { return scrollOffset_; }
  int FirstVisible() const;  // entry shown first
  int Selected() const { return selected_; }
  int Hovered() const { return hovered_; }  // visible index, kOverScrollbar or kNoEntry
  IArea ThumbRect() const;
  // The rectangle of a visible place (0-based, row by row).
  IArea EntryRect(int visible) const;

 private:
  bool HasScrollbar() const { return thumbLength_ > 0; }
  int RowsNeeded() const { return (EntryCount() + columns_ - 1) / columns_; }
  int Capacity() const { return columns_ * visibleRows_; }
  // The scrollbar column: thumb and track.
  bool InScrollbar(int x, int y) const;
  // The visible index of the entry at (x, y), or kNoEntry.
  int EntryAt(int x, int y) const;
  void Layout();
  void ScrollToSelected();
  void ScrollBy(int pixels);
  void Choose(int entry);
  void MoveTo(int left, int top);

  int columnWidth_;
  int margin_ = 4;
  int columns_;
  int visibleRows_ = 5;
  int rowHeight_;
  int scrollbarWidth_ = 9;
  int thumbLength_ = 0;
  int scrollOffset_ = 0;  // pixels of thumb travel
  int hovered_ = kNoEntry;
  int selected_ = -1;
  bool dragging_ = false;
  std::vector<std::array<char, kEntrySize>> entries_;
  std::vector<int> separators_;  // entries a line is drawn under
  ITextStyle entryStyle_;
  ITextStyle selectedStyle_;
  IRgba background_;
  IRgba highlight_;
};

// Opens a menu of the opener's parameter display texts, centred on it; the
// editor registers it with IGraphics::SetParameterPopupFactory. [editor thread]
void OpenPromptPopup(IGraphics& graphics, IControl& opener);
