// The typed entries of the X11 editor: one field for values and texts alike (a
// parameter with display texts takes one of them typed).

#include "control.h"
#include "editable_text_control.h"
#include "graphics_x11.h"
#include "parameter.h"
#include "x11_entry_field.h"

X11EntryField* IGraphicsX11::Field() const { return static_cast<X11EntryField*>(entry_.OpenBox()); }

void IGraphicsX11::OpenField(const IArea& rect, const std::string& text, IControl* control, IParameter* param,
                             const X11EntryField::Look& look) {
  if (!window_ || entry_.IsOpen()) return;
  X11EntryField::Look scaled = look;
  scaled.fontHeight = ToDevice(look.fontHeight);
  scaled.margin = ToDevice(look.margin);
  auto field = X11EntryField::Create(*conn_, window_, ToDevice(rect), text, scaled, entry_);
  if (field) entry_.Open(std::move(field), control, param);
}

void IGraphicsX11::OpenValueEntry(IControl* control, IParameter* param, bool small) {
  if (!control || !param) return;
  X11EntryField::Look look;
  look.centred = small;
  OpenField(ValueBoxRect(*control, *param, small), ParamDisplayText(*param), control, param, look);
}

void IGraphicsX11::PromptTextInput(IEditableTextControl& control) {
  char text[ITextControl::kTextSize] = {};
  control.GetText(text, sizeof text);
  X11EntryField::Look look;
  look.centred = control.Style().align == kAlignCentre;
  look.password = control.Password();
  look.readOnly = !control.Editable();
  OpenField(control.Rect(), text, &control, nullptr, look);
}
