#include "text_sink_control.h"

TextSinkControl::TextSinkControl(IEffectBase* plug, const IArea& rect, const ITextStyle& style)
    : ITextControl(plug, rect, style, "") {}

void TextSinkControl::TakePlaceOf(TextSink*& slot) {
  record_ = slot;
  slot = this;
}

void TextSinkControl::SetText(const char* text) noexcept {
  ITextControl::SetText(text);
  if (record_) record_->SetText(text);
}
