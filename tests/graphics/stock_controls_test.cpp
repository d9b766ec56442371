// The stock controls: how presses, drags and the wheel change their values, and what they draw.
#include <gtest/gtest.h>

#include <cstring>

#include "bitmap_control.h"
#include "button.h"
#include "editable_text_control.h"
#include "graphics_rig.h"
#include "knob_rot_val.h"
#include "product_web_page.h"
#include "radio_buttons.h"
#include "slider_img.h"
#include "switch_lbl.h"
#include "text_control.h"
#include "url_open.h"

namespace {
const ITextStyle kNoLabel("Arial", 0, IRgba());

IMouseKeys Keys(bool left, bool shift = false, bool control = false) {
  IMouseKeys keys;
  keys.left = left;
  keys.right = !left;
  keys.shift = shift;
  keys.control = control;
  return keys;
}

// A rig whose background is black and attached, so controls added later get values only when pushed.
struct DrawRig : Rig {
  DrawRig() {
    gfx->AddControl(new IBitmapControl(&plug, 0, 0, -1, Image(Frames(100, 80, {kBlack}, true), 1)));
    Attach();
  }
  template <class C>
  C* Add(C* control) {
    gfx->AddControl(control);
    plug.PushAllParametersToEditor();
    gfx->Draw(IArea(0, 0, 100, 80));
    return control;
  }
  void Redraw() { gfx->Draw(IArea(0, 0, 100, 80)); }
};
}  // namespace

TEST(StockControls, ASwitchStepsThroughItsFramesAndWrapsToTheFirst) {
  struct Case {
    int frames;
    double values[4];
  };
  for (const Case c : {Case{3, {0.5, 1.0, 0.0, 0.5}}, Case{2, {1.0, 0.0, 1.0, 0.0}}, Case{1, {1.0, 0.0, 1.0, 0.0}},
                       Case{5, {0.25, 0.5, 0.75, 1.0}}}) {
    DrawRig rig;
    const std::vector<uint32_t> colours(static_cast<size_t>(c.frames), kRed);
    auto* sw = rig.Add(new ISwitchLbl(&rig.plug, kMode, 10, 10, rig.Image(Frames(8, 8, colours, false), c.frames),
                                      kNoLabel, 0, 0, true, 0.2f));
    for (double expected : c.values) {
      rig.Click(12, 12);
      EXPECT_DOUBLE_EQ(sw->Value(), expected) << c.frames << " frames";
    }
  }
}

TEST(StockControls, ASwitchShowsTheFrameOfItsValueCentredInItsWidth) {
  DrawRig rig;
  auto* sw = rig.Add(new ISwitchLbl(&rig.plug, kMode, 10, 10,
                                    rig.Image(Frames(6, 8, {kRed, kGreen, kBlue}, false), 3), kNoLabel, 0, 20, true,
                                    0.2f));
  EXPECT_EQ(sw->Rect(), IArea(10, 10, 30, 18));
  rig.plug.ParamAt(kMode)->SetValue(1);
  rig.plug.PushAllParametersToEditor();
  rig.Redraw();
  EXPECT_EQ(rig.Pixel(17, 12), kGreen) << "the frame starts at 10 + (20 - 6) / 2";
  EXPECT_EQ(rig.Pixel(22, 17), kGreen);
  EXPECT_EQ(rig.Pixel(16, 12), kBlack);
  EXPECT_EQ(rig.Pixel(23, 12), kBlack);
}

TEST(StockControls, RadioButtonsSelectTheButtonUnderTheMouseAndLightOnlyIt) {
  struct Case {
    bool vertical;
    std::vector<int> boundaries;
    int pressAt;  // along the control
    double value;
  };
  const Case cases[] = {
      {false, {}, 3, 0.0},       {false, {}, 12, 0.5},     {false, {}, 29, 1.0},   {false, {0}, 20, 1.0},
      {true, {}, 15, 0.5},       {false, {4, 25}, 3, 0.0}, {false, {4, 25}, 4, 0.5}, {false, {4, 25}, 26, 1.0},
  };
  for (const Case& c : cases) {
    DrawRig rig;
    const IImage lit = rig.Image(Frames(10, 10, {kRed, kGreen, kBlue}, c.vertical), 3);
    const IArea rect = c.vertical ? IArea(20, 20, 30, 50) : IArea(20, 20, 50, 30);
    auto* radio = rig.Add(new IRadioButtons(&rig.plug, rect, kMode, lit, 0.2f, c.vertical, c.boundaries));
    rig.Click(c.vertical ? 25 : 20 + c.pressAt, c.vertical ? 20 + c.pressAt : 25);
    EXPECT_DOUBLE_EQ(radio->Value(), c.value) << c.pressAt;
    EXPECT_DOUBLE_EQ(rig.plug.ParamAt(kMode)->Value(), c.value * 2) << c.pressAt;
  }
  DrawRig rig;
  const IImage lit = rig.Image(Frames(10, 10, {kRed, kGreen, kBlue}, false), 3);
  auto* radio = rig.Add(new IRadioButtons(&rig.plug, IArea(20, 20, 50, 30), kMode, lit, 0.2f, false));
  rig.Click(45, 25);
  rig.gfx->MouseDown(45, 25, Keys(false));  // a right press changes nothing
  rig.gfx->MouseUp(45, 25, Keys(false));
  rig.Redraw();
  EXPECT_DOUBLE_EQ(radio->Value(), 1.0);
  EXPECT_EQ(rig.Pixel(45, 25), kBlue);
  EXPECT_EQ(rig.Pixel(25, 25), kBlack);
  EXPECT_EQ(rig.Pixel(35, 25), kBlack);
}

