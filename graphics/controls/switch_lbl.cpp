#include "switch_lbl.h"

#include "graphics.h"
#include "parameter.h"

namespace {
constexpr double kWrapAbove = 1.001;  // past the last frame, with room for rounding

int FramesOf(const IImage& image) { return image.frames > 0 ? image.frames : 1; }

// A frame's size: stacked frames split the height, side-by-side ones the width.
int FrameWidth(const IImage& image, bool stacked) {
  return stacked ? image.w : RoundHalfAway(static_cast<double>(image.w) / FramesOf(image));
}

int FrameHeight(const IImage& image, bool stacked) {
  return stacked ? RoundHalfAway(static_cast<double>(image.h) / FramesOf(image)) : image.h;
}

IArea SwitchRect(int x, int y, const IImage& image, const ITextStyle& label, int labelGap, int widthOverride,
                 bool sideBySide) {
  const int frameW = FrameWidth(image, !sideBySide);
  const int frameH = FrameHeight(image, !sideBySide);
  return IArea(x, y, x + (widthOverride > 0 ? widthOverride : frameW), y + frameH + label.size + labelGap);
}
}  // namespace

ISwitchLbl::ISwitchLbl(IEffectBase* plug, int paramIdx, int x, int y, const IImage& image, const ITextStyle& label,
                       int labelGap, int widthOverride, bool sideBySide, float hoverWeight)
    : HoverTracking(plug, SwitchRect(x, y, image, label, labelGap, widthOverride, sideBySide), paramIdx),
      label_(label),
      image_(image),
      widthOverride_(widthOverride),
      stacked_(!sideBySide),
      hoverWeight_(hoverWeight) {}

bool ISwitchLbl::Draw(IGraphics& graphics) {
  const IArea& r = Rect();
  DrawParamLabel(graphics, label_, IArea(r.left, r.bottom - label_.size, r.right, r.bottom), true);
  const int n = FramesOf(image_);
  int frame = 1;
  if (n >= 2) {
    frame = RoundHalfAway((n - 1) * Value()) + 1;
    frame = frame < 1 ? 1 : (frame > n ? n : frame);
  }
  const int fw = FrameWidth(image_, stacked_), fh = FrameHeight(image_, stacked_);
  const int left = r.left + (widthOverride_ > 0 ? RoundHalfAway((widthOverride_ - fw) * 0.5) : 0);
  IImageMix blend = Blend();
  if (hovered_) blend.weight = 1.0f - hoverWeight_;
  return graphics.DrawImageFrame(image_, IArea(left, r.top, left + fw, r.top + fh), frame, &blend, stacked_);
}

void ISwitchLbl::MouseDown(int x, int y, const IMouseKeys& mod) {
  if (mod.right) {
    OpenParameterPrompt();
    return;
  }
  const int n = FramesOf(image_);
  double v = Value() + (n < 2 ? 1.0 : 1.0 / (n - 1));
  if (v > kWrapAbove) v = 0.0;
  SetValue(v);
  MarkDirty(true);
}
