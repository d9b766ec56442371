// The typed entries of the Windows editor: an edit box for a value or a text, a
// drop-down list for a parameter's display texts.

#include <algorithm>

#include "control.h"
#include "editable_text_control.h"
#include "graphics_win.h"
#include "parameter.h"
#include "win_entry_box.h"
#include "win_text.h"

namespace {

constexpr int kEntryFontHeight = 14;  // pixels, for parameter values
constexpr char kEntryFontFace[] = "Arial";

HFONT MakeFont(int height, bool bold, bool italic, const char* face) {
  return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, FALSE, FALSE, ANSI_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                     Widen(face).c_str());
}

DWORD AlignmentStyle(int align) {
  switch (align) {
    case kAlignCentre: return ES_CENTER;
    case kAlignRight: return ES_RIGHT;
    default: return ES_LEFT;
  }
}

}  // namespace

void IGraphicsWin::OpenValueEntry(IControl* control, IParameter* param, bool small) {
  if (!control || !param || !window_ || entry_.IsOpen()) return;
  const std::string current = ParamDisplayText(*param);
  HFONT font = MakeFont(ToDevice(kEntryFontHeight), false, false, kEntryFontFace);
  const std::vector<std::string> choices = ParamChoiceTexts(*param);
  std::unique_ptr<WinEntryBox> box;
  if (choices.empty()) {
    const DWORD style = ES_MULTILINE | ES_AUTOHSCROLL | (small ? ES_CENTER : ES_LEFT);
    box = WinEntryBox::Edit(window_, ToDevice(ValueBoxRect(*control, *param, small)), style, current, font, entry_);
  } else {
    size_t longest = 0;
    int selected = -1;
    for (size_t i = 0; i < choices.size(); ++i) {
      longest = std::max(longest, choices[i].size());
      if (choices[i] == current) selected = static_cast<int>(i);  // the last one that matches
    }
    const IArea rect = ChoiceListRect(*control, static_cast<int>(choices.size()), static_cast<int>(longest), small);
    box = WinEntryBox::List(window_, ToDevice(rect), choices, selected, font, entry_);
  }
  if (box) entry_.Open(std::move(box), control, param);
}

void IGraphicsWin::PromptTextInput(IEditableTextControl& control) {
  if (!window_ || entry_.IsOpen()) return;
  char text[ITextControl::kTextSize] = {};
  control.GetText(text, sizeof text);
  const ITextStyle& style = control.Style();
  HFONT font = MakeFont(ToDevice(style.size), style.style == kTextBold, style.style == kTextItalic, style.face);
  DWORD kind = AlignmentStyle(style.align) | ES_AUTOHSCROLL;
  if (!control.Editable()) kind |= ES_READONLY;
  kind |= control.Password() ? ES_PASSWORD : ES_MULTILINE;
  auto box = WinEntryBox::Edit(window_, ToDevice(control.Rect()), kind, text, font, entry_);
  if (box) entry_.Open(std::move(box), &control, nullptr);
}
