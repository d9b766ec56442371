#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "effect_base.h"

namespace {
// Three parameters; records every ParameterChanged and can veto restores.
class RecordingEffect : public IEffectBase {
 public:
  RecordingEffect() : IEffectBase(Config()) {
    ParamAt(0)->DefineDouble("Freq", 4.0, 0.01, 2000.0, 0.01, "Hz");
    ParamAt(1)->DefineInteger("Volume", 75, 0, 100, "%");
    ParamAt(2)->DefineEnumeration("Mode", 1, 3, "");
  }
  static IEffectConfig Config() {
    IEffectConfig c;
    c.parameterCount = 3;
    c.channelIo = "0-2";
    c.presetCount = 4;
    return c;
  }
  void ParameterChanged(int i) override { changed.push_back(i); }
  bool AllowParamRestore(int i, int presetIdx) override {
    lastPresetIdx = presetIdx;
    return i != vetoed;
  }
  std::vector<int> changed;
  int vetoed = -1;
  int lastPresetIdx = -99;
};

StateChunk ChunkOf(std::initializer_list<double> values) {
  StateChunk c;
  for (double v : values) c.PutDouble(v);
  return c;
}
}  // namespace

TEST(EffectBaseState, SavesValuesInIndexOrder) {
  RecordingEffect fx;
  StateChunk chunk;
  ASSERT_TRUE(fx.SaveParams(chunk));
  ASSERT_EQ(chunk.Size(), 24);
  double v[3];
  for (int i = 0; i < 3; ++i) chunk.GetDouble(&v[i], 8 * i);
  EXPECT_DOUBLE_EQ(v[0], 4.0);
  EXPECT_DOUBLE_EQ(v[1], 75.0);
  EXPECT_DOUBLE_EQ(v[2], 1.0);
}

TEST(EffectBaseState, FullChunkRestoresClampedWithoutSteppingAndNotifiesEach) {
  RecordingEffect fx;
  const int pos = fx.LoadParams(ChunkOf({12.345, 250.0, 1.6}), 0);
  EXPECT_EQ(pos, 24);
  EXPECT_DOUBLE_EQ(fx.ParamAt(0)->Value(), 12.345);
  EXPECT_DOUBLE_EQ(fx.ParamAt(1)->Value(), 100.0);  // clamped
  EXPECT_DOUBLE_EQ(fx.ParamAt(2)->Value(), 1.6);    // not stepped
  EXPECT_EQ(fx.changed, (std::vector<int>{0, 1, 2}));
}

TEST(EffectBaseState, ShortChunkLeavesMissingParametersUntouched) {
  RecordingEffect fx;
  StateChunk chunk = ChunkOf({9.0});
  chunk.PutBytes("abc", 3);  // a truncated second value
  EXPECT_EQ(fx.LoadParams(chunk, 0), -1);
  EXPECT_DOUBLE_EQ(fx.ParamAt(0)->Value(), 9.0);
  EXPECT_DOUBLE_EQ(fx.ParamAt(1)->Value(), 75.0);  // not set to 0 clamped
  EXPECT_DOUBLE_EQ(fx.ParamAt(2)->Value(), 1.0);
  EXPECT_EQ(fx.changed, std::vector<int>{0});

  RecordingEffect empty;
  EXPECT_EQ(empty.LoadParams(StateChunk(), 0), -1);
  EXPECT_TRUE(empty.changed.empty());
  EXPECT_DOUBLE_EQ(empty.ParamAt(0)->Value(), 4.0);
}

TEST(EffectBaseState, OverLongChunkReadsOnlyItsParameters) {
  RecordingEffect fx;
  EXPECT_EQ(fx.LoadParams(ChunkOf({5.0, 10.0, 2.0, 99.0, 98.0}), 0), 24);
  EXPECT_DOUBLE_EQ(fx.ParamAt(2)->Value(), 2.0);
  // Reading may also start inside a larger chunk.
  RecordingEffect second;
  EXPECT_EQ(second.LoadParams(ChunkOf({0.0, 5.0, 10.0, 2.0}), 8), 32);
  EXPECT_DOUBLE_EQ(second.ParamAt(0)->Value(), 5.0);
}

TEST(EffectBaseState, NonFiniteValuesAreNeverStored) {
  RecordingEffect fx;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(fx.LoadParams(ChunkOf({nan, inf, 2.0}), 0), 24);
  EXPECT_DOUBLE_EQ(fx.ParamAt(0)->Value(), 4.0);
  EXPECT_DOUBLE_EQ(fx.ParamAt(1)->Value(), 75.0);
  EXPECT_DOUBLE_EQ(fx.ParamAt(2)->Value(), 2.0);
  EXPECT_EQ(fx.changed, std::vector<int>{2});
}

TEST(EffectBaseState, VetoedParameterIsSkipped) {
  RecordingEffect fx;
  fx.vetoed = 1;
  fx.LoadParams(ChunkOf({5.0, 10.0, 2.0}), 0);
  EXPECT_DOUBLE_EQ(fx.ParamAt(1)->Value(), 75.0);
  EXPECT_EQ(fx.changed, (std::vector<int>{0, 2}));
}

TEST(EffectBaseState, RestoreKnowsWhetherAPresetOrTheHostStateIsLoaded) {
  RecordingEffect fx;
  fx.AddPreset("first", {5.0, 10.0, 2.0});
  fx.AddPreset("second", {6.0, 11.0, 0.0});
  EXPECT_TRUE(fx.SelectPreset(1));
  EXPECT_EQ(fx.lastPresetIdx, 1);
  // The host's own state is never taken for the current preset, whatever was selected last.
  fx.LoadState(ChunkOf({5.0, 10.0, 2.0}), 0);
  EXPECT_EQ(fx.lastPresetIdx, -1);
  EXPECT_EQ(fx.CurrentPresetIdx(), 1);
}

TEST(EffectBaseState, SaveRestoreRoundTrip) {
  RecordingEffect a, b;
  a.ParamAt(0)->SetValue(123.45);
  a.ParamAt(1)->SetValue(3);
  StateChunk chunk;
  a.SaveState(chunk);
  EXPECT_EQ(b.LoadState(chunk, 0), chunk.Size());
  for (int i = 0; i < 3; ++i) EXPECT_DOUBLE_EQ(b.ParamAt(i)->Value(), a.ParamAt(i)->Value());
}

TEST(EffectBaseState, VersionTextAndHostIdentity) {
  IEffectConfig c;
  c.version = 68096;
  IEffectBase fx(c);
  char text[16];
  fx.VersionText(text, sizeof text);
  EXPECT_STREQ(text, "v1.10");
  EXPECT_EQ(fx.HostCode(), -1);
  fx.IdentifyHost("REAPER", 0);
  EXPECT_EQ(fx.HostCode(), 1);
  fx.IdentifyHost("Unknown Host", 0);
  EXPECT_EQ(fx.HostCode(), 0);
}
