#include "switch_lbl.h"

#include "graphics.h"

namespace {
int Nearest(double x) { return static_cast<int>(x >= 0.0 ? x + 0.5 : x - 0.5); }
constexpr double kWrapAbove = 1.001;  // past the last frame, with room for rounding

int FramesOf(const IImage& image) { return image.frames > 0 ? image.frames : 1; }

IArea SwitchRect(int x, int y, const IImage& image, const ITextStyle& label, int labelGap, int widthOverride,
                 bool sideBySide) {
  const int frameW = sideBySide ? Nearest(static_cast<double>(image.w) / FramesOf(image)) : image.w;
  const int frameH = sideBySide ? image.h : Nearest(static_cast<double>(image.h) / FramesOf(image));
  return IArea(x, y, x + (widthOverride > 0 ? widthOverride : frameW), y + frameH + label.size + labelGap);
}
}  // namespace

ISwitchLbl::ISwitchLbl(IEffectBase* plug, int paramIdx, int x, int y, const IImage& image, const ITextStyle& label,
                       int labelGap, int widthOverride, bool sideBySide, float hoverWeight)
    : IControl(plug, SwitchRect(x, y, image, label, labelGap, widthOverride, sideBySide), paramIdx),
      label_(label),
      image_(image),
      widthOverride_(widthOverride),
      stacked_(!sideBySide),
      hoverWeight_(hoverWeight) {}

int ISwitchLbl::FrameWidth() const {
  return stacked_ ? image_.w : Nearest(static_cast<double>(image_.w) / FramesOf(image_));
}

int ISwitchLbl::FrameHeight() const {
  return stacked_ ? Nearest(static_cast<double>(image_.h) / FramesOf(image_)) : image_.h;
}

bool ISwitchLbl::Draw(IGraphics& graphics) {
  const IArea& r = Rect();
  DrawParamLabel(graphics, label_, IArea(r.left, r.bottom - label_.size, r.right, r.bottom), true);
  const int n = FramesOf(image_);
  int frame = 1;
  if (n >= 2) {
    frame = Nearest((n - 1) * Value()) + 1;
    frame = frame < 1 ? 1 : (frame > n ? n : frame);
  }
  const int fw = FrameWidth(), fh = FrameHeight();
  const int left = r.left + (widthOverride_ > 0 ? Nearest((widthOverride_ - fw) * 0.5) : 0);
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

void ISwitchLbl::MouseOver(int x, int y, const IMouseKeys& mod) {
  hovered_ = true;
  MarkDirty(false);
}

void ISwitchLbl::MouseOut() {
  hovered_ = false;
  MarkDirty(false);
}
