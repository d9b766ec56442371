#include <gtest/gtest.h>

#include <string>

#include "stereo_pulse_weaver.h"

namespace {
std::string Display(const IEffectBase& plug, int i) {
  char out[IParameter::kDisplaySize];
  const IParameter& p = *plug.ParamAt(i);
  p.FormatValue(p.Value(), false, out);
  return out;
}
}  // namespace

TEST(ParameterSet, DefaultsOfANewInstance) {
  CLS_STEREOPULSEWEAVER plug;
  ASSERT_EQ(plug.ParameterCount(), 24);
  EXPECT_EQ(Display(plug, kBinauralPan), "Center Right");
  EXPECT_EQ(Display(plug, kLinkFreq), "Yes");
  EXPECT_EQ(Display(plug, kFreqEqualizer), "Pink noise");
  EXPECT_EQ(Display(plug, kReference), "Base Freq");
  EXPECT_EQ(Display(plug, kPlayAnyway), "No");
  EXPECT_EQ(Display(plug, kWave), "Sine");
  EXPECT_EQ(Display(plug, kStartStopFade), "By Volume");
  EXPECT_EQ(Display(plug, kVolume), "75");
  EXPECT_EQ(Display(plug, kBinaural), "4.00");
  EXPECT_EQ(Display(plug, kFade), "1.00");
  EXPECT_EQ(Display(plug, kUnlinkRef), "0.15");
  EXPECT_EQ(Display(plug, kSlot1), "22");
  for (int i = kSlot1 + 1; i <= kSlot12; ++i) EXPECT_EQ(plug.ParamAt(i)->Value(), 0.0) << i;
}

TEST(ParameterSet, NamesKindsRangesAndUnits) {
  CLS_STEREOPULSEWEAVER plug;
  struct Row {
    int i;
    const char* name;
    EParameterKind kind;
    double min, max, step, shape;
    const char* unit;
  };
  const EParameterKind D = EParameterKind::Double, E = EParameterKind::Enum, I = EParameterKind::Int;
  const Row rows[] = {
      {0, "Binaural", D, 0.01, 2000, 0.01, 2, "Hz"},   {1, "Base Freq", D, 20, 20000, 0.01, 2, "Hz"},
      {2, "Reference", E, 0, 1, 1, 1, ""},             {3, "Play Anyway", E, 0, 1, 1, 1, ""},
      {4, "Wave", E, 0, 6, 1, 1, ""},                  {5, "Binaural Pan", E, 0, 4, 1, 1, ""},
      {6, "Link Freq", E, 0, 2, 1, 1, ""},             {7, "Freq Equalizer", E, 0, 3, 1, 1, ""},
      {8, "Fade", D, 0.01, 90, 0.01, 2, "s"},          {9, "Start/stop Fade", E, 0, 1, 1, 1, ""},
      {10, "Volume", I, 0, 100, 1, 1, "%"},            {11, "Unlink Ref", D, 0.01, 20000, 0.01, 2, "Hz"},
      {12, "Slot 1", I, 0, 100, 1, 1, ""},             {23, "Slot 12", I, 0, 100, 1, 1, ""},
  };
  for (const Row& r : rows) {
    const IParameter& p = *plug.ParamAt(r.i);
    EXPECT_STREQ(p.ParameterName(), r.name);
    EXPECT_EQ(p.Kind(), r.kind) << r.name;
    EXPECT_DOUBLE_EQ(p.Minimum(), r.min) << r.name;
    EXPECT_DOUBLE_EQ(p.Maximum(), r.max) << r.name;
    EXPECT_DOUBLE_EQ(p.Step(), r.step) << r.name;
    EXPECT_DOUBLE_EQ(p.Shape(), r.shape) << r.name;
    EXPECT_STREQ(p.UnitLabel(), r.unit) << r.name;
  }
  EXPECT_STREQ(plug.ParamAt(17)->ParameterName(), "Slot 6");
}

TEST(ParameterSet, ValueTextsAreExact) {
  CLS_STEREOPULSEWEAVER plug;
  EXPECT_STREQ(plug.ParamAt(kFreqEqualizer)->ValueTextFor(2), "Decrease by 4.5dB");
  EXPECT_STREQ(plug.ParamAt(kWave)->ValueTextFor(4), "Gold. Sine Half");
  EXPECT_STREQ(plug.ParamAt(kWave)->ValueTextFor(6), "Gold. Square");
  EXPECT_STREQ(plug.ParamAt(kLinkFreq)->ValueTextFor(2), "Yes & up/down");
  EXPECT_STREQ(plug.ParamAt(kReference)->ValueTextFor(1), "Binaural Freq");
  EXPECT_STREQ(plug.ParamAt(kStartStopFade)->ValueTextFor(1), "By Freq");
  EXPECT_EQ(plug.ParamAt(kWave)->ValueTextCount(), 7);
  EXPECT_EQ(plug.ParamAt(kBinauralPan)->ValueTextCount(), 5);
}

TEST(ParameterSet, BaseFreqHalfwayIsAQuarterOfTheRange) {
  CLS_STEREOPULSEWEAVER plug;
  plug.ParamAt(kBaseFreq)->SetFromNormalized(0.5);
  EXPECT_DOUBLE_EQ(plug.ParamAt(kBaseFreq)->Value(), 5015.0);
}

TEST(ParameterSet, StateIs192BytesOfLittleEndianDefaults) {
  CLS_STEREOPULSEWEAVER plug;
  StateChunk chunk;
  ASSERT_TRUE(plug.SaveState(chunk));
  ASSERT_EQ(chunk.Size(), 192);
  for (int i = 0; i < 24; ++i) {
    double v = -1;
    chunk.GetDouble(&v, 8 * i);
    EXPECT_DOUBLE_EQ(v, plug.ParamAt(i)->Default()) << i;
  }
}

TEST(ParameterSet, IdentityOfThePlugin) {
  CLS_STEREOPULSEWEAVER plug;
  EXPECT_STREQ(plug.EffectName(), "stereoPulseWeaver");
  EXPECT_STREQ(plug.ManufacturerName(), "Orvanti");
  EXPECT_EQ(plug.UniqueCode(), 0x53505756);
  EXPECT_EQ(plug.ManufacturerCode(), 0x51464C4E);
  EXPECT_EQ(plug.PresetCount(), 160);
  EXPECT_EQ(plug.InputChannelCount(), 0);
  EXPECT_EQ(plug.OutputChannelCount(), 2);
  EXPECT_TRUE(plug.IsInstrument());
  EXPECT_TRUE(plug.DoesMidi());
  EXPECT_STREQ(plug.PresetName(0), "---- default ----");
  EXPECT_STREQ(plug.PresetName(157), "- 158 -");
}
