#include "prompt_popup.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "effect_base.h"
#include "graphics.h"
#include "parameter.h"
#include "scroll_track.h"

namespace {

constexpr int kMenuWidth = 70;       // pixels, before the entries widen it
constexpr int kStartHeight = 30;     // pixels, before entries are added
constexpr int kMinWidth = 10;
constexpr int kRowPadding = 6;       // row height = text size + this
constexpr int kSelectedLift = 55;    // alpha the selected entry's text gains
constexpr int kEntryRadius = 4;      // rounded corners, pixels
constexpr int kThumbRadius = 3;
constexpr int kTrackDim = 20;        // alpha the track loses and a hovered thumb gains
constexpr double kColumnLineAlpha = 0.6;
constexpr int kGrowEvery = 10;       // one more visible row at the 10th, 20th, 30th and 40th entry
constexpr int kGrowUntil = 40;
constexpr int kWheelPixels = 3;      // thumb pixels per wheel notch
constexpr int kCharWidthLoss = 8;    // estimated character width = text size - this, at least 5
constexpr int kMinCharWidth = 5;
constexpr int kWidthSlack = 20;

int FloorDiv(int a, int b) { return static_cast<int>(std::floor(static_cast<double>(a) / b)); }

IRgba WithAlpha(IRgba colour, int alpha) {
  colour.A = std::clamp(alpha, 0, 255);
  return colour;
}

}  // namespace

PromptPopup::PromptPopup(IEffectBase* plug, int x, int y, int width, int columns, const ITextStyle& style,
                         const IRgba& background, const IRgba& highlight)
    : IControl(plug, IArea(x, y, std::max(x + kMinWidth, x + width), y + kStartHeight)),
      columnWidth_(width),
      columns_(std::max(1, columns)),
      rowHeight_(style.size + kRowPadding),
      entryStyle_(style),
      selectedStyle_(style),
      background_(background),
      highlight_(highlight) {
  selectedStyle_.colour.A = std::min(255, style.colour.A + kSelectedLift);
}

// ---------------------------------------------------------------- building

void PromptPopup::AddEntry(const char* text) {
  std::array<char, kEntrySize> entry{};
  std::strncpy(entry.data(), text ? text : "", kEntrySize - 1);
  entries_.push_back(entry);
  const int charWidth = std::max(kMinCharWidth, entryStyle_.size - kCharWidthLoss);
  const int length = static_cast<int>(std::strlen(entry.data()));
  columnWidth_ = std::max(columnWidth_, length * charWidth + 2 * margin_ + kWidthSlack);
  const int count = EntryCount();
  if (count % kGrowEvery == 0 && count <= kGrowUntil) ++visibleRows_;
  Layout();
}

void PromptPopup::AddSeparator() {
  if (!entries_.empty()) separators_.push_back(EntryCount() - 1);
}

void PromptPopup::Layout() {
  const int count = EntryCount();
  const int rows = visibleRows_;
  int height = RowsNeeded() * rowHeight_;
  int scrollbar = 0;
  thumbLength_ = 0;
  if (Capacity() < count) {
    // The thumb shrinks with more hidden entries, down to one and a half rows.
    const double shortest = 1.5 * rowHeight_;
    const double full = static_cast<double>(rows) * rowHeight_;
    thumbLength_ = count > 4 * rows ? static_cast<int>(shortest)
                                    : static_cast<int>((shortest - full) * (count - rows) / (3.0 * rows) + full);
    height = rows * rowHeight_;
    scrollbar = scrollbarWidth_ + 2;
  }
  const IArea& r = Rect();
  SetRect(IArea(r.left, r.top, r.left + columnWidth_ * columns_ + margin_ + scrollbar, r.top + height));
}

void PromptPopup::MoveTo(int left, int top) {
  const IArea& r = Rect();
  SetRect(IArea(left, top, left + r.W(), top + r.H()));
}

void PromptPopup::CentreOn(const IArea& rect, int width, int height) {
  const IArea& r = Rect();
  int left = rect.left + static_cast<int>((rect.W() - r.W()) * 0.5);
  int top = rect.top + static_cast<int>((rect.H() - r.H()) * 0.5);
  left = std::max(kEdgeMargin, std::min(left, width - kEdgeMargin - r.W()));
  top = std::max(kEdgeMargin, std::min(top, height - kEdgeMargin - r.H()));
  MoveTo(left, top);
}

void PromptPopup::SelectFromParameter(int paramIdx, IControl* opener) {
  const IParameter* param = Plug() ? Plug()->ParamAt(paramIdx) : nullptr;
  SelectEntry(param ? RoundHalfAway(param->Value() - param->Minimum()) : selected_, opener);
}

