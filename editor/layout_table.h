#pragma once
// The editor's layout as data: one row per control, in attachment order (the
// row's position is the control's index, which is also its drawing order,
// later on top; each row names its index, and the build checks the order).
// Rows name their parameters by identifier. The layout builder walks the rows;
// the image generator reads the same rows to draw every static caption and
// well where its control sits.

#include "editor_images.h"
#include "parameter_ids.h"

namespace spw_editor {

constexpr int kEditorWidth = 520;   // pixels
constexpr int kEditorHeight = 402;

constexpr bool InsideEditor(int x, int y) { return x >= 0 && y >= 0 && x < kEditorWidth && y < kEditorHeight; }

enum ControlIndex : int {
  kBackgroundControl = 0,
  kVersionCaption,
  kTitleLink,
  kStatusLineControl,
  kReferenceCaptionControl,
  kBandCaptionControl,
  kLeftEarCaptionControl,
  kRightEarCaptionControl,
  kWaveDisplayControl,
  kReferenceButtons,
  kBaseFreqKnob,
  kBinauralKnob,
  kPlayAnywayButton,
  kStartStopFadeSwitch,
  kFadeKnob,
  kVolumeKnob,
  kWaveSlider,
  kLinkFreqSwitch,
  kFreqEqualizerSwitch,
  kBinauralPanSwitch,
  kPhaseSyncControl,
  kSlotPanelControl,
  kLayoutRows
};

enum class ControlKind : unsigned char {
  Background,    // the background picture
  Text,          // a text line
  TitleLink,     // opens the product's web page
  Picture,       // a picture showing one frame per value (the wave shapes)
  RadioButtons,  // one lit button of several, from one image
  Knob,          // a split knob turning over its base
  Button,        // a lit image over the background while on
  Switch,        // steps through the frames of its image, one per value
  Slider,        // a handle travelling along a track
  PhaseSync,     // the plug-in's own controls, added with the slot panel
  SlotPanel,
};

enum class TextStyleId : unsigned char {
  None,
  Version,           // Verdana 13, white at alpha 100, left
  Status,            // Arial 14, white at alpha 160, centred
  Caption15Centred,  // Arial 15, white at alpha 200
  Caption15Left,
  Caption14Right,    // Arial 14, white at alpha 200
  Caption14Left,
};

constexpr int kNoParameter = -1;

struct ControlRow {
  ControlIndex index;  // the row's own position, checked below
  ControlKind kind;
  int param;           // bound parameter (parameter_ids.h), kNoParameter = none
  int x, y;            // top-left corner; a knob's centre
  int right, bottom;   // controls placed by rectangle; 0 where the image gives the size
  int image;           // resource id, 0 = none
  TextStyleId style;
  float hoverWeight;   // how much a hovered control dims or lights (0..1)
  int labelOffset;     // knobs: room below the knob; switches: the gap above the label
  int widthOverride;   // switches: the width the frame is centred in; 0 = the frame's own
  int travel;          // slider: pixels of track
};

// Rotation and drag of every knob: 300 degrees of travel, four screen heights
// of drag for the whole range.
constexpr double kKnobRangeDegrees = 300.0;
constexpr double kKnobGearing = 4.0;

inline constexpr ControlRow kLayout[kLayoutRows] = {
    {kBackgroundControl, ControlKind::Background, kNoParameter, 0, 0, 0, 0, kImageBackground, TextStyleId::None, 0.0f, 0, 0, 0},
    {kVersionCaption, ControlKind::Text, kNoParameter, 50, 12, 95, 30, 0, TextStyleId::Version, 0.0f, 0, 0, 0},
    {kTitleLink, ControlKind::TitleLink, kNoParameter, 151, 6, 343, 53, 0, TextStyleId::None, 0.0f, 0, 0, 0},
    {kStatusLineControl, ControlKind::Text, kNoParameter, 147, 57, 347, 75, 0, TextStyleId::Status, 0.0f, 0, 0, 0},
    {kReferenceCaptionControl, ControlKind::Text, kNoParameter, 12, 242, 98, 257, 0, TextStyleId::Caption15Centred, 0.0f, 0, 0, 0},
    {kBandCaptionControl, ControlKind::Text, kNoParameter, 273, 200, 357, 215, 0, TextStyleId::Caption15Left, 0.0f, 0, 0, 0},
    {kLeftEarCaptionControl, ControlKind::Text, kNoParameter, 259, 160, 323, 175, 0, TextStyleId::Caption14Right, 0.0f, 0, 0, 0},
    {kRightEarCaptionControl, ControlKind::Text, kNoParameter, 424, 160, 488, 175, 0, TextStyleId::Caption14Left, 0.0f, 0, 0, 0},
    {kWaveDisplayControl, ControlKind::Picture, kNoParameter, 288, 98, 0, 0, kImageWaves, TextStyleId::None, 0.0f, 0, 0, 0},
    {kReferenceButtons, ControlKind::RadioButtons, kReference, 27, 86, 0, 0, kImageReferenceButtons, TextStyleId::None, 0.2f, 0, 0, 0},
    {kBaseFreqKnob, ControlKind::Knob, kBaseFreq, 110, 168, 0, 0, kImageFrequencyKnob, TextStyleId::None, 0.15f, 12, 0, 0},
    {kBinauralKnob, ControlKind::Knob, kBinaural, 110, 168, 0, 0, kImageFrequencyKnob, TextStyleId::None, 0.15f, 12, 0, 0},
    {kPlayAnywayButton, ControlKind::Button, kPlayAnyway, 166, 152, 0, 0, kImagePlayButton, TextStyleId::None, 0.1f, 0, 0, 0},
    {kStartStopFadeSwitch, ControlKind::Switch, kStartStopFade, 209, 153, 0, 0, kImageFadeStartSwitch, TextStyleId::None, 0.2f, 0, 50, 0},
    {kFadeKnob, ControlKind::Knob, kFade, 234, 124, 0, 0, kImageFadeKnob, TextStyleId::None, 0.2f, 6, 0, 0},
    {kVolumeKnob, ControlKind::Knob, kVolume, 234, 218, 0, 0, kImageVolumeKnob, TextStyleId::None, 0.2f, 12, 0, 0},
    {kWaveSlider, ControlKind::Slider, kWave, 466, 97, 476, 149, kImageWaveHandle, TextStyleId::None, 0.2f, 0, 0, 52},
    {kLinkFreqSwitch, ControlKind::Switch, kLinkFreq, 109, 234, 0, 0, kImageLinkSwitch, TextStyleId::None, 0.2f, 0, 29, 0},
    {kFreqEqualizerSwitch, ControlKind::Switch, kFreqEqualizer, 148, 238, 0, 0, kImageEqualizerSwitch, TextStyleId::None, 0.2f, 0, 33, 0},
    {kBinauralPanSwitch, ControlKind::Switch, kBinauralPan, 335, 231, 0, 0, kImagePanSwitch, TextStyleId::None, 0.2f, 0, 78, 0},
    {kPhaseSyncControl, ControlKind::PhaseSync, kNoParameter, 479, 238, 508, 255, kImagePhaseSyncButton, TextStyleId::None, 0.0f, 0, 0, 0},
    {kSlotPanelControl, ControlKind::SlotPanel, kNoParameter, 12, 263, 508, 388, 0, TextStyleId::None, 0.0f, 0, 0, 0},
};

// Every row sits at the index it names, so the order cannot drift from ControlIndex.
constexpr bool LayoutRowsInOrder() {
  for (int i = 0; i < kLayoutRows; ++i) {
    if (kLayout[i].index != i) return false;
  }
  return true;
}
static_assert(LayoutRowsInOrder(), "kLayout rows must be in ControlIndex order");

}  // namespace spw_editor
