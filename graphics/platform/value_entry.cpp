#include "value_entry.h"

#include <algorithm>
#include <cstring>

#include "control.h"
#include "graphics.h"
#include "parameter.h"

namespace {

// Box and list sizes, pixels.
constexpr int kBoxCharWidth = 7;
constexpr int kBoxPadding = 6;
constexpr int kBoxMinWidth = 32;
constexpr int kBoxHeight = 16;
constexpr int kListCharWidth = 8;
constexpr int kListPadding = 24;
constexpr int kListMinWidth = 24;
constexpr int kListRowHeight = 36;

int CentreX(const IArea& r) { return static_cast<int>((r.left + r.right) * 0.5); }
int CentreY(const IArea& r) { return static_cast<int>((r.top + r.bottom) * 0.5); }

}  // namespace

void ValueEntry::Open(std::unique_ptr<Box> box, IControl* control, IParameter* param) {
  box_ = std::move(box);
  control_ = control;
  param_ = param;
  state_ = State::kNone;
}

bool ValueEntry::PressElsewhere(IGraphics& graphics, bool right) {
  if (!IsOpen()) return true;
  if (!right) {
    Commit();
    Apply(graphics);
    return true;
  }
  const bool wasTyping = state_ == State::kEditing;
  state_ = State::kCancel;
  if (!wasTyping && !param_) graphics.CommitTextEntry(control_, nullptr, "");
  return false;
}

void ValueEntry::Apply(IGraphics& graphics) {
  if (!IsOpen()) return;
  if (state_ == State::kEditing) state_ = State::kNone;
  if (state_ != State::kCommit && state_ != State::kCancel) return;
  if (state_ == State::kCommit) graphics.CommitTextEntry(control_, param_, box_->Text().c_str());
  // The committed value reached the plug-in inside its own begin and end of edit; the
  // control only needs drawing again, whether the text was taken or not.
  if (control_) control_->MarkDirty(false);
  Close();
}

void ValueEntry::Close() {
  // Cleared before the box goes: taking it off the screen moves the focus, and the
  // platform's focus handling must find no entry open by then.
  std::unique_ptr<Box> box = std::move(box_);
  control_ = nullptr;
  param_ = nullptr;
  state_ = State::kNone;
  box.reset();
}

std::string ParamDisplayText(const IParameter& param) {
  char text[IParameter::kDisplaySize] = {};
  param.FormatValue(param.Value(), false, text);
  return text;
}

std::vector<std::string> ParamChoiceTexts(const IParameter& param) {
  std::vector<std::string> texts;
  const EParameterKind kind = param.Kind();
  if (param.ValueTextCount() == 0 || (kind != EParameterKind::Enum && kind != EParameterKind::Bool)) {
    return texts;
  }
  const int first = static_cast<int>(param.Minimum());
  const int last = static_cast<int>(param.Maximum());
  for (int value = first; value <= last; ++value) texts.emplace_back(param.ValueTextFor(value));
  return texts;
}

IArea ValueBoxRect(const IControl& control, const IParameter& param, bool small) {
  const IArea& rect = control.Rect();
  if (!small) return rect;
  char longest[IParameter::kDisplaySize] = {};
  param.FormatValue(param.Maximum(), false, longest);
  const int length = static_cast<int>(std::strlen(longest));
  const int width = std::max(kBoxMinWidth, kBoxCharWidth * length + kBoxPadding);
  const int left = CentreX(rect) - width / 2;
  const int top = CentreY(rect) - kBoxHeight / 2;
  return IArea(left, top, left + width, top + kBoxHeight);
}

IArea ChoiceListRect(const IControl& control, int count, int longest, bool small) {
  const IArea& rect = control.Rect();
  const int top = CentreY(rect);
  if (!small) return IArea(rect.left, top, rect.right, top + rect.H());
  const int width = std::max(kListMinWidth, kListCharWidth * longest + kListPadding);
  const int left = CentreX(rect) - width / 2;
  return IArea(left, top, left + width, top + kListRowHeight * (count + 1));
}
