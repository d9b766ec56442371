// The background: the window, the title, the decks the controls sit on, the
// wells the texts and pictures appear in, every static caption, and the unlit
// faces of the buttons that light up over it.

#include <cmath>
#include <vector>

#include "images.h"
#include "theme.h"

namespace imagegen {
namespace {

using namespace spw_editor;

constexpr float kDeckLeft = 8, kDeckRight = 512;  // pixels, both decks
constexpr float kUpperDeckTop = 80, kUpperDeckBottom = 259;
constexpr float kSeparatorX = 204.5f;              // between the frequency and the fade controls

float CentreX(const RasterRect& r) { return float(r.x) + float(r.w) * 0.5f; }

// Caption centred over (or under) a control: y is the caption's top.
void CaptionAt(Painter& p, const char* text, float centreX, int y, const TextStyle& style = CaptionStyle()) {
  p.Text(text, style, int(std::lround(centreX)) - 60, y, 120);
}

void PaintWindow(Painter& p) {
  const float w = kEditorWidth, h = kEditorHeight;
  p.Fill(RoundedBox(0, 0, w, h, 0), Vertical(0, h, palette::kWindowTop, palette::kWindowBottom));
  p.Fill(RoundedBox(0, 0, w, 1, 0), Rgb(0xffffff, 0.06f));
}

// Two slightly different waves drifting in and out of step: the product's idea.
void PaintHeaderWaves(Painter& p) {
  const float middle = 31, amplitude = 7;
  for (float period : {64.0f, 71.0f}) {
    std::vector<Point> points;
    for (float x = 0; x <= kEditorWidth; x += 1) {
      points.push_back({x, middle + amplitude * std::sin(x / period * 2 * 3.14159265f)});
    }
    p.Fill(Polyline(points, 0.7f), WithAlpha(palette::kAccent, 0.07f));
  }
}

void PaintTitle(Painter& p) {
  const RasterRect area = RowRect(kTitleLink);
  TextStyle light;
  light.height = 23;
  light.colour = palette::kCaption;
  TextStyle bold = light;
  bold.bold = true;
  bold.colour = palette::kLitText;
  const int first = p.TextWidth("stereo", light), whole = first + p.TextWidth("PulseWeaver", bold);
  const int left = area.x + (area.w - whole) / 2;
  p.Text("stereo", light, left, area.y + 6, first);
  p.Text("PulseWeaver", bold, left + first, area.y + 6, whole);
  TextStyle tagline = CaptionStyle();
  tagline.height = 9;
  tagline.tracking = 2.6f;
  tagline.colour = palette::kCaptionDim;
  p.Text("BINAURAL BEATS", tagline, area.x, area.y + 33, area.w);
  TextStyle maker = tagline;
  maker.align = Align::Right;
  p.Text("ORVANTI", maker, 300, 14, 198);
}

void PaintStatusWell(Painter& p) {
  const RasterRect r = RowRect(kStatusLineControl);
  Well(p, float(r.x) - 1, float(r.y) - 2, float(r.x + r.w) + 1, float(r.y + r.h) + 3, 5);
}

void PaintUpperDeck(Painter& p) {
  const Shape deck = RoundedBox(kDeckLeft, kUpperDeckTop, kDeckRight, kUpperDeckBottom, 7);
  p.Shadow(deck, 0, 2, 4, palette::kShadow);
  p.Fill(deck, palette::kDeckEdge);
  p.Fill(Inset(deck, 1), Vertical(kUpperDeckTop, kUpperDeckBottom, palette::kDeckTop, palette::kDeckBottom));
  p.Fill(Intersect(Inset(deck, 1), RoundedBox(0, kUpperDeckTop + 1, kEditorWidth, kUpperDeckTop + 2, 0)),
         Rgb(0xffffff, 0.05f));
  // An engraved line between the frequency controls and the fade controls.
  p.Fill(Segment({kSeparatorX, kUpperDeckTop + 10}, {kSeparatorX, kUpperDeckBottom - 10}, 0.5f), Rgb(0x0b0e14));
  p.Fill(Segment({kSeparatorX + 1, kUpperDeckTop + 10}, {kSeparatorX + 1, kUpperDeckBottom - 10}, 0.5f),
         Rgb(0xffffff, 0.04f));
}

void PaintFrequencySection(Painter& p) {
  const RasterRect buttons = FramePlace(kReferenceButtons);
  ReferenceButtonFaces(p, float(buttons.x), float(buttons.y), false);
  const RasterRect knob = FramePlace(kBaseFreqKnob);
  // A soft pool of light under the knob.
  p.Fill(Circle(CentreX(knob), float(knob.y) + float(knob.h) * 0.5f, float(knob.w) * 0.5f),
         Radial(CentreX(knob), float(knob.y) + float(knob.h) * 0.5f, float(knob.w) * 0.5f, Rgb(0x2a3342, 0.55f),
                Rgb(0x2a3342, 0.0f)));
  CaptionAt(p, "Frequency", CentreX(knob), buttons.y + buttons.h + 2);

  const RasterRect play = FramePlace(kPlayAnywayButton);
  PlayButtonFace(p, float(play.x), float(play.y), false);
  CaptionAt(p, "Play", CentreX(play), play.y - 25);
  CaptionAt(p, "anyway", CentreX(play), play.y - 14);

  const RasterRect reference = RowRect(kReferenceCaptionControl);
  CaptionAt(p, "Slots carry", CentreX(reference), reference.y - 13, HintStyle());
  // Two switches close together: plainer captions so that they stay apart.
  TextStyle tight = CaptionStyle();
  tight.tracking = 0;
  const RasterRect link = FramePlace(kLinkFreqSwitch), equalizer = FramePlace(kFreqEqualizerSwitch);
  CaptionAt(p, "Link", CentreX(link), link.y - 12, tight);
  CaptionAt(p, "Equalizer", CentreX(equalizer), equalizer.y - 12, tight);
}

void PaintFadeSection(Painter& p) {
  const RasterRect fade = FramePlace(kFadeKnob), volume = FramePlace(kVolumeKnob);
  const RasterRect start = FramePlace(kStartStopFadeSwitch);
  CaptionAt(p, "Fade", CentreX(fade), fade.y - 13);
  TextStyle small = CaptionStyle();
  small.height = 9;
  CaptionAt(p, "Start/stop", CentreX(start), start.y + start.h + 2, small);
  CaptionAt(p, "fade", CentreX(start), start.y + start.h + 11, small);
  CaptionAt(p, "Volume", CentreX(volume), volume.y + volume.h + 2);
}

void PaintWaveSection(Painter& p) {
  const RasterRect screen = FramePlace(kWaveDisplayControl);
  p.Text("Wave", CaptionStyle(Align::Left), screen.x, screen.y - 13, 100);
  Well(p, float(screen.x) - 2, float(screen.y) - 2, float(screen.x + screen.w) + 2, float(screen.y + screen.h) + 2,
       3);
  Groove(p, RowRect(kWaveSlider));
}

void PaintHeadphones(Painter& p, float cx, float cy) {
  const Colour ink = palette::kCaptionDim;
  p.Fill(Intersect(Ring(cx, cy + 1, 8, 0.8f), RoundedBox(cx - 20, cy - 20, cx + 20, cy + 1, 0)), ink);
  for (float side : {-1.0f, 1.0f}) {
    const float x = cx + side * 8;
    p.Fill(RoundedBox(x - 2.2f, cy - 1, x + 2.2f, cy + 7, 1.5f), ink);
  }
}

void PaintEarSection(Painter& p) {
  const RasterRect left = RowRect(kLeftEarCaptionControl), right = RowRect(kRightEarCaptionControl);
  const float middle = (float(left.x + left.w) + float(right.x)) * 0.5f;
  PaintHeadphones(p, middle, float(left.y) + 6);
  TextStyle ear = CaptionStyle();
  CaptionAt(p, "L", middle - 22, left.y + 2, ear);
  CaptionAt(p, "R", middle + 22, left.y + 2, ear);
  const RasterRect band = RowRect(kBandCaptionControl);
  p.Text("Brainwave band", HintStyle(Align::Left), band.x, band.y - 13, 120);
}

void PaintPanSection(Painter& p) {
  const RasterRect pan = FramePlace(kBinauralPanSwitch);
  CaptionAt(p, "Binaural pan", CentreX(pan), pan.y - 13);
  p.Text("L", CaptionStyle(Align::Right), pan.x - 20, pan.y - 1, 16);
  p.Text("R", CaptionStyle(Align::Left), pan.x + pan.w + 4, pan.y - 1, 16);
}

void PaintToneCount(Painter& p) {
  const RasterRect r = RowRect(kPhaseSyncControl);
  Well(p, float(r.x) - 1, float(r.y) - 1, float(r.x + r.w) + 1, float(r.y + r.h) + 1, 4);
  p.Text("Tones", CaptionStyle(Align::Right), r.x - 46, r.y + 3, 41);
}

void PaintSlotWell(Painter& p) {
  const RasterRect r = RowRect(kSlotPanelControl);
  Well(p, float(r.x) - 1, float(r.y) - 1, float(r.x + r.w) + 1, float(r.y + r.h) + 1, 6);
  // The thumb's track along the right edge.
  const RasterRect thumb = {r.x + r.w - 14, r.y + 1, 10, r.h - 2};
  p.Fill(RoundedBox(float(thumb.x), float(thumb.y), float(thumb.x + thumb.w), float(thumb.y + thumb.h), 4),
         Rgb(0x121720));
  TextStyle hint = HintStyle();
  hint.height = 10;
  p.Text("Click a cell to add a tone, right-click it to remove the tone, scroll for more octaves", hint, 0,
         r.y + r.h + 2, kEditorWidth);
}

}  // namespace

void PaintBackground(Painter& p) {
  PaintWindow(p);
  PaintHeaderWaves(p);
  PaintLogo(p, 29, 21, 0.8f);
  PaintTitle(p);
  PaintStatusWell(p);
  PaintUpperDeck(p);
  p.Dither({0, 0, kEditorWidth, kEditorHeight}, 1.0f);
  PaintFrequencySection(p);
  PaintFadeSection(p);
  PaintWaveSection(p);
  PaintEarSection(p);
  PaintPanSection(p);
  PaintToneCount(p);
  PaintSlotWell(p);
}

}  // namespace imagegen
