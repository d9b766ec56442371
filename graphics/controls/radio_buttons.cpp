#include "radio_buttons.h"

#include "graphics.h"
#include "parameter.h"

IRadioButtons::IRadioButtons(IEffectBase* plug, const IArea& rect, int paramIdx, const IImage& image,
                             float hoverWeight, bool vertical, const std::vector<int>& boundaries)
    : IControl(plug, rect, paramIdx),
      image_(image),
      vertical_(vertical),
      boundaries_(boundaries),
      hoverWeight_(hoverWeight) {}

void IRadioButtons::Extent(int i, int* start, int* length) const {
  const int n = Count();
  const int size = vertical_ ? image_.h : image_.w;
  if (EqualWidths()) {
    *start = i * size / n;
    *length = RoundHalfAway(static_cast<double>(size) / n);
    return;
  }
  *start = i == 0 ? 0 : boundaries_[static_cast<size_t>(i - 1)];
  const int end = i < static_cast<int>(boundaries_.size()) && i < n - 1 ? boundaries_[static_cast<size_t>(i)] : size;
  *length = end - *start;
}

int IRadioButtons::IndexAt(int x, int y) const {
  const int n = Count();
  const int pos = vertical_ ? y - Rect().top : x - Rect().left;
  const int size = vertical_ ? Rect().H() : Rect().W();
  if (EqualWidths()) {
    const int index = size > 0 ? pos * n / size : 0;
    return index < 0 ? 0 : (index > n - 1 ? n - 1 : index);
  }
  for (int i = 0; i < n - 1 && i < static_cast<int>(boundaries_.size()); ++i) {
    if (pos < boundaries_[static_cast<size_t>(i)]) return i;
  }
  return n - 1;
}

void IRadioButtons::DrawButton(IGraphics& graphics, int i, const IImageMix& blend) {
  int start = 0, length = 0;
  Extent(i, &start, &length);
  const IArea& r = Rect();
  if (vertical_) {
    graphics.DrawImage(image_, IArea(r.left, r.top + start, r.left + image_.w, r.top + start + length), 0, start,
                       &blend);
  } else {
    graphics.DrawImage(image_, IArea(r.left + start, r.top, r.left + start + length, r.top + image_.h), start, 0,
                       &blend);
  }
}

bool IRadioButtons::Draw(IGraphics& graphics) {
  if (hoverIndex_ >= 0) {
    IImageMix hover = Blend();
    hover.weight = hoverWeight_;
    DrawButton(graphics, hoverIndex_, hover);
  }
  DrawButton(graphics, RoundHalfAway((Count() - 1) * Value()), Blend());
  return true;
}

void IRadioButtons::MouseDown(int x, int y, const IMouseKeys& mod) {
  if (mod.left) {
    const int n = Count();
    SetValue(n > 1 ? static_cast<double>(IndexAt(x, y)) / (n - 1) : 0.0);
  }
  MarkDirty(true);
}

void IRadioButtons::MouseOver(int x, int y, const IMouseKeys& mod) {
  const int index = IndexAt(x, y);
  if (index == hoverIndex_) return;
  hoverIndex_ = index;
  MarkDirty(false);
}

void IRadioButtons::MouseOut() {
  hoverIndex_ = -1;
  MarkDirty(false);
}
