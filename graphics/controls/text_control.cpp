#include "text_control.h"

#include <cstring>
#include <mutex>

#include "effect_base.h"
#include "graphics.h"
#include "parameter.h"

namespace {
// The instance lock, when there is a plug-in (it always is in the editor).
std::unique_lock<std::recursive_mutex> TextLock(IEffectBase* plug) {
  return plug ? std::unique_lock<std::recursive_mutex>(plug->Mutex()) : std::unique_lock<std::recursive_mutex>();
}
}  // namespace

ITextControl::ITextControl(IEffectBase* plug, const IArea& rect, const ITextStyle& style, const char* text)
    : IControl(plug, rect), style_(style) {
  SetText(text);
}

void ITextControl::SetText(const char* text) noexcept {
  if (!text) text = "";
  auto lock = TextLock(Plug());
  if (std::strncmp(text_, text, kTextSize - 1) == 0) return;
  MarkDirty(false);
  CopyText(text_, text, kTextSize);
}

void ITextControl::GetText(char* out, int size) const noexcept {
  auto lock = TextLock(Plug());
  CopyText(out, text_, size);
}

bool ITextControl::Draw(IGraphics& graphics) {
  char text[kTextSize];
  GetText(text, kTextSize);
  return DrawString(graphics, text);
}

bool ITextControl::DrawString(IGraphics& graphics, const char* text) {
  return graphics.DrawText(style_, text, Rect());
}
