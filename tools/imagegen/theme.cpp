#include "theme.h"

#include <cmath>

namespace imagegen {

using spw_editor::ControlKind;
using spw_editor::ControlRow;
using spw_editor::kLayout;

TextStyle CaptionStyle(Align align) {
  TextStyle style;
  style.height = 10;
  style.bold = true;
  style.colour = palette::kCaption;
  style.align = align;
  style.tracking = 0.6f;
  return style;
}

TextStyle HintStyle(Align align) {
  TextStyle style;
  style.height = 11;
  style.colour = palette::kCaptionDim;
  style.align = align;
  return style;
}

TextStyle FaceStyle(int height, Colour colour) {
  TextStyle style;
  style.height = height;
  style.bold = true;
  style.colour = colour;
  style.align = Align::Centre;
  return style;
}

RasterRect FramePlace(spw_editor::ControlIndex index) {
  const ControlRow& row = kLayout[index];
  const spw_editor::ImageInfo& image = *spw_editor::FindEditorImage(row.image);
  if (row.kind == ControlKind::Knob) return {row.x - image.height / 2, row.y - image.height / 2, image.height, image.height};
  if (row.kind == ControlKind::RadioButtons) return {row.x, row.y, image.width, image.height};
  const int w = image.stacked ? image.width : image.width / image.frames;
  const int h = image.stacked ? image.height / image.frames : image.height;
  const int shift = row.widthOverride > 0 ? int(std::lround((row.widthOverride - w) * 0.5)) : 0;
  return {row.x + shift, row.y, w, h};
}

RasterRect RowRect(spw_editor::ControlIndex index) {
  const ControlRow& row = kLayout[index];
  return {row.x, row.y, row.right - row.x, row.bottom - row.y};
}

void Well(Painter& p, float left, float top, float right, float bottom, float radius) {
  p.Fill(RoundedBox(left, top + 1, right, bottom + 1, radius), Rgb(0xffffff, 0.05f));  // lower lip catches light
  p.Fill(RoundedBox(left, top, right, bottom, radius), palette::kWellEdge);
  const Shape inside = RoundedBox(left + 1, top + 1, right - 1, bottom - 1, radius - 1);
  p.Fill(inside, palette::kWell);
  // Inner shadow from the top edge.
  p.Fill(Subtract(inside, RoundedBox(left + 1, top + 3, right - 1, bottom + 6, radius)), Rgb(0x000000, 0.5f));
}

void ButtonFace(Painter& p, const Shape& shape, float top, float bottom, bool lit) {
  using namespace palette;
  const Shape face = Inset(shape, 1);
  if (lit) {
    p.Glow(shape, WithAlpha(kAccent, 0.25f), 3);
    p.Fill(shape, kAccent);
    p.Fill(face, Vertical(top, bottom, Rgb(0x1f8a9b), Rgb(0x0e4a55)));
    // A soft sheen on the upper half.
    p.Fill(Intersect(face, RoundedBox(-1e4f, -1e4f, 1e4f, top + (bottom - top) * 0.5f, 0)), Rgb(0xffffff, 0.08f));
  } else {
    p.Fill(shape, Rgb(0x2c3546));
    p.Fill(face, Vertical(top, bottom, Rgb(0x1c222d), kUnlitFace));
  }
}

void Groove(Painter& p, const RasterRect& track) {
  const float cx = float(track.x) + float(track.w) * 0.5f;
  Well(p, cx - 3, float(track.y) - 1, cx + 3, float(track.y + track.h) + 1, 3);
}

void Handle(Painter& p, float left, float top, float right, float bottom, bool bright) {
  const Shape body = RoundedBox(left, top, right, bottom, 3);
  p.Fill(body, bright ? Rgb(0x9fe9f4) : Rgb(0x4a5669));
  p.Fill(RoundedBox(left + 1, top + 1, right - 1, bottom - 1, 2),
         Vertical(top, bottom, bright ? Rgb(0x5b6b80) : Rgb(0x3a4556), bright ? Rgb(0x323d4d) : Rgb(0x242c38)));
  const float cy = (top + bottom) * 0.5f;
  for (float dy : {-4.0f, 0.0f, 4.0f}) {
    p.Fill(Segment({left + 2.5f, cy + dy}, {right - 2.5f, cy + dy}, 0.5f),
           dy == 0 ? (bright ? palette::kAccent : WithAlpha(palette::kAccent, 0.75f)) : Rgb(0x0a0d12, 0.8f));
  }
}

}  // namespace imagegen
