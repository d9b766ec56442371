#pragma once
// An image showing one of its frames by value (the background, the wave picture).

#include "control.h"
#include "image.h"

class IBitmapControl : public IControl {
 public:
  // Rectangle (x, y, x + width, y + height / frames); frames stacked.
  IBitmapControl(IEffectBase* plug, int x, int y, int paramIdx, const IImage& image,
                 const IImageMix& blend = IImageMix());
  // Frame 1 at value 0 up to frame N at value 1.
  bool Draw(IGraphics& graphics) override;

 private:
  bool stacked_ = true;
  IImage image_;
};
