#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effect_base.h"

namespace {
class PresetEffect : public IEffectBase {
 public:
  PresetEffect() : IEffectBase(Config()) {
    ParamAt(0)->DefineDouble("Freq", 4.0, 0.01, 2000.0, 0.01, "Hz");
    ParamAt(1)->DefineInteger("Volume", 75, 0, 100, "%");
  }
  static IEffectConfig Config() {
    IEffectConfig c;
    c.parameterCount = 2;
    c.presetCount = 5;
    return c;
  }
  void ParameterChanged(int i) override { changed.push_back(i); }
  std::vector<int> changed;
};

// Counts what the base asks of an attached editor.
class CountingEditor : public IEditorLink {
 public:
  explicit CountingEditor(int* pushes) : pushes_(pushes) {}
  void PushParameterToControls(int, double, bool) override { ++*pushes_; }
  void PrepareDrawing() override {}
  void StartGestureEndTimer(int ticks) override { lastTicks = ticks; }
  void CancelGestureEndTimer() override {}
  int FrameRate() const override { return 24; }
  int Width() const override { return 520; }
  int Height() const override { return 402; }
  int lastTicks = 0;

 private:
  int* pushes_;
};
}  // namespace

TEST(EffectBasePresets, UnfilledSlotsAreNamedByNumber) {
  PresetEffect fx;
  EXPECT_STREQ(fx.PresetName(0), "- 1 -");
  EXPECT_STREQ(fx.PresetName(4), "- 5 -");
  EXPECT_STREQ(fx.PresetName(5), "");
  EXPECT_STREQ(fx.PresetName(-1), "");
  EXPECT_FALSE(fx.PresetFilled(0));
}

TEST(EffectBasePresets, AddPresetFillsTheFirstFreeSlotInOrder) {
  PresetEffect fx;
  fx.AddDefaultPresets("---- default ----", 1);
  fx.AddPreset("Loud", {12.5, 100});
  EXPECT_STREQ(fx.PresetName(0), "---- default ----");
  EXPECT_STREQ(fx.PresetName(1), "Loud");
  EXPECT_TRUE(fx.PresetFilled(1));
  EXPECT_FALSE(fx.PresetFilled(2));
  for (int i = 0; i < 10; ++i) fx.AddPreset("more", {1.0, 1});  // extra calls find no slot
  EXPECT_STREQ(fx.PresetName(4), "more");
}

TEST(EffectBasePresets, SelectingANamedPresetRestoresItsValues) {
  PresetEffect fx;
  fx.AddDefaultPresets("---- default ----", 1);
  fx.AddPreset("Loud", {12.5, 100});
  EXPECT_TRUE(fx.SelectPreset(1));
  EXPECT_EQ(fx.CurrentPresetIdx(), 1);
  EXPECT_DOUBLE_EQ(fx.ParamAt(0)->Value(), 12.5);
  EXPECT_DOUBLE_EQ(fx.ParamAt(1)->Value(), 100.0);
}

TEST(EffectBasePresets, DefaultPresetBringsBackEveryDefault) {
  PresetEffect fx;
  fx.AddDefaultPresets("---- default ----", 1);
  fx.AddPreset("Loud", {12.5, 100});
  fx.SelectPreset(1);
  fx.changed.clear();
  EXPECT_TRUE(fx.SelectPreset(0));
  EXPECT_DOUBLE_EQ(fx.ParamAt(0)->Value(), 4.0);
  EXPECT_DOUBLE_EQ(fx.ParamAt(1)->Value(), 75.0);
  EXPECT_EQ(fx.changed, (std::vector<int>{0, 1}));
}

TEST(EffectBasePresets, UnfilledSlotBecomesANumberedUserPresetWithoutChanges) {
  PresetEffect fx;
  fx.AddPreset("A", {12.5, 100});
  fx.changed.clear();
  EXPECT_TRUE(fx.SelectPreset(3));
  EXPECT_STREQ(fx.PresetName(3), "user preset 1");
  EXPECT_TRUE(fx.SelectPreset(4));
  EXPECT_STREQ(fx.PresetName(4), "user preset 2");
  EXPECT_EQ(fx.CurrentPresetIdx(), 4);
  EXPECT_TRUE(fx.changed.empty());
  // A former unfilled slot holds no values: selecting it again changes nothing and reports false.
  EXPECT_FALSE(fx.SelectPreset(3));
  EXPECT_TRUE(fx.changed.empty());
  EXPECT_DOUBLE_EQ(fx.ParamAt(0)->Value(), 4.0);
}

TEST(EffectBasePresets, OutOfRangeSelectionChangesNothing) {
  PresetEffect fx;
  EXPECT_FALSE(fx.SelectPreset(5));
  EXPECT_FALSE(fx.SelectPreset(-1));
  EXPECT_EQ(fx.CurrentPresetIdx(), 0);
}

TEST(EffectBasePresets, EditorReceivesValuesOnAttachAndAfterPresetSelection) {
  PresetEffect fx;
  fx.AddPreset("A", {12.5, 100});
  int pushes = 0;
  fx.AttachEditor(new CountingEditor(&pushes));
  EXPECT_EQ(pushes, 2);
  fx.SelectPreset(0);
  EXPECT_EQ(pushes, 4);
}

TEST(EffectBasePresets, AttachingTheAttachedEditorAgainKeepsIt) {
  PresetEffect fx;
  int pushes = 0;
  auto* editor = new CountingEditor(&pushes);
  fx.AttachEditor(editor);
  fx.AttachEditor(editor);
  EXPECT_EQ(fx.Editor(), editor);
  EXPECT_EQ(pushes, 4);
  fx.SelectPreset(0);  // the editor is still alive and receives the values
  EXPECT_EQ(pushes, 6);
}

TEST(EffectBasePresets, DeferredEndOfGestureUsesHalfTheFrameRate) {
  PresetEffect fx;
  int pushes = 0;
  auto* editor = new CountingEditor(&pushes);
  fx.AttachEditor(editor);
  fx.DeferEndInform(1);
  EXPECT_EQ(editor->lastTicks, 12);
}
