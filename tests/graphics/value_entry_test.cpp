// The typed entry's state machine that every window shares, on a headless editor:
// what reaches the plug-in, when, and when the box goes.

#include <gtest/gtest.h>

#include "editable_text_control.h"
#include "graphics_rig.h"
#include "value_entry.h"

namespace {

// A box with a fixed text that reports when it is taken off the screen.
class FakeBox : public ValueEntry::Box {
 public:
  FakeBox(std::string text, bool* gone) : text_(std::move(text)), gone_(gone) {}
  ~FakeBox() override { *gone_ = true; }
  std::string Text() const override { return text_; }

 private:
  std::string text_;
  bool* gone_;
};

class Knob : public IControl {
 public:
  Knob(IEffectBase* plug, int paramIdx) : IControl(plug, IArea(10, 10, 50, 50), paramIdx) {}
  bool Draw(IGraphics&) override { return true; }
};

struct EntryRig : Rig {
  EntryRig() {
    Attach();
    knob = new Knob(&plug, kGain);
    gfx->AddControl(knob);
    text = new IEditableTextControl(&plug, IArea(0, 60, 100, 80), ITextStyle(), "name", IRgba(), true, false);
    gfx->AddControl(text);
  }
  void Open(IControl* control, IParameter* param, const char* typed) {
    gone = false;
    entry.Open(std::make_unique<FakeBox>(typed, &gone), control, param);
  }
  // What a window's timer tick does: the entry first, then the redraw.
  void Tick() {
    entry.Apply(*gfx);
    gfx->Tick();
  }
  std::string Text() const {
    char out[ITextControl::kTextSize] = {};
    text->GetText(out, sizeof out);
    return out;
  }

  Knob* knob;
  IEditableTextControl* text;
  ValueEntry entry;
  bool gone = false;
};

}  // namespace

TEST(ValueEntry, ReturnCommitsOnTheNextTickInOneGestureAndTheBoxGoes) {
  EntryRig rig;
  rig.Open(rig.knob, rig.plug.ParamAt(kGain), "2.5");
  rig.entry.Typing();
  rig.entry.Commit();
  EXPECT_EQ(rig.plug.Log(), "") << "nothing before the tick";
  EXPECT_TRUE(rig.entry.IsOpen());
  rig.Tick();
  EXPECT_EQ(rig.plug.Log(), "B0 P0 E0");
  EXPECT_DOUBLE_EQ(rig.plug.ParamAt(kGain)->Value(), 2.5);
  EXPECT_TRUE(rig.gone);
  EXPECT_FALSE(rig.entry.IsOpen());
}

TEST(ValueEntry, ATickWhileTypingOnlyEndsTheTypingAndAFocusLossCommitsNothing) {
  EntryRig rig;
  rig.Open(rig.knob, rig.plug.ParamAt(kGain), "7");
  rig.entry.Typing();
  rig.Tick();
  EXPECT_EQ(rig.entry.CurrentState(), ValueEntry::State::kNone);
  EXPECT_TRUE(rig.entry.IsOpen());
  rig.entry.FocusLost();
  rig.Tick();
  EXPECT_TRUE(rig.entry.IsOpen());
  EXPECT_EQ(rig.plug.Log(), "");
}

TEST(ValueEntry, ALeftPressElsewhereCommitsBeforeThePressActs) {
  EntryRig rig;
  rig.Open(rig.knob, rig.plug.ParamAt(kGain), "4");
  rig.entry.PressElsewhere(*rig.gfx, /*right=*/false);
  EXPECT_EQ(rig.plug.Log(), "B0 P0 E0");
  EXPECT_DOUBLE_EQ(rig.plug.ParamAt(kGain)->Value(), 4.0);
  EXPECT_TRUE(rig.gone);
}

TEST(ValueEntry, ARightPressCancelsAndEmptiesATextNotBeingTypedIn) {
  EntryRig rig;
  rig.Open(rig.knob, rig.plug.ParamAt(kGain), "9");
  rig.entry.PressElsewhere(*rig.gfx, /*right=*/true);
  rig.Tick();
  EXPECT_TRUE(rig.gone);
  EXPECT_EQ(rig.plug.Log(), "") << "a cancelled value reaches nobody";

  rig.Open(rig.text, nullptr, "typed");
  rig.entry.Typing();
  rig.entry.PressElsewhere(*rig.gfx, /*right=*/true);
  rig.Tick();
  EXPECT_EQ(rig.Text(), "name") << "typing in it: the text stays";

  rig.Open(rig.text, nullptr, "typed");
  rig.entry.PressElsewhere(*rig.gfx, /*right=*/true);
  EXPECT_EQ(rig.Text(), "");
  rig.Tick();
  EXPECT_FALSE(rig.entry.IsOpen());
}

TEST(ValueEntry, ASmallBoxIsCentredOnTheControlAndWideEnoughForTheLongestValue) {
  EntryRig rig;
  // The maximum shows as "10.00", 5 characters: 7 x 5 + 6 = 41 pixels, around the centre (30, 30).
  EXPECT_EQ(ValueBoxRect(*rig.knob, *rig.plug.ParamAt(kGain), true), IArea(10, 22, 51, 38));
  EXPECT_EQ(ValueBoxRect(*rig.knob, *rig.plug.ParamAt(kGain), false), rig.knob->Rect());
  EXPECT_EQ(ParamChoiceTexts(*rig.plug.ParamAt(kMode)), (std::vector<std::string>{"Low", "Mid", "High"}));
  EXPECT_TRUE(ParamChoiceTexts(*rig.plug.ParamAt(kGain)).empty());
}
