// The editor as built by the plug-in: controls at their places, bound to their
// parameters, and what a person sees after clicks, drags and moves of the mouse.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "controls/bitmap_control.h"
#include "controls/button.h"
#include "controls/knob_rot_val.h"
#include "controls/radio_buttons.h"
#include "controls/slider_img.h"
#include "controls/switch_lbl.h"
#include "controls/text_control.h"
#include "controls/url_open.h"
#include "editor_fixture.h"
#include "editor_probe.h"
#include "notes.h"
#include "parameter_ids.h"
#include "phase.h"
#include "snapshot_script.h"
#include "stereo_pulse_weaver.h"

namespace {

using spwsnapshot::EditorSession;
using spwsnapshot::SnapshotAction;

class EditorLayout : public EditorFixture {};

template <class T>
bool Is(IControl& control) {
  return dynamic_cast<T*>(&control) != nullptr;
}

TEST_F(EditorLayout, TwentyTwoControlsAtTheirPlacesWithTheirParameters) {
  struct Row {
    bool (*kind)(IControl&);
    IArea rect;
    int param;
  };
  const Row rows[] = {
      {Is<IBitmapControl>, {0, 0, 520, 402}, -1},     {Is<ITextControl>, {50, 12, 95, 30}, -1},
      {Is<IURLOpen>, {151, 6, 343, 53}, -1},          {Is<ITextControl>, {147, 57, 347, 75}, -1},
      {Is<ITextControl>, {12, 242, 98, 257}, -1},     {Is<ITextControl>, {273, 200, 357, 215}, -1},
      {Is<ITextControl>, {259, 160, 323, 175}, -1},   {Is<ITextControl>, {424, 160, 488, 175}, -1},
      {Is<IBitmapControl>, {288, 98, 463, 153}, -1},  {Is<IRadioButtons>, {27, 86, 195, 110}, 2},
      {Is<IKnobRotVal>, {64, 122, 156, 226}, 1},      {Is<IKnobRotVal>, {64, 122, 156, 226}, 0},
      {Is<IButton>, {166, 152, 192, 186}, 3},         {Is<ISwitchLbl>, {209, 153, 259, 171}, 9},
      {Is<IKnobRotVal>, {210, 100, 258, 154}, 8},     {Is<IKnobRotVal>, {210, 194, 258, 254}, 10},
      {Is<ISliderImg>, {466, 97, 476, 149}, 4},       {Is<ISwitchLbl>, {109, 234, 138, 253}, 6},
      {Is<ISwitchLbl>, {148, 238, 181, 255}, 7},      {Is<ISwitchLbl>, {335, 231, 413, 240}, 5},
      {Is<PHASE>, {479, 238, 508, 255}, -1},          {Is<NOTES>, {12, 263, 508, 388}, -1},
  };
  ASSERT_EQ(session.Graphics().ControlCount(), int(std::size(rows)));
  for (int i = 0; i < int(std::size(rows)); ++i) {
    SCOPED_TRACE("control " + std::to_string(i));
    EXPECT_TRUE(rows[i].kind(Control(i)));
    EXPECT_TRUE(Control(i).Rect() == rows[i].rect);
    EXPECT_EQ(Control(i).ParamIdx(), rows[i].param);
  }
  // One of the two frequency knobs shows: "Binaural" while "Reference" is "Base Freq".
  EXPECT_TRUE(Control(10).IsHidden());
  EXPECT_FALSE(Control(11).IsHidden());
  EXPECT_TRUE(session.Graphics().MouseOverEnabled());
  EXPECT_EQ(session.Graphics().PopupHighlight(), IRgba(75, 20, 180, 220));
}

TEST_F(EditorLayout, TheFrequencyKnobEditsTheFrequencyThatIsNotTheReference) {
  const double beat = Value(kBinaural), carrier = Value(kBaseFreq);
  Script({"--drag", "110,168,0,-30"});
  EXPECT_GT(Value(kBinaural), beat);
  EXPECT_EQ(Value(kBaseFreq), carrier);

  Script({"--click", "160,98"});  // the "Binaural Freq" button
  ASSERT_EQ(Value(kReference), 1.0);
  EXPECT_TRUE(Control(11).IsHidden());
  const double edited = Value(kBinaural);
  Script({"--drag", "110,168,0,20"});
  EXPECT_LT(Value(kBaseFreq), carrier);
  EXPECT_EQ(Value(kBinaural), edited);
}

TEST_F(EditorLayout, ClicksStepTheLinkSwitchAndWrap) {
  ASSERT_EQ(Value(kLinkFreq), 1.0);  // "Yes"
  for (double expected : {2.0, 0.0, 1.0}) {
    Script({"--click", "123,243"});
    EXPECT_EQ(Value(kLinkFreq), expected);
  }
}

TEST_F(EditorLayout, EachControlChangesItsParameterAndItsPicture) {
  struct Case {
    std::vector<std::string> args;
    int param;
    double expected;  // the parameter's value afterwards, own units
    Box picture;      // where the change shows
  };
  const Case cases[] = {
      {{"--click", "179,169"}, kPlayAnyway, 1, {166, 152, 192, 186}},      // lights up
      {{"--click", "234,162"}, kStartStopFade, 1, {209, 153, 259, 171}},   // "By Freq"
      {{"--click", "164,246"}, kFreqEqualizer, 2, {148, 238, 181, 255}},   // "Decrease by 4.5dB"
      {{"--click", "374,235"}, kBinauralPan, 3, {335, 231, 413, 240}},     // "Center Left"
      {{"--drag", "471,136,0,-26"}, kWave, 6, {288, 98, 476, 153}},       // handle and picture
      {{"--wheel", "234,218,5"}, kVolume, 80, {210, 194, 258, 242}},       // the knob turns
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    std::vector<uint32_t> before;
    for (int y = c.picture.top; y < c.picture.bottom; ++y) {
      for (int x = c.picture.left; x < c.picture.right; ++x) before.push_back(SurfacePixel(session, x, y));
    }
    Script(c.args);
    EXPECT_EQ(Value(c.param), c.expected);
    int changed = 0, i = 0;
    for (int y = c.picture.top; y < c.picture.bottom; ++y) {
      for (int x = c.picture.left; x < c.picture.right; ++x) changed += SurfacePixel(session, x, y) != before[size_t(i++)];
    }
    EXPECT_GT(changed, 20);
  }
}

TEST_F(EditorLayout, TheWavePictureShowsTheFrameOfTheWave) {
  const RasterBitmap& waves = *session.Graphics().CachedImage(spw_editor::kImageWaves);
  const int frameHeight = waves.Height() / 7;
  for (const char* wave : {"Saw", "Gold. Square", "Sine"}) {
    Script({"--set", std::string("Wave=") + wave});
    const int frame = int(Value(kWave));
    int differing = 0;
    for (int y = 0; y < frameHeight; ++y) {
      for (int x = 0; x < waves.Width(); ++x) {
        differing += SurfacePixel(session, 288 + x, 98 + y) != waves.Row(frame * frameHeight + y)[x];
      }
    }
    EXPECT_EQ(differing, 0) << wave;
  }
}

TEST_F(EditorLayout, VersionCaptionsAndStatusLineAreDrawnWhereTheyBelong) {
  EXPECT_EQ(Text(1), "v1.1 i");
  EXPECT_GT(InkIn(session, {50, 12, 95, 30}), 20);
  EXPECT_GT(InkIn(session, {259, 160, 323, 175}), 20);  // the left ear's frequency
  EXPECT_GT(InkIn(session, {12, 242, 98, 257}), 20);    // "base freq"
  EXPECT_EQ(Text(4), "base freq");

  const Box status = {147, 57, 347, 75};
  ASSERT_EQ(Text(3), "Fade when freq. change: 1.00s");  // the first block applies "Fade" again
  const int before = ChangedIn(session, status);
  Script({"--hover", "234,218"});  // the "Volume" knob
  EXPECT_EQ(Text(3), "Volume amount: 75%");
  EXPECT_GT(InkIn(session, status), 40);
  EXPECT_NE(ChangedIn(session, status), before);
}

TEST_F(EditorLayout, KnobsAndSwitchesDrawNoValueLabels) {
  Script({"--set", "Fade=12.5", "--set", "Volume=40", "--set", "Binaural Pan=Left", "--blocks", "2"});
  // The strips below each knob (the "Start/stop Fade" switch begins at 153).
  for (const Box& label : {Box{64, 214, 156, 226}, Box{210, 148, 258, 153}, Box{210, 242, 258, 254}}) {
    EXPECT_EQ(ChangedIn(session, label), 0) << label.left << "," << label.top;
  }
  EXPECT_GT(ChangedIn(session, {335, 231, 413, 240}), 0);  // the pan switch shows its frame
}

}  // namespace
