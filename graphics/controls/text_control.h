#pragma once
// A text label (status line, captions, version). Its text is a fixed buffer:
// the audio thread writes it (status messages, captions of the change handler)
// and the editor thread both writes it (mouse-over) and draws it. Writes and
// the draw's copy happen under the plug-in's instance lock; drawing itself
// runs outside it, so the audio thread never waits for a draw.

#include "control.h"
#include "text_style.h"

class ITextControl : public IControl {
 public:
  static constexpr int kTextSize = 256;  // terminator included; longer texts are cut

  ITextControl(IEffectBase* plug, const IArea& rect, const ITextStyle& style, const char* text);
  bool Draw(IGraphics& graphics) override;
  // [any thread] Stores the text and marks the control dirty when it differs. Never allocates.
  void SetText(const char* text) noexcept;
  void ReceiveText(const char* text) override { SetText(text); }
  // [any thread] Copies the text into out (size bytes, terminated).
  void GetText(char* out, int size) const noexcept;
  ITextStyle& Style() { return style_; }

 protected:
  // Draws text (already copied out) in the style; ITextControl draws it as it is.
  bool DrawString(IGraphics& graphics, const char* text);

 private:
  ITextStyle style_;
  char text_[kTextSize] = {};
};