TEST(StockControls, AKnobFollowsTheDragAndSnapsToItsStepsOnlyOnRelease) {
  DrawRig rig;
  IKnobRotVal::Look look;
  look.steps = 4;
  look.gearing = 1.0;
  auto* knob = rig.Add(new IKnobRotVal(&rig.plug, kGain, 40, 40, rig.Image(Frames(20, 20, {kRed}, true), 1), look));
  ASSERT_EQ(knob->Rect(), IArea(30, 30, 50, 50));
  const double start = knob->Value();
  rig.gfx->MouseDown(40, 40, Keys(true));
  rig.gfx->MouseDrag(40, 34, Keys(true));  // 6 pixels up over a 20 pixel knob
  EXPECT_NEAR(knob->Value(), start + 0.3, 1e-12) << "not snapped while dragging";
  rig.gfx->MouseDrag(40, 14, Keys(true, true));  // 20 more up with Shift: ten times finer
  EXPECT_NEAR(knob->Value(), start + 0.4, 1e-12);
  rig.gfx->MouseUp(40, 14, Keys(true));
  EXPECT_NEAR(knob->Value(), 1.0 / 3.0, 1e-12);
  EXPECT_NEAR(rig.plug.ParamAt(kGain)->Value(), 10.0 / 3.0, 1e-12);

  rig.gfx->MouseDown(40, 40, Keys(true));
  rig.gfx->MouseDrag(40, 90, Keys(true));  // far down: held at 0
  EXPECT_EQ(knob->Value(), 0.0);
  rig.gfx->MouseUp(40, 90, Keys(true));
  EXPECT_EQ(rig.plug.Log(), "B0 P0 P0 P0 E0 B0 P0 P0 E0");
}

TEST(StockControls, ASliderTakesItsValueFromThePressAndDrawsItsHandleAtTheParameterValue) {
  DrawRig rig;
  // Vertical, travel 50, handle 10 x 10: the handle's top runs from 60 (value 0) to 20 (value 1).
  auto* slider = rig.Add(new ISliderImg(&rig.plug, kGain, IArea(40, 20, 50, 70),
                                        rig.Image(Frames(10, 10, {kWhite}, true), 1), kNoLabel, 50, false, 0.2f));
  EXPECT_EQ(slider->Track(), IArea(40, 20, 50, 70));
  rig.gfx->MouseDown(45, 25, Keys(true));  // handle centre at 25: the top
  EXPECT_DOUBLE_EQ(slider->Value(), 1.0);
  rig.gfx->MouseDrag(45, 45, Keys(true));
  EXPECT_DOUBLE_EQ(slider->Value(), 0.5);
  rig.gfx->MouseUp(45, 45, Keys(true));
  rig.gfx->MouseDrag(45, 65, Keys(true));
  EXPECT_DOUBLE_EQ(slider->Value(), 0.5) << "no drag after the release";
  rig.Redraw();
  EXPECT_EQ(rig.Pixel(45, 40), kWhite);
  EXPECT_EQ(rig.Pixel(45, 49), kWhite);
  EXPECT_EQ(rig.Pixel(45, 39), kBlack);
  EXPECT_EQ(rig.Pixel(45, 50), kBlack);

  // The handle follows the parameter even when the control has not heard of it.
  rig.plug.ParamAt(kGain)->SetValue(0.0);
  rig.Redraw();
  EXPECT_EQ(rig.Pixel(45, 65), kWhite);
  EXPECT_EQ(rig.Pixel(45, 45), kBlack);
  // While the editor follows the mouse, a slider not under it is dimmed.
  rig.gfx->SetMouseOverEnabled(true);
  rig.Redraw();
  EXPECT_NEAR(Red(rig.Pixel(45, 65)), 204, 1);
}

