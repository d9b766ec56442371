// Buttons and switches. A button's image is its lit face (the background
// shows it unlit); a switch shows one frame per value, with the value's text
// or a symbol of it; a switch's first frame is its "off" look where it has one.

#include <cmath>

#include "images.h"
#include "theme.h"

namespace imagegen {
namespace {

constexpr float kCorner = 4.0f;  // radius of button and switch corners

// The box of frame `frame` of an image whose frames lie side by side.
Shape FrameBox(const Painter& p, int frames, int frame, float sideInset = 0.5f) {
  const float w = float(p.Width() / frames), left = w * float(frame);
  return RoundedBox(left + sideInset, 0.5f, left + w - sideInset, float(p.Height()) - 0.5f, kCorner);
}

float FrameLeft(const Painter& p, int frames, int frame) {
  return float(p.Width() / frames * frame);
}

void Arrow(Painter& p, float cx, float cy, bool up, Colour colour) {
  const float h = up ? -2.2f : 2.2f;
  p.Fill(Polygon({{cx - 2.6f, cy - h}, {cx + 2.6f, cy - h}, {cx, cy + h}}), colour);
}

}  // namespace

void ReferenceButtonFaces(Painter& p, float x, float y, bool lit) {
  const auto& image = *spw_editor::FindEditorImage(spw_editor::kImageReferenceButtons);
  const float w = float(image.width), h = float(image.height), half = w / 2;
  const char* const labels[] = {"Base Freq", "Binaural Freq"};
  for (int i = 0; i < 2; ++i) {
    const float left = x + half * float(i);
    const Shape half_box = RoundedBox(left, y - 10, left + half, y + h + 10, 0);
    const Shape face = Intersect(RoundedBox(x + 0.5f, y + 0.5f, x + w - 0.5f, y + h - 0.5f, 5), half_box);
    ButtonFace(p, face, y, y + h, lit);
    TextStyle text = FaceStyle(12, lit ? palette::kLitText : palette::kUnlitText);
    text.bold = false;
    p.Text(labels[i], text, int(left), int(y) + 5, int(half));
  }
  if (!lit) p.Fill(Segment({x + half, y + 3}, {x + half, y + h - 3}, 0.5f), Rgb(0x0a0d12));
}

void PlayButtonFace(Painter& p, float x, float y, bool lit) {
  const auto& image = *spw_editor::FindEditorImage(spw_editor::kImagePlayButton);
  const float w = float(image.width), h = float(image.height);
  ButtonFace(p, RoundedBox(x + 0.5f, y + 0.5f, x + w - 0.5f, y + h - 0.5f, 5), y, y + h, lit);
  const float cx = x + w / 2, cy = y + 13.5f;
  const Shape play = Polygon({{cx - 3.5f, cy - 5.5f}, {cx - 3.5f, cy + 5.5f}, {cx + 5.5f, cy}});
  const Shape led = RoundedBox(cx - 5, y + h - 9, cx + 5, y + h - 6, 1.5f);
  if (lit) {
    p.Glow(play, WithAlpha(palette::kLitText, 0.3f), 3);
    p.Fill(play, palette::kLitText);
    p.Glow(led, WithAlpha(palette::kAccent, 0.6f), 3);
    p.Fill(led, Rgb(0xc8f6ff));
  } else {
    p.Fill(play, palette::kUnlitText);
    p.Fill(led, Rgb(0x0b0e13));
  }
}

void PaintReferenceButtons(Painter& p) {
  ReferenceButtonFaces(p, 0, 0, true);
}

void PaintPlayButton(Painter& p) {
  PlayButtonFace(p, 0, 0, true);
}

// "By Volume" and "By Freq": how tones start and stop.
void PaintFadeStartSwitch(Painter& p) {
  // Shortened to fit; "By Vol" also keeps it apart from the "Volume" knob below.
  const char* const values[] = {"By Vol", "By Freq"};
  for (int f = 0; f < 2; ++f) {
    // Narrower than the frame, to keep clear of the ear caption beside it.
    ButtonFace(p, FrameBox(p, 2, f, 2.5f), 0, float(p.Height()), false);
    p.Text(values[f], FaceStyle(10, palette::kAccent), int(FrameLeft(p, 2, f)), 3, p.Width() / 2);
  }
}

// "No", "Yes", "Yes & up/down".
void PaintLinkSwitch(Painter& p) {
  for (int f = 0; f < 3; ++f) {
    const bool lit = f > 0;
    ButtonFace(p, FrameBox(p, 3, f), 0, float(p.Height()), lit);
    const float left = FrameLeft(p, 3, f);
    const Colour ink = lit ? palette::kLitText : palette::kUnlitText;
    const int w = p.Width() / 3;
    p.Text(f == 0 ? "No" : "Yes", FaceStyle(10, ink), int(left) - (f == 2 ? 3 : 0), 4, w);
    if (f == 2) {
      Arrow(p, left + 23.5f, 6.0f, true, ink);
      Arrow(p, left + 23.5f, 12.5f, false, ink);
    }
  }
}

// "Linear", "Pink noise", "Decrease by 4.5dB", "Brownian noise": the level
// over four octaves, flat or falling by 3, 4.5 or 6 dB an octave.
void PaintEqualizerSwitch(Painter& p) {
  const float slopes[] = {0.0f, 3.0f, 4.5f, 6.0f};  // dB per octave
  const float h = float(p.Height());
  for (int f = 0; f < 4; ++f) {
    const bool lit = f > 0;
    ButtonFace(p, FrameBox(p, 4, f), 0, h, lit);
    const float left = FrameLeft(p, 4, f) + 5, right = left + 23;
    const float pixelsPerDb = 9.0f / 24.0f, middle = h * 0.5f;
    const float rise = slopes[f] * 2 * pixelsPerDb;  // two octaves either side of the middle
    const Shape curve = Segment({left, middle - rise}, {right, middle + rise}, 0.8f);
    if (lit) p.Glow(curve, WithAlpha(palette::kLitText, 0.25f), 2);
    p.Fill(curve, lit ? palette::kLitText : palette::kUnlitText);
  }
}

// "Right", "Left", "Center Right", "Center Left", "Null": where the lower
// tone (ring) and the higher tone (lit dot) of each pair sit between the ears.
void PaintPanSwitch(Painter& p) {
  const float w = float(p.Width() / 5), cy = float(p.Height()) * 0.5f;
  struct Placement {
    float lower, higher;  // across the frame, 0..1; equal for no beat
  };
  const Placement placements[] = {{0.08f, 0.92f}, {0.92f, 0.08f}, {0.38f, 0.62f}, {0.62f, 0.38f}, {0.5f, 0.5f}};
  for (int f = 0; f < 5; ++f) {
    const float left = w * float(f);
    p.Fill(Segment({left + 4, cy}, {left + w - 4, cy}, 0.5f), palette::kWellEdge);
    p.Fill(Circle(left + w * 0.5f, cy, 1.0f), palette::kCaptionDim);
    const Placement& at = placements[f];
    if (at.lower == at.higher) {
      p.Fill(Ring(left + w * at.lower, cy, 2.8f, 0.7f), palette::kCaption);
      continue;
    }
    p.Fill(Ring(left + w * at.lower, cy, 2.6f, 0.7f), palette::kCaption);
    const Shape dot = Circle(left + w * at.higher, cy, 3.2f);
    p.Glow(dot, WithAlpha(palette::kAccent, 0.5f), 2);
    p.Fill(dot, palette::kAccent);
  }
}

}  // namespace imagegen
