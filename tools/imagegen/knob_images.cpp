// The three knobs. Each image is two squares: on the left the pointer, drawn
// turned about the square's centre, over the base on the right, drawn as it
// is (body, shading and the scale, which do not turn).

#include <cmath>

#include "images.h"
#include "raster_draw.h"
#include "theme.h"

namespace imagegen {
namespace {

constexpr float kPi = 3.14159265f;
constexpr float kHalfRangeDegrees = 150.0f;  // the knobs turn 300 degrees

struct KnobLook {
  float body;        // radius of the body, as a share of the square
  int ticks;         // marks on the scale
  bool tickLines;    // lines (large knob) or dots (small knobs)
  float pointerWidth;
  Colour pointer;
};

Point OnCircle(float cx, float cy, float radius, float degrees) {
  const float a = degrees * kPi / 180.0f;  // 0 up, clockwise
  return {cx + radius * std::sin(a), cy - radius * std::cos(a)};
}

void PaintScale(Painter& p, float c, float size, const KnobLook& look) {
  for (int k = 0; k < look.ticks; ++k) {
    const float degrees = -kHalfRangeDegrees + 2 * kHalfRangeDegrees * float(k) / float(look.ticks - 1);
    const bool major = k == 0 || k == look.ticks - 1 || k * 2 == look.ticks - 1;
    const Colour colour = major ? palette::kCaption : palette::kCaptionDim;
    if (look.tickLines) {
      const float inner = size * (major ? 0.405f : 0.42f);
      p.Fill(Segment(OnCircle(c, c, inner, degrees), OnCircle(c, c, size * 0.465f, degrees), major ? 0.8f : 0.6f),
             colour);
    } else {
      const Point at = OnCircle(c, c, size * 0.45f, degrees);
      p.Fill(Circle(at.x, at.y, major ? 1.1f : 0.8f), colour);
    }
  }
}

void PaintBase(Painter& p, float size, const KnobLook& look) {
  const float c = size * 0.5f, r = size * look.body;
  PaintScale(p, c, size, look);
  p.Shadow(Circle(c, c, r), 0, size * 0.03f, size * 0.06f, Rgb(0x000000, 0.75f));
  // Bevelled rim: light from above.
  p.Fill(Circle(c, c, r), Vertical(c - r, c + r, Rgb(0x58657a), Rgb(0x10141b)));
  p.Fill(Circle(c, c, r - 1.2f), Radial(c - r * 0.35f, c - r * 0.45f, r * 1.7f, Rgb(0x3a4455), Rgb(0x141920)));
  // A slightly dished cap.
  const float cap = r * 0.64f;
  p.Fill(Circle(c, c, cap), Vertical(c - cap, c + cap, Rgb(0x10141a), Rgb(0x39414f)));
  p.Fill(Circle(c, c, cap - 1), Vertical(c - cap, c + cap, Rgb(0x1c222b), Rgb(0x2a313d)));
}

void PaintPointer(Painter& p, float size, const KnobLook& look) {
  const float c = size * 0.5f, r = size * look.body;
  const Shape line = Segment({c, c - r * 0.36f}, {c, c - r * 0.86f}, look.pointerWidth);
  p.Glow(line, WithAlpha(look.pointer, 0.35f), size * 0.06f);
  p.Fill(line, look.pointer);
}

void PaintKnob(Painter& p, const KnobLook& look) {
  const int size = p.Height(), pixels = p.Image().Height();  // editor and image pixels
  RasterMemBitmap base(pixels, pixels);
  Painter baseOnly(base, p.Scale());
  PaintBase(baseOnly, float(size), look);
  RasterBlit(p.Image(), base, pixels, 0, 0, 0, pixels, pixels, {RasterMode::Copy, false, 1.0f});
  PaintPointer(p, float(size), look);
}

}  // namespace

void PaintFrequencyKnob(Painter& p) {
  PaintKnob(p, {0.36f, 11, true, 1.5f, palette::kAccent});
}

void PaintFadeKnob(Painter& p) {
  PaintKnob(p, {0.36f, 7, false, 1.1f, palette::kAccent});
}

void PaintVolumeKnob(Painter& p) {
  PaintKnob(p, {0.36f, 7, false, 1.1f, Rgb(0xf3eee2)});
}

}  // namespace imagegen