TEST(StockControls, TheWheelStepsFinerWithControlOrShiftExceptShiftInHostTwo) {
  struct Case {
    int param;
    bool shift, control;
    int hostCode;
    double step;
  };
  const Case cases[] = {
      {kGain, false, false, 0, 0.01},   {kGain, true, false, 0, 0.001},  {kGain, false, true, 0, 0.001},
      {kGain, true, false, 2, 0.01},    {kGain, false, true, 2, 0.001},  {kCount, false, false, 0, 0.01},
      {kMode, false, false, 0, 0.5 / 3}, {kMode, true, false, 0, 0.05 / 3}, {kPower, false, false, 0, 0.25},
  };
  for (const Case& c : cases) {
    DrawRig rig;
    rig.plug.hostCode = c.hostCode;
    auto* knob = rig.Add(new IKnobRotVal(&rig.plug, c.param, 40, 40, rig.Image(Frames(20, 20, {kRed}, true), 1),
                                         IKnobRotVal::Look()));
    knob->SetValue(0.5);
    IMouseKeys keys;
    keys.shift = c.shift;
    keys.control = c.control;
    rig.gfx->MouseWheel(40, 40, keys, -2);
    EXPECT_NEAR(knob->Value(), 0.5 - 2 * c.step, 1e-12) << c.param << c.shift << c.control << c.hostCode;
  }
}

TEST(StockControls, AButtonTogglesOnALeftPressAndShowsItsStateAndHover) {
  DrawRig rig;
  auto* button = rig.Add(new IButton(&rig.plug, kPower, 10, 10, rig.Image(Frames(10, 10, {kWhite}, true), 1), 0.2f));
  EXPECT_EQ(rig.Pixel(15, 15), kBlack) << "off and not hovered: nothing drawn";
  rig.gfx->SetMouseOverEnabled(true);
  rig.gfx->MouseOver(15, 15, IMouseKeys());
  rig.Redraw();
  EXPECT_NEAR(Red(rig.Pixel(15, 15)), 51, 1) << "off and hovered: at the hover weight";
  rig.Click(15, 15);
  rig.Redraw();
  EXPECT_EQ(button->Value(), 1.0);
  EXPECT_EQ(rig.plug.ParamAt(kPower)->Value(), 1.0);
  EXPECT_NEAR(Red(rig.Pixel(15, 15)), 204, 1) << "on and hovered: dimmed by the hover weight";
  rig.gfx->MouseOut();
  rig.Redraw();
  EXPECT_EQ(rig.Pixel(15, 15), kWhite);
  rig.gfx->MouseDown(15, 15, Keys(false));  // right press: no toggle, the value is sent again
  EXPECT_EQ(button->Value(), 1.0);
}

TEST(StockControls, ABitmapControlShowsTheFrameNearestItsValue) {
  struct Case {
    double value;
    uint32_t colour;
  };
  DrawRig rig;
  auto* picture = rig.Add(new IBitmapControl(&rig.plug, 10, 10, -1,
                                             rig.Image(Frames(8, 6, {kRed, kGreen, kBlue}, true), 3)));
  EXPECT_EQ(picture->Rect(), IArea(10, 10, 18, 16));
  for (const Case c : {Case{0.0, kRed}, Case{0.24, kRed}, Case{0.25, kGreen}, Case{0.74, kGreen},
                       Case{0.75, kBlue}, Case{1.0, kBlue}}) {
    rig.gfx->PushValueToControl(1, c.value);
    rig.Redraw();
    EXPECT_EQ(rig.Pixel(12, 12), c.colour) << c.value;
  }
}

TEST(StockControls, ATypedValueIsTakenAsADisplayTextOrANumberAndAnythingElseChangesNothing) {
  struct Case {
    int param;
    const char* text;
    double plain;  // afterwards
    const char* log;
  };
  const Case cases[] = {
      {kGain, "2.5", 2.5, "B0 P0 E0"},  {kGain, "7 dB", 7.0, "B0 P0 E0"}, {kGain, "", 0.5, ""},
      {kGain, "loud", 0.5, ""},         {kGain, "nan", 0.5, ""},          {kGain, "99", 10.0, "B0 P0 E0"},
      {kMode, "High", 2.0, "B1 P1 E1"}, {kMode, "1", 1.0, "B1 P1 E1"},    {kMode, "high", 0.0, ""},
  };
  for (const Case& c : cases) {
    DrawRig rig;
    auto* knob = rig.Add(new IKnobRotVal(&rig.plug, c.param, 40, 40, rig.Image(Frames(20, 20, {kRed}, true), 1),
                                         IKnobRotVal::Look()));
    rig.gfx->OpenValueEntry(knob, rig.plug.ParamAt(c.param), true);
    ASSERT_TRUE(rig.gfx->AnswerEntry(c.text));
    EXPECT_DOUBLE_EQ(rig.plug.ParamAt(c.param)->Value(), c.plain) << "'" << c.text << "'";
    EXPECT_EQ(rig.plug.Log(), c.log) << "'" << c.text << "'";
    EXPECT_FALSE(rig.gfx->AnswerEntry("1")) << "one answer per entry";
  }
}

