#include "program_bar_layout.h"

#include <algorithm>
#include <cmath>

namespace spwplay {
namespace {

// Lengths at 100 %, pixels.
constexpr int kMargin = 3;        // around the buttons and the name
constexpr int kButtonWidth = 30;  // previous and next
constexpr int kRowHeight = 20;    // a programme of the list
constexpr int kTrackWidth = 14;   // the list's scroll bar
constexpr int kShortestThumb = 16;

bool Inside(const RasterRect& r, int x, int y) { return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h; }

}  // namespace

ProgramBarLayout::ProgramBarLayout(int width, int editorHeight)
    : scale_(width > 0 ? double(width) / kEditorWidth : 1.0), barHeight_(Scaled(kBarHeight)) {
  const int margin = Scaled(kMargin), button = Scaled(kButtonWidth), inner = barHeight_ - 2 * margin;
  previous_ = {margin, margin, button, inner};
  next_ = {width - margin - button, margin, button, inner};
  const int nameLeft = previous_.x + button + margin;
  name_ = {nameLeft, margin, next_.x - margin - nameLeft, inner};
  rowHeight_ = std::max(1, Scaled(kRowHeight));
  visibleRows_ = std::max(1, editorHeight / rowHeight_);
  const int track = Scaled(kTrackWidth);
  track_ = {width - track, 0, track, editorHeight};
}

int ProgramBarLayout::Scaled(int length) const { return int(std::lround(length * scale_)); }

BarHit ProgramBarLayout::HitBar(int x, int y) const {
  if (Inside(previous_, x, y)) return {BarPart::kPrevious};
  if (Inside(next_, x, y)) return {BarPart::kNext};
  if (Inside(name_, x, y)) return {BarPart::kName};
  return {};
}

RasterRect ProgramBarLayout::Row(int r) const { return {0, r * rowHeight_, track_.x, rowHeight_}; }

RasterRect ProgramBarLayout::Thumb(int thumbTop, int count) const {
  if (count <= visibleRows_) return track_;
  const int length = std::max(Scaled(kShortestThumb), track_.h * visibleRows_ / count);
  const int travel = track_.h - length, last = count - visibleRows_;
  return {track_.x, track_.y + travel * std::clamp(thumbTop, 0, last) / last, track_.w, length};
}

BarHit ProgramBarLayout::HitList(int x, int y, int thumbTop, int count) const {
  if (Inside(track_, x, y)) {
    const RasterRect thumb = Thumb(thumbTop, count);
    if (y < thumb.y) return {BarPart::kScrollUp};
    if (y >= thumb.y + thumb.h) return {BarPart::kScrollDown};
    return {};
  }
  if (x < 0 || y < 0 || x >= track_.x || y >= visibleRows_ * rowHeight_) return {};
  return {BarPart::kRow, y / rowHeight_};
}

}  // namespace spwplay
