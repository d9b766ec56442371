#pragma once
// A row (or column) of buttons painted by one image of all buttons lit; the
// background shows them unlit. The value selects one of the N buttons.

#include <vector>

#include "control.h"
#include "image.h"

class IRadioButtons : public IControl {
 public:
  // image.frames is the number of buttons. boundaries: empty (or first entry 0) for equal widths,
  // else the right edge of every button but the last, in image pixels.
  IRadioButtons(IEffectBase* plug, const IArea& rect, int paramIdx, const IImage& image, float hoverWeight,
                bool vertical, const std::vector<int>& boundaries = {});
  bool Draw(IGraphics& graphics) override;
  // Left press selects the button under the mouse; every press sends the value.
  void MouseDown(int x, int y, const IMouseKeys& mod) override;
  void MouseOver(int x, int y, const IMouseKeys& mod) override;
  void MouseOut() override;

 private:
  int Count() const { return image_.frames > 1 ? image_.frames : 1; }
  bool EqualWidths() const { return boundaries_.empty() || boundaries_[0] == 0; }
  int IndexAt(int x, int y) const;
  // Start and length of button i along the image, pixels.
  void Extent(int i, int* start, int* length) const;
  void DrawButton(IGraphics& graphics, int i, const IImageMix& blend);

  IImage image_;
  bool vertical_;
  int hoverIndex_ = -1;
  std::vector<int> boundaries_;
  float hoverWeight_;
};
