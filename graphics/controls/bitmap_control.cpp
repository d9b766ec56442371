#include "bitmap_control.h"

#include "graphics.h"

namespace {
int FrameHeight(const IImage& image) { return image.frames > 0 ? image.h / image.frames : image.h; }
}  // namespace

IBitmapControl::IBitmapControl(IEffectBase* plug, int x, int y, int paramIdx, const IImage& image,
                               const IImageMix& blend)
    : IControl(plug, IArea(x, y, x + image.w, y + FrameHeight(image)), paramIdx, blend), image_(image) {}

bool IBitmapControl::Draw(IGraphics& graphics) {
  const int n = image_.frames;
  int frame = 1;
  if (n >= 2) {
    frame = static_cast<int>((n - 1) * Value() + 0.5) + 1;
    frame = frame < 1 ? 1 : (frame > n ? n : frame);
  }
  return graphics.DrawImageFrame(image_, Rect(), frame, &Blend(), stacked_);
}
