#include "editable_text_control.h"

#include <cstring>

#include "graphics.h"

IEditableTextControl::IEditableTextControl(IEffectBase* plug, const IArea& rect, const ITextStyle& style,
                                           const char* text, const IRgba& background, bool editable, bool password)
    : ITextControl(plug, rect, style, text), background_(background), editable_(editable), password_(password) {}

bool IEditableTextControl::Draw(IGraphics& graphics) {
  if (background_.A != 0 && !graphics.FillRect(background_, Rect(), &Blend())) return false;
  char text[kTextSize];
  GetText(text, kTextSize);
  if (password_) {
    const size_t stars = std::strlen(text) < kMaxStars ? std::strlen(text) : kMaxStars;
    std::memset(text, '*', stars);
    text[stars] = '\0';
  }
  return DrawString(graphics, text);
}

void IEditableTextControl::MouseDown(int x, int y, const IMouseKeys& mod) {
  if (PromptDisabled() || !Graphics()) return;
  Graphics()->PromptTextInput(*this);
  SetRedrawPending();
}
