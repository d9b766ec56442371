#pragma once
// The editor's look: a calm dark theme for listening at night, one cool accent
// for what is lit (the popup menu's highlight colour) and one warm one for
// what asks for attention. Recurring pieces (wells, captions, lit faces) are
// drawn here once.

#include "layout_table.h"
#include "painter.h"

namespace imagegen {

namespace palette {
constexpr Colour kWindowTop = Rgb(0x19202c);
constexpr Colour kWindowBottom = Rgb(0x0c0f15);
constexpr Colour kDeckTop = Rgb(0x1d2431);
constexpr Colour kDeckBottom = Rgb(0x151a24);
constexpr Colour kDeckEdge = Rgb(0x2b3445);
constexpr Colour kWell = Rgb(0x080b10);
constexpr Colour kWellEdge = Rgb(0x313b4d);
constexpr Colour kCaption = Rgb(0x8e9bb0);    // static captions
constexpr Colour kCaptionDim = Rgb(0x5d687b);
constexpr Colour kUnlitFace = Rgb(0x161b25);
constexpr Colour kUnlitText = Rgb(0x77849a);
constexpr Colour kAccent = Rgb(0x45cde0);     // lit: close to the popup highlight (20, 180, 220)
constexpr Colour kAccentDeep = Rgb(0x125865);
constexpr Colour kLitText = Rgb(0xf0fdff);
constexpr Colour kWarm = Rgb(0xf2aa48);       // attention: tones out of step
constexpr Colour kShadow = Rgb(0x000000, 0.6f);
}  // namespace palette

// Text styles of the static captions.
TextStyle CaptionStyle(Align align = Align::Centre);  // small capitals-style section captions
TextStyle HintStyle(Align align = Align::Centre);     // quieter, mixed case
TextStyle FaceStyle(int height, Colour colour);       // text on a button face, centred

// Where a row's image lands on the editor: the frame's rectangle (the first
// frame for multi-frame images; a knob's square around its centre).
RasterRect FramePlace(spw_editor::ControlIndex index);
// The row's whole rectangle when it is placed by one (text, link, slider, panels).
RasterRect RowRect(spw_editor::ControlIndex index);

// A dark recessed well with a soft inner shadow and a faint lower lip.
void Well(Painter& p, float left, float top, float right, float bottom, float radius);
// A face of a button or switch: unlit (dark) or lit (accent glow).
void ButtonFace(Painter& p, const Shape& shape, float top, float bottom, bool lit);
// A sunken groove for a handle to travel in.
void Groove(Painter& p, const RasterRect& track);
// A vertical handle with grip lines; bright for the hovered look.
void Handle(Painter& p, float left, float top, float right, float bottom, bool bright);

}  // namespace imagegen
