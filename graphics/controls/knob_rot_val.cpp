#include "knob_rot_val.h"

#include <cmath>

#include "graphics.h"
#include "parameter.h"
#include "raster_bitmap.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

IArea KnobRect(int cx, int cy, const IImage& knob, const IKnobRotVal::Look& look) {
  const int halfH = RoundHalfAway(knob.h * 0.5);
  const int frames = knob.frames > 0 ? knob.frames : 1;
  const int halfW = look.widthOverride ? RoundHalfAway(look.widthOverride / 2) : RoundHalfAway(knob.w / frames * 0.5);
  const int bottom = look.labelOffset < 0 ? cy + halfH : cy + halfH + look.labelOffset + look.label.size;
  return IArea(cx - halfW, cy - halfH, cx + halfW, bottom);
}
}  // namespace

IKnobRotVal::IKnobRotVal(IEffectBase* plug, int paramIdx, int cx, int cy, const IImage& knob, const Look& look)
    : HoverTracking(plug, KnobRect(cx, cy, knob, look), paramIdx),
      look_(look),
      knob_(knob),
      cx_(cx),
      cy_(cy),
      stepsMinusOne_(static_cast<int16_t>(look.steps - 1)) {}

void IKnobRotVal::DrawLabel(IGraphics& graphics) {
  IArea area(Rect().left, Rect().bottom - look_.label.size, Rect().right, Rect().bottom);
  if (look_.labelOffset < 0) {
    area.top += look_.labelOffset;
    area.bottom += look_.labelOffset;
  }
  DrawParamLabel(graphics, look_.label, area, look_.showUnits);
}

IImage IKnobRotVal::DrawSplitBase(IGraphics& graphics, const IImageMix& blend) {
  const IArea base(RoundHalfAway(cx_ - knob_.w / 2.0), Rect().top, RoundHalfAway(cx_ + knob_.w / 2.0),
                   Rect().bottom - look_.labelOffset - look_.label.size);
  graphics.DrawImageFrame(knob_, base, 1, &blend, false);
  IImage turning;
  turning.bitmap = graphics.CachedImage(knob_.tempId);
  if (turning.bitmap) {
    turning.w = turning.bitmap->Width();
    turning.h = turning.bitmap->Height();
  }
  return turning;
}

bool IKnobRotVal::Draw(IGraphics& graphics) {
  IImageMix blend;
  blend.weight = hovered_ ? 1.0f - look_.hoverWeight : 1.0f;
  DrawLabel(graphics);
  const double v = Value();
  const double angle = (v - 0.5) * look_.rangeDeg * kPi / 180.0;
  IImage turning = knob_;
  if (knob_.tempId < -1) {
    turning = DrawSplitBase(graphics, blend);
    blend.weight = 1.0f;
  }
  const float origin = static_cast<float>(-2.0 * std::fabs(v - 0.5));
  return graphics.DrawRotatedImage(turning, cx_, cy_, angle, &blend, origin, origin);
}

void IKnobRotVal::MouseDrag(int x, int y, int dx, int dy, const IMouseKeys& mod) {
  double gearing = look_.gearing;
  if (mod.shift || mod.control) gearing *= 10.0;
  if (look_.horizontalDrag) {
    SetValue(Value() + dx / static_cast<double>(Rect().W()) / gearing);
  } else {
    SetValue(Value() + dy / static_cast<double>(Rect().top - Rect().bottom) / gearing);
  }
  MarkDirty(true);
}

void IKnobRotVal::MouseUp(int x, int y, const IMouseKeys& mod) {
  if (stepsMinusOne_ <= 0) return;
  SetValue(std::floor(Value() * stepsMinusOne_ + 0.5) / stepsMinusOne_);
  MarkDirty(true);
}
