#include <gtest/gtest.h>

#include <set>
#include <string>

#include "stereo_pulse_weaver.h"

namespace {
struct Expected {
  int slot;
  const char* name;
  double binaural, baseFreq;
  int reference, wave, pan, link, equalizer, volume;
  int slots[7];
};

// A spot check across the three groups, read back through a preset selection.
const Expected kSpotChecks[] = {
    {1, "Default with play anyway", 4, 400, 0, 0, 0, 1, 1, 75, {22}},
    {2, "Reference by base freq", 4, 336.36, 1, 0, 0, 1, 1, 75, {22}},
    {6, "Golden waves", 12.11, 400, 0, 3, 2, 1, 2, 40, {22}},
    {8, "Zig Zag harmonics", 5.5, 400, 0, 0, 0, 2, 1, 60, {22, 24, 26, 28, 30, 32, 34}},
    {13, "Binaural - 0.2 (Dental pain)", 0.2, 220, 0, 0, 2, 1, 1, 75, {22}},
    {56, "Binaural - 9.6 (Earth's magnetic field)", 9.6, 220, 0, 0, 2, 1, 1, 75, {22}},
    {33, "Binaural - 3.5 (Feeling of unity with everythin)", 3.5, 220, 0, 0, 2, 1, 1, 75, {22}},
    {102, "Binaural - 221.23 (Venus: beauty, love, sexuality, sensuality, harmony)", 221.23, 220, 0, 0, 2, 1, 1,
     75, {22}},
    {104, "Healing - 110 (3 tones)", 110, 220, 0, 0, 4, 1, 1, 75, {22, 23, 24}},
    {135, "Healing - 586 (Circulation  & sex)", 586, 220, 0, 0, 4, 1, 1, 75, {29}},
    {144, "Solfeggio FA - 639 (7 tones)", 639, 220, 0, 0, 4, 1, 3, 75, {17, 19, 21, 23, 25, 27, 29}},
    {156, "Solfeggio - 936 (7 tones)", 936, 220, 0, 0, 4, 1, 3, 75, {18, 21, 24, 27, 30, 33, 36}},
};
}  // namespace

TEST(FactoryPresets, SlotsAndNames) {
  CLS_STEREOPULSEWEAVER plug;
  ASSERT_EQ(plug.PresetCount(), 160);
  EXPECT_STREQ(plug.PresetName(0), "---- default ----");
  EXPECT_STREQ(plug.PresetName(10), "C Major style (only harmonics)");
  EXPECT_STREQ(plug.PresetName(66), "Binaural - 32.0 (Desensitizer; enhanced vigour & alertnes)");
  EXPECT_STREQ(plug.PresetName(156), "Solfeggio - 936 (7 tones)");
  for (int i = 0; i <= 156; ++i) EXPECT_TRUE(plug.PresetFilled(i)) << i;
  for (int i = 157; i < 160; ++i) EXPECT_FALSE(plug.PresetFilled(i)) << i;
  EXPECT_STREQ(plug.PresetName(159), "- 160 -");
  // Every programme has its own slot, even where names repeat a number.
  std::set<std::string> names;
  for (int i = 1; i <= 156; ++i) names.insert(plug.PresetName(i));
  EXPECT_EQ(names.size(), 156u);
}

TEST(FactoryPresets, ValuesOfProgrammesAcrossTheGroups) {
  for (const Expected& e : kSpotChecks) {
    CLS_STEREOPULSEWEAVER plug;
    EXPECT_STREQ(plug.PresetName(e.slot), e.name);
    ASSERT_TRUE(plug.SelectPreset(e.slot)) << e.name;
    auto value = [&](int i) { return plug.ParamAt(i)->Value(); };
    EXPECT_DOUBLE_EQ(value(kBinaural), e.binaural) << e.name;
    EXPECT_DOUBLE_EQ(value(kBaseFreq), e.baseFreq) << e.name;
    EXPECT_EQ(value(kReference), e.reference) << e.name;
    EXPECT_EQ(value(kPlayAnyway), 1) << e.name;
    EXPECT_EQ(value(kWave), e.wave) << e.name;
    EXPECT_EQ(value(kBinauralPan), e.pan) << e.name;
    EXPECT_EQ(value(kLinkFreq), e.link) << e.name;
    EXPECT_EQ(value(kFreqEqualizer), e.equalizer) << e.name;
    EXPECT_DOUBLE_EQ(value(kFade), 1.0) << e.name;
    EXPECT_EQ(value(kStartStopFade), 0) << e.name;
    EXPECT_EQ(value(kVolume), e.volume) << e.name;
    EXPECT_DOUBLE_EQ(value(kUnlinkRef), 0.15) << e.name;
    for (int s = 0; s < kSlotCount; ++s) EXPECT_EQ(value(kSlot1 + s), s < 7 ? e.slots[s] : 0) << e.name << s;
  }
}

TEST(FactoryPresets, DefaultEntryRestoresEveryDefault) {
  CLS_STEREOPULSEWEAVER plug;
  ASSERT_TRUE(plug.SelectPreset(156));
  EXPECT_TRUE(plug.SelectPreset(0));
  for (int i = 0; i < kParameterCount; ++i) {
    EXPECT_DOUBLE_EQ(plug.ParamAt(i)->Value(), plug.ParamAt(i)->Default()) << plug.ParamAt(i)->ParameterName();
  }
}