void PromptPopup::SelectEntry(int entry, IControl* opener) {
  selected_ = entry;
  ScrollToSelected();
  SetOwner(opener);
  Hide(false);
}

void PromptPopup::ScrollToSelected() {
  const int hiddenRows = RowsNeeded() - visibleRows_;
  if (!HasScrollbar() || hiddenRows <= 0 || selected_ < 0 || Track() <= 0) return;
  // The selected row as near the middle as the ends allow.
  scrollOffset_ = OffsetOfFirstRow(selected_ / columns_ + 1 - (visibleRows_ + 1) / 2, hiddenRows, Track());
}

// ---------------------------------------------------------------- geometry

int PromptPopup::FirstVisible() const {
  if (!HasScrollbar()) return 0;
  return columns_ * FirstRowAtOffset(scrollOffset_, RowsNeeded() - visibleRows_, Track());
}

IArea PromptPopup::EntryRect(int visible) const {
  const IArea& r = Rect();
  const int row = visible / columns_, column = visible % columns_;
  return IArea(r.left + columnWidth_ * column + margin_, r.top + row * rowHeight_ + 1,
               r.left + columnWidth_ * (column + 1), r.top + rowHeight_ * (row + 1) - 1);
}

IArea PromptPopup::ThumbRect() const {
  const IArea& r = Rect();
  const int top = r.top + scrollOffset_ + 1;
  return IArea(r.right - scrollbarWidth_ - 2, top, r.right - 1, top + thumbLength_);
}

bool PromptPopup::InScrollbar(int x, int y) const {
  return HasScrollbar() && x >= ThumbRect().left && y >= Rect().top && y <= Rect().bottom;
}

int PromptPopup::EntryAt(int x, int y) const {
  const IArea& r = Rect();
  const int row = FloorDiv(y - r.top, rowHeight_);
  // The bottom edge and beyond is no row: only the rows drawn can be chosen.
  if (row < 0 || row >= r.H() / rowHeight_) return kNoEntry;
  int column = 0;
  if (columns_ >= 2) {
    const int halfMargin = RoundHalfAway(margin_ * 0.5);
    column = std::clamp(FloorDiv(x - r.left - halfMargin, columnWidth_), 0, columns_ - 1);
  }
  const int visible = row * columns_ + column;
  return FirstVisible() + visible < EntryCount() ? visible : kNoEntry;
}

// ---------------------------------------------------------------- mouse

void PromptPopup::MouseOver(int x, int y, const IMouseKeys& mod) {
  const int hovered = InScrollbar(x, y) ? kOverScrollbar : EntryAt(x, y);
  if (hovered == hovered_) return;
  hovered_ = hovered;
  MarkDirty(true);
}

void PromptPopup::MouseOut() {
  hovered_ = kNoEntry;
  MarkDirty(true);
}

void PromptPopup::MouseDown(int x, int y, const IMouseKeys& mod) {
  if (InScrollbar(x, y)) {
    if (!mod.left) return;
    dragging_ = true;
    const IArea thumb = ThumbRect();
    if (y < thumb.top || y > thumb.bottom) {
      ScrollBy(y - scrollOffset_ - Rect().top - RoundHalfAway(thumbLength_ * 0.5));
    }
    MarkDirty(true);
    return;
  }
  // Where the press lands decides, also when no mouse-over came before it.
  hovered_ = EntryAt(x, y);
  if (mod.left && hovered_ >= 0) Choose(FirstVisible() + hovered_);
}

void PromptPopup::Choose(int entry) {
  selected_ = entry;
  const char* text = entries_[static_cast<size_t>(entry)].data();
  IControl* target = Owner();
  IEffectBase* plug = Plug();
  IParameter* param = target && plug ? plug->ParamAt(target->ParamIdx()) : nullptr;
  if (param) {
    const int paramIdx = target->ParamIdx();
    plug->BeginHostEdit(paramIdx);
    target->ReceiveUserValue(param->PlainToNormalized(param->Minimum() + entry));
    plug->EndHostEdit(paramIdx);
  }
  if (target) target->SetTextFromMenu(text, entry);
  IGraphics* graphics = Graphics();
  if (!graphics) return;
  // The press that chose ends here; the menu goes after this event.
  graphics->EndMouseCapture();
  graphics->ForgetMouseOver();
  graphics->ClosePopup(true);
}