TEST(StockControls, ValuesFromThePlugInReachTheirControlsAndTheFirstIsTheDefault) {
  Rig rig;
  IControl* controls[kTestParamCount];
  for (int p = 0; p < kTestParamCount; ++p) {
    controls[p] = new IKnobRotVal(&rig.plug, p, 40, 40, rig.Image(Frames(20, 20, {kRed}, true), 1),
                                  IKnobRotVal::Look());
    rig.gfx->AddControl(controls[p]);
  }
  rig.plug.ParamAt(kCount)->SetValue(6);
  rig.Attach();
  const double expected[kTestParamCount] = {0.05, 0.0, 0.0, 0.5};
  for (int p = 0; p < kTestParamCount; ++p) {
    EXPECT_DOUBLE_EQ(controls[p]->Value(), expected[p]) << p;
    EXPECT_DOUBLE_EQ(controls[p]->DefaultValue(), expected[p]) << p;
  }
  // A plain value from the plug-in (a preset) is normalised on the way.
  rig.plug.ParamAt(kCount)->SetValue(9);
  rig.plug.PushAllParametersToEditor();
  EXPECT_DOUBLE_EQ(controls[kCount]->Value(), 0.75);
  rig.gfx->PushParameterToControls(kGain, 0.25, true);
  EXPECT_DOUBLE_EQ(controls[kGain]->Value(), 0.25);
  // A double click brings the first value back, to the control and the plug-in.
  rig.gfx->MouseDoubleClick(40, 40, Keys(true));
  rig.gfx->MouseUp(40, 40, Keys(true));
  EXPECT_DOUBLE_EQ(controls[kCount]->Value(), 0.5);
  EXPECT_DOUBLE_EQ(rig.plug.ParamAt(kCount)->Value(), 6.0);
  EXPECT_EQ(rig.plug.Log(), "B3 P3 E3");
}

TEST(StockControls, TextControlsDrawTheirTextAndEditableOnesTakeTypedText) {
  DrawRig rig;
  ITextStyle white("Arial", 14, IRgba(255, 255, 255, 255));
  auto* text = rig.Add(new ITextControl(&rig.plug, IArea(0, 0, 100, 20), white, ""));
  auto* field = rig.Add(new IEditableTextControl(&rig.plug, IArea(0, 40, 100, 60), white, "abc",
                                                 IRgba(255, 0, 0, 255), true, true));
  // Pixels of a 20-pixel band that differ from its background.
  auto drawnIn = [&](int top, uint32_t background) {
    int count = 0;
    for (int y = top; y < top + 20; ++y) {
      for (int x = 0; x < 100; ++x) count += rig.Pixel(x, y) != background;
    }
    return count;
  };
  EXPECT_EQ(drawnIn(0, kBlack), 0);
  EXPECT_GT(drawnIn(40, kBlue), 0) << "stars";
  EXPECT_EQ(rig.Pixel(99, 59), kBlue) << "on its background";

  text->SetText("Hello");
  EXPECT_TRUE(text->NeedsRedraw());
  rig.Redraw();
  EXPECT_GT(drawnIn(0, kBlack), 0);
  text->SetText("Hello");
  EXPECT_FALSE(text->NeedsRedraw()) << "the same text again changes nothing";

  rig.Click(50, 50);
  ASSERT_NE(rig.gfx->PendingEntry(), nullptr);
  EXPECT_EQ(rig.gfx->PendingEntry()->param, nullptr);
  rig.gfx->AnswerEntry("secret");
  char typed[ITextControl::kTextSize];
  field->GetText(typed, sizeof typed);
  EXPECT_STREQ(typed, "secret");
}

TEST(StockControls, TheTitleOpensTheProductPage) {
  DrawRig rig;
  rig.Add(new IURLOpen(&rig.plug, IArea(10, 10, 50, 30)));
  rig.Click(20, 20);
  EXPECT_EQ(rig.gfx->LastWebPage(), std::string("https://") + kProductWebAddress);
  EXPECT_EQ(rig.plug.Log(), "");
}
