// Mouse and key dispatch of IGraphics. A press goes to the control under the
// mouse, which keeps the mouse (capture) until the release; the release and the
// end of the host gesture go to that same control only. Every end of a host
// gesture follows its begin. Positions arrive in device pixels and are turned
// into editor pixels first; controls see editor pixels only.
#include "control.h"
#include "effect_base.h"
#include "graphics.h"

int IGraphics::ControlIndexAt(int x, int y) const {
  if (captured_ >= 0) return captured_;
  for (int i = ControlCount() - 1; i >= 0; --i) {
    const IControl* control = controls_[static_cast<size_t>(i)].get();
    if (!control->IsHidden() && !control->IsGreyed() && control->HitTest(x, y)) return i;
  }
  return -1;
}

void IGraphics::BeginPressGesture(int paramIdx) {
  if (paramIdx < 0 || !plug_) return;
  // A wheel gesture still waiting for its end is over now.
  if (plug_->PendingEndInformIdx() >= 0) plug_->FlushEndInform();
  plug_->BeginHostEdit(paramIdx);
  pressGestureParam_ = paramIdx;
}

void IGraphics::EndPressGesture() {
  if (pressGestureParam_ < 0) return;
  const int paramIdx = pressGestureParam_;
  pressGestureParam_ = -1;
  if (plug_) plug_->EndHostEdit(paramIdx);
}

void IGraphics::MouseDown(int x, int y, const IMouseKeys& mod) {
  x = ToEditor(x);
  y = ToEditor(y);
  DeleteRetired();
  EndPressGesture();  // a press whose release never came
  ignoreUntilPress_ = false;
  pressed_ = nullptr;
  captured_ = -1;
  lastX_ = lastY_ = -1;
  int index = ControlIndexAt(x, y);
  if (index < 0) return;
  IControl* control = controls_[static_cast<size_t>(index)].get();
  if (openPopup_ && openPopup_ != control && control->Owner() != openPopup_ && IndexOf(openPopup_) >= 0) {
    ClosePopup(false);
    pressClosedPopup_ = true;
    index = IndexOf(control);
  }
  captured_ = index;
  lastX_ = x;
  lastY_ = y;
  rightPress_ = mod.right;
  pressed_ = control;
  BeginPressGesture(control->ParamIdx());
  control->MouseDown(x, y, mod);
  pressClosedPopup_ = false;
}

void IGraphics::MouseUp(int x, int y, const IMouseKeys& mod) {
  x = ToEditor(x);
  y = ToEditor(y);
  DeleteRetired();
  IControl* control = ignoreUntilPress_ ? nullptr : pressed_;
  pressed_ = nullptr;
  captured_ = -1;
  lastX_ = lastY_ = -1;
  rightPress_ = false;
  if (!control) return;
  control->MouseUp(x, y, mod);
  EndPressGesture();
}

void IGraphics::FileDropped(int x, int y, const char* path) {
  x = ToEditor(x);
  y = ToEditor(y);
  DeleteRetired();
  const int index = ControlIndexAt(x, y);
  pressed_ = nullptr;
  captured_ = -1;
  lastX_ = lastY_ = -1;
  rightPress_ = false;
  if (index < 0) return;
  controls_[static_cast<size_t>(index)]->FileDropped(x, y, path);
  EndPressGesture();
}

void IGraphics::MouseDrag(int x, int y, const IMouseKeys& mod) {
  x = ToEditor(x);
  y = ToEditor(y);
  if (ignoreUntilPress_ || captured_ < 0 || (x == lastX_ && y == lastY_)) return;
  const int dx = x - lastX_, dy = y - lastY_;
  lastX_ = x;
  lastY_ = y;
  controls_[static_cast<size_t>(captured_)]->MouseDrag(x, y, dx, dy, mod);
}

