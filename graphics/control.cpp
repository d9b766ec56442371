#include "control.h"

#include <cmath>
#include <cstring>

#include "effect_base.h"
#include "graphics.h"
#include "parameter.h"

IControl::IControl(IEffectBase* plug, const IArea& rect, int paramIdx, const IImageMix& blend)
    : plug_(plug), rect_(rect), targetRect_(rect), paramIdx_(paramIdx), blend_(blend) {}

void IControl::MouseDown(int x, int y, const IMouseKeys& mod) {
  // A left press used to clear the graphics' popup reference here; the graphics
  // now clears it whenever a popup closes, and clearing it while a popup is open
  // would leave that popup impossible to close.
  if (mod.right) OpenParameterPrompt();
}

void IControl::MouseDoubleClick(int x, int y, const IMouseKeys& mod) {
  const double def = DefaultValue();
  if (def < 0.0) return;
  SetValue(def);
  MarkDirty(true);
}

void IControl::MouseWheel(int x, int y, const IMouseKeys& mod, int distance) {
  const IParameter* param = plug_ ? plug_->ParamAt(paramIdx_) : nullptr;
  if (!param) return;
  const EParameterKind kind = param->Kind();
  const int texts = param->ValueTextCount();
  double step = 0.01;
  if (kind != EParameterKind::Double && kind != EParameterKind::Int && texts > 0) step = 0.5 / texts;
  // Host code 2 uses Shift for itself, so there only Control gives fine steps.
  constexpr int kShiftTakingHost = 2;
  const bool fine = mod.control || (mod.shift && plug_->HostCode() != kShiftTakingHost);
  if (fine) step *= 0.1;
  SetValue(Value() + step * distance);
  MarkDirty(true);
}

void IControl::ReceiveValue(double normalized) noexcept {
  if (DefaultValue() < 0.0) default_.store(normalized, std::memory_order_relaxed);
  if (normalized == Value()) return;
  SetValue(normalized);
  MarkDirty(false);
  SetRedrawPending();
}

void IControl::ReceiveUserValue(double normalized) {
  if (normalized != Value()) SetValue(normalized);
  MarkDirty(true);
  SetRedrawPending();
}

void IControl::Hide(bool hide) noexcept {
  hidden_.store(hide, std::memory_order_relaxed);
  SetRedrawPending();
  MarkDirty(false);
}

void IControl::SetGreyed(bool greyed) {
  constexpr float kGreyedWeight = 0.25f;
  greyed_ = greyed;
  blend_.weight = greyed ? kGreyedWeight : 1.0f;
  MarkDirty(false);
}

bool IControl::HitTest(int x, int y) const {
  return x >= targetRect_.left && x <= targetRect_.right && y >= targetRect_.top && y <= targetRect_.bottom;
}

void IControl::MarkDirty(bool push) {
  double v = Value();
  if (!(v >= clampLow_)) v = clampLow_;  // NaN too
  if (v > clampHigh_) v = clampHigh_;
  SetValue(v);
  dirty_.store(true, std::memory_order_relaxed);
  if (push && paramIdx_ >= 0 && plug_) plug_->SetParameterFromEditor(paramIdx_, v);
}

void IControl::MarkClean() {
  // Exchange, so that a pending mark the audio thread sets meanwhile is either
  // moved into dirty now or still pending (and seen by NeedsRedraw) next tick.
  dirty_.store(redrawPending_.exchange(false, std::memory_order_relaxed), std::memory_order_relaxed);
}

bool IControl::NeedsRedraw() const {
  return dirty_.load(std::memory_order_relaxed) || redrawPending_.load(std::memory_order_relaxed);
}

void IControl::OpenParameterPrompt() {
  if (paramIdx_ < 0 || promptDisabled_ || !graphics_ || !plug_) return;
  // A right click that has just closed a popup (or lands while one is open) only closes it.
  if (graphics_->PressClosedPopup() || graphics_->OpenPopup()) return;
  IParameter* param = plug_->ParamAt(paramIdx_);
  if (!param) return;
  const EParameterKind kind = param->Kind();
  if (param->ValueTextCount() > 0 && (kind == EParameterKind::Enum || kind == EParameterKind::Bool)) {
    graphics_->OpenParameterPopup(*this);
    return;
  }
  graphics_->OpenValueEntry(this, param, true);
  SetRedrawPending();
}

bool IControl::DrawParamLabel(IGraphics& graphics, ITextStyle& style, const IArea& rect, bool withUnit) const {
  const IParameter* param = plug_ ? plug_->ParamAt(paramIdx_) : nullptr;
  if (!param || style.size <= 0) return true;
  char text[IParameter::kDisplaySize + IParameter::kTextSize + 1];
  param->FormatValue(param->Value(), false, text);
  if (withUnit) std::strncat(text, param->UnitLabel(), IParameter::kTextSize);
  if (text[0] == '\0') return true;
  style.align = kAlignCentre;
  return graphics.DrawText(style, text, rect);
}
