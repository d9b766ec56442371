#include "slider_img.h"

#include "effect_base.h"
#include "graphics.h"
#include "parameter.h"

namespace {

IArea TrackOf(const IArea& rect, const IImage& handle, int travel, bool vertical) {
  const int cx = (rect.left + rect.right) / 2;
  if (vertical) return IArea(cx - handle.w / 2, rect.top, cx - handle.w / 2 + handle.w, rect.top + travel);
  return IArea(cx - travel / 2, rect.top, cx - travel / 2 + travel, rect.top + handle.h);
}
}  // namespace

ISliderImg::ISliderImg(IEffectBase* plug, int paramIdx, const IArea& rect, const IImage& handle,
                       const ITextStyle& label, int travel, bool horizontal, float hoverWeight)
    : HoverTracking(plug, rect, paramIdx),
      label_(label),
      track_(TrackOf(rect, handle, travel, !horizontal)),
      handle_(handle),
      freeTravel_(travel - (horizontal ? handle.w : handle.h)),
      vertical_(!horizontal),
      hoverWeight_(hoverWeight) {}

void ISliderImg::ValueFromPosition(int x, int y) {
  if (freeTravel_ <= 0) return;
  if (vertical_) {
    SetValue(1.0 - (y - track_.top - handle_.h * 0.5) / freeTravel_);
  } else {
    SetValue((x - track_.left - handle_.w * 0.5) / freeTravel_);
  }
  MarkDirty(true);
}

IArea ISliderImg::HandleRect(double v) const {
  if (vertical_) {
    const int top = RoundHalfAway(freeTravel_ * (1.0 - v) + track_.top);
    return IArea(track_.left, top, track_.left + handle_.w, top + handle_.h);
  }
  const int left = RoundHalfAway(freeTravel_ * v + track_.left);
  return IArea(left, Rect().bottom - handle_.h, left + handle_.w, Rect().bottom);
}

bool ISliderImg::Draw(IGraphics& graphics) {
  DrawParamLabel(graphics, label_, IArea(Rect().left, Rect().bottom - label_.size, Rect().right, Rect().bottom),
                 true);
  const IParameter* param = Plug() ? Plug()->ParamAt(ParamIdx()) : nullptr;
  const double v = param ? param->NormalizedValue() : Value();
  IImageMix blend = Blend();
  // Dimmed while the mouse is elsewhere, when the editor follows the mouse at all.
  if (graphics.MouseOverEnabled() && !hovered_) blend.weight = 1.0f - hoverWeight_;
  return graphics.DrawImage(handle_, HandleRect(v), 0, 0, &blend);
}

void ISliderImg::MouseDown(int x, int y, const IMouseKeys& mod) {
  if (mod.right) {
    OpenParameterPrompt();
    return;
  }
  if (!mod.left || x < track_.left || x >= track_.right || y < track_.top || y >= track_.bottom) return;
  dragging_ = true;
  hovered_ = false;
  ValueFromPosition(x, y);
}

void ISliderImg::MouseDrag(int x, int y, int dx, int dy, const IMouseKeys& mod) {
  if (dragging_) ValueFromPosition(x, y);
}

void ISliderImg::MouseUp(int x, int y, const IMouseKeys& mod) { dragging_ = false; }