bool IGraphics::MouseDoubleClick(int x, int y, const IMouseKeys& mod) {
  x = ToEditor(x);
  y = ToEditor(y);
  DeleteRetired();
  captured_ = -1;
  lastX_ = lastY_ = -1;
  // The second click of a pair whose first one closed a popup is not meant for what lies beneath.
  if (ignoreUntilPress_) return false;
  EndPressGesture();
  const int index = ControlIndexAt(x, y);
  if (index < 0) return false;
  IControl* control = controls_[static_cast<size_t>(index)].get();
  pressed_ = control;
  BeginPressGesture(control->ParamIdx());
  if (!control->DoubleClickAsClick()) {
    control->MouseDoubleClick(x, y, mod);  // the gesture ends with the button's release
    return false;
  }
  captured_ = index;
  lastX_ = x;
  lastY_ = y;
  control->MouseDown(x, y, mod);
  return true;
}

void IGraphics::BeginWheelGesture(int paramIdx) {
  // One begin per gesture: turns within the countdown continue the pending one;
  // a pending gesture of another parameter ends first.
  if (plug_->PendingEndInformIdx() == paramIdx) return;
  plug_->FlushEndInform();
  plug_->BeginHostEdit(paramIdx);
}

bool IGraphics::MouseWheel(int x, int y, const IMouseKeys& mod, int distance) {
  x = ToEditor(x);
  y = ToEditor(y);
  DeleteRetired();
  const int index = ControlIndexAt(x, y);
  if (index < 0) return false;
  IControl* control = controls_[static_cast<size_t>(index)].get();
  const int paramIdx = control->ParamIdx();
  // Without a parameter there is no gesture, and a pending end stays pending. A
  // turn while a held button edits the same parameter belongs to that press's
  // gesture, which its release ends.
  const bool gesture = paramIdx >= 0 && plug_ && paramIdx != pressGestureParam_;
  if (gesture) {
    BeginWheelGesture(paramIdx);
    plug_->WheelGestureStarted(paramIdx);
  }
  control->MouseWheel(x, y, mod, distance);
  if (gesture) plug_->DeferEndInform(paramIdx);
  return true;
}

bool IGraphics::MouseOver(int x, int y, const IMouseKeys& mod) {
  x = ToEditor(x);
  y = ToEditor(y);
  if (!mouseOverEnabled_) return false;
  const int index = ControlIndexAt(x, y);
  if (index < 0) return true;
  lastX_ = x;
  lastY_ = y;
  IControl* control = controls_[static_cast<size_t>(index)].get();
  control->MouseOver(x, y, mod);
  if (control->ParamIdx() >= 0 && plug_) plug_->ShowParamStatus(control->ParamIdx());
  if (mouseOver_ >= 0 && mouseOver_ != index && mouseOver_ < ControlCount()) {
    controls_[static_cast<size_t>(mouseOver_)]->MouseOut();
  }
  mouseOver_ = index;
  return true;
}

void IGraphics::MouseOut() {
  for (int i = 0; i < ControlCount(); ++i) controls_[static_cast<size_t>(i)]->MouseOut();
  mouseOver_ = -1;
}

bool IGraphics::KeyDown(int x, int y, EKey key) {
  // Escape closes an open menu as a click elsewhere does: its opener learns that
  // nothing was chosen.
  if (key == EKey::Escape && openPopup_) {
    ClosePopup(false);
    return true;
  }
  x = ToEditor(x);
  y = ToEditor(y);
  const int index = ControlIndexAt(x, y);
  if (index < 0) return false;
  controls_[static_cast<size_t>(index)]->KeyDown(x, y, key);
  return true;
}

void IGraphics::EndMouseCapture() {
  if (pressed_) ignoreUntilPress_ = true;
  pressed_ = nullptr;
  captured_ = -1;
  lastX_ = lastY_ = -1;
  EndPressGesture();
}

void IGraphics::MouseCaptureLost() {
  if (!pressed_ || ignoreUntilPress_) return;
  IMouseKeys none;
  pressed_->MouseUp(lastX_, lastY_, none);
  EndMouseCapture();
}

void IGraphics::EndHeldInput() {
  MouseCaptureLost();
  if (GestureEndTimerRunning() && plug_) plug_->FlushEndInform();
}
