#include "button.h"

#include "graphics.h"

IButton::IButton(IEffectBase* plug, int paramIdx, int x, int y, const IImage& image, float hoverWeight)
    : HoverTracking(plug, IArea(x, y, x + image.w, y + (image.frames > 0 ? image.h / image.frames : image.h)),
                    paramIdx),
      image_(image),
      hoverWeight_(hoverWeight) {}

bool IButton::Draw(IGraphics& graphics) {
  const bool on = Value() > 0.5;
  if (!on && !hovered_) return true;
  IImageMix mix = Blend();
  if (!on) {
    mix.weight = hoverWeight_;
  } else {
    mix.weight = hovered_ ? 1.0f - hoverWeight_ : 1.0f;
  }
  return graphics.DrawImageFrame(image_, Rect(), 1, &mix, true);
}

void IButton::MouseDown(int x, int y, const IMouseKeys& mod) {
  if (mod.left) SetValue(Value() <= 0.5 ? 1.0 : 0.0);
  MarkDirty(true);
}
