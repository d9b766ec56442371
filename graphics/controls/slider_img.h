#pragma once
// A slider: a handle image moved along a track by dragging; the handle follows
// the bound parameter's value.

#include "control.h"
#include "hover_tracking.h"
#include "image.h"
#include "text_style.h"

class ISliderImg : public HoverTracking<IControl> {
 public:
  // travel: track length in pixels along the slider.
  ISliderImg(IEffectBase* plug, int paramIdx, const IArea& rect, const IImage& handle, const ITextStyle& label,
             int travel, bool horizontal, float hoverWeight);
  bool Draw(IGraphics& graphics) override;
  // Right press: the parameter's prompt; left press on the track starts dragging.
  void MouseDown(int x, int y, const IMouseKeys& mod) override;
  void MouseDrag(int x, int y, int dx, int dy, const IMouseKeys& mod) override;
  void MouseUp(int x, int y, const IMouseKeys& mod) override;
  const IArea& Track() const { return track_; }

 private:
  void ValueFromPosition(int x, int y);
  IArea HandleRect(double normalized) const;

  ITextStyle label_;
  IArea track_;
  IImage handle_;
  int freeTravel_;  // travel minus the handle's length
  bool vertical_;
  bool dragging_ = false;
  float hoverWeight_;
};