void PromptPopup::MouseUp(int x, int y, const IMouseKeys& mod) {
  if (!HasScrollbar()) return;
  dragging_ = false;
  MarkDirty(true);
}

void PromptPopup::MouseDrag(int x, int y, int dx, int dy, const IMouseKeys& mod) {
  if (dragging_) ScrollBy(dy);
}

void PromptPopup::MouseWheel(int x, int y, const IMouseKeys& mod, int distance) {
  if (HasScrollbar()) ScrollBy(-kWheelPixels * distance);
}

void PromptPopup::ScrollBy(int pixels) {
  scrollOffset_ = ClampToTrack(scrollOffset_ + pixels, Track());
  MarkDirty(true);
}

// ---------------------------------------------------------------- drawing

bool PromptPopup::Draw(IGraphics& graphics) {
  const IArea& r = Rect();
  graphics.FillRoundedBox(background_, r, kEntryRadius, 4, nullptr, true);
  const IRgba columnLine = WithAlpha(highlight_, static_cast<int>(highlight_.A * kColumnLineAlpha));
  for (int i = 1; i < columns_; ++i) {
    const float x = r.left + i * columnWidth_ + margin_ * 0.5f - 0.5f;
    graphics.DrawLine(columnLine, x, static_cast<float>(r.top + margin_), x, static_cast<float>(r.bottom - margin_),
                      nullptr, true);
  }
  const int first = FirstVisible();
  const int shown = std::min(Capacity(), EntryCount() - first);
  for (int entry : separators_) {
    const int visible = entry - first;
    if (visible < 0 || visible >= shown) continue;
    const IArea cell = EntryRect(visible);
    const float y = r.top + rowHeight_ * (visible / columns_ + 1) - 0.5f;
    graphics.DrawLine(highlight_, static_cast<float>(cell.left), y, static_cast<float>(cell.right), y, nullptr, true);
  }
  const int selected = selected_ - first;
  if (selected >= 0 && selected < shown) {
    graphics.DrawRoundedBox(highlight_, EntryRect(selected), kEntryRadius, nullptr, true);
    graphics.FillRoundedBox(highlight_, EntryRect(selected), kEntryRadius, 4, nullptr, true);
  }
  if (hovered_ >= 0 && hovered_ < shown && hovered_ != selected) {
    graphics.FillRoundedBox(highlight_, EntryRect(hovered_), kEntryRadius, 4, nullptr, true);
  }
  bool drawn = true;
  const int textDrop = RoundHalfAway(margin_ * 0.75);
  for (int visible = 0; visible < shown; ++visible) {
    const IArea cell = EntryRect(visible);
    const IArea text(cell.left + margin_, r.top + (visible / columns_) * rowHeight_ + textDrop,
                     cell.right, r.top + (visible / columns_ + 1) * rowHeight_);
    ITextStyle& style = visible == selected ? selectedStyle_ : entryStyle_;
    drawn = graphics.DrawText(style, entries_[static_cast<size_t>(first + visible)].data(), text) && drawn;
  }
  if (HasScrollbar()) {
    const IArea thumb = ThumbRect();
    const IArea track(thumb.left - 1, r.top, thumb.right + 1, r.bottom);
    graphics.DrawRoundedBox(WithAlpha(highlight_, highlight_.A - kTrackDim), track, kEntryRadius, nullptr, true);
    const bool lit = hovered_ == kOverScrollbar && !dragging_;
    graphics.FillRoundedBox(WithAlpha(highlight_, highlight_.A + (lit ? kTrackDim : 0)), thumb, kThumbRadius, 4,
                            nullptr, true);
  }
  return drawn;
}

// ---------------------------------------------------------------- opening

void OpenPromptPopup(IGraphics& graphics, IControl& opener) {
  IEffectBase* plug = opener.Plug();
  const IParameter* param = plug ? plug->ParamAt(opener.ParamIdx()) : nullptr;
  if (!param) return;
  const IArea& at = opener.Rect();
  auto* popup = new PromptPopup(plug, at.left, at.top, kMenuWidth, 1, graphics.PopupStyle(),
                                graphics.PopupBackground(), graphics.PopupHighlight());
  popup->Hide(true);
  graphics.AddControl(popup);
  graphics.SetOpenPopup(popup);
  const int first = static_cast<int>(param->Minimum());
  for (int i = 0; i < param->ValueTextCount(); ++i) popup->AddEntry(param->ValueTextFor(first + i));
  popup->CentreOn(at, graphics.Width(), graphics.Height());
  popup->SelectFromParameter(opener.ParamIdx(), &opener);
}
