#pragma once
// A text the user can type into (through the platform's edit box), optionally
// on a background and hidden behind stars.

#include "rgba.h"
#include "text_control.h"

class IEditableTextControl : public ITextControl {
 public:
  static constexpr int kMaxStars = 254;

  IEditableTextControl(IEffectBase* plug, const IArea& rect, const ITextStyle& style, const char* text,
                       const IRgba& background, bool editable, bool password);
  bool Draw(IGraphics& graphics) override;
  // Either button opens the edit box, unless prompting is disabled.
  void MouseDown(int x, int y, const IMouseKeys& mod) override;
  bool Editable() const { return editable_; }
  bool Password() const { return password_; }

 private:
  IRgba background_;
  bool editable_;
  bool password_;
};
