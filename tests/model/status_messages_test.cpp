#include <gtest/gtest.h>

#include <string>

#include "model_plugin.h"

namespace {
class StatusMessages : public ::testing::Test {
 protected:
  ModelPluginHandle plugin;
};

struct Case {
  int paramIdx;
  double value;
  const char* message;
};
}  // namespace

TEST_F(StatusMessages, NothingIsShownBeforeAudioHasStarted) {
  plugin->SetSampleRate(48000.0);
  plugin->ApplyAllParameters();
  plugin->ShowParamStatus(kVolume);  // hovering the knob
  EXPECT_EQ(plugin->Status(), "");
  EXPECT_EQ(plugin->StatusDeadline(), 0u);
  plugin->RenderBlock();
  plugin->ShowParamStatus(kVolume);
  EXPECT_EQ(plugin->Status(), "Volume amount: 75%");
  EXPECT_NE(plugin->StatusDeadline(), 0u);
}

TEST_F(StatusMessages, EveryMessageText) {
  plugin->Start();
  const Case cases[] = {
      {kBinaural, 7.83, "Binaural: 7.83Hz"},
      {kBaseFreq, 432, "Base freq: 432.00Hz"},
      {kReference, 1, "Freq of reference: base"},
      {kReference, 0, "Freq of reference: binaural"},
      {kPlayAnyway, 1, "Play anyway was activated"},
      {kPlayAnyway, 0, "Play anyway was deactivated"},
      {kWave, 4, "Set wave: Gold. Sine Half"},
      {kWave, 6, "Set wave: Gold. Square"},
      {kBinauralPan, 4, "Binaural off"},
      {kBinauralPan, 3, "Center & higher freq. to left"},
      {kBinauralPan, 2, "Center & higher freq. to right"},
      {kBinauralPan, 1, "Higher freq. to left"},
      {kBinauralPan, 0, "Higher freq. to right"},
      {kLinkFreq, 2, "Linked harmonics & follow up/down"},
      {kLinkFreq, 1, "Linked harmonics with fixed slot"},
      {kLinkFreq, 0, "Unlinked harmonics from reference"},
      {kFreqEqualizer, 0, "Harmonics equalizer: linear"},
      {kFreqEqualizer, 1, "Harmonics equalizer: pink noise"},
      {kFreqEqualizer, 2, "Harmonics equalizer: decrease by 4.5dB"},
      {kFreqEqualizer, 3, "Harmonics equalizer: brownian noise"},
      {kFade, 2.5, "Fade when freq. change: 2.50s"},
      {kStartStopFade, 1, "Start/end fade: by freq"},
      {kStartStopFade, 0, "Start/stop fade: by volume"},
      {kVolume, 0, "Volume amount: 0%"},
      {kVolume, 100, "Volume amount: 100%"},
      {kUnlinkRef, 5, ""},
  };
  for (const Case& c : cases) {
    plugin->Set(c.paramIdx, c.value);
    EXPECT_EQ(plugin->Status(), c.message) << plugin->ParamAt(c.paramIdx)->ParameterName() << " " << c.value;
  }
}

TEST_F(StatusMessages, VolumeZeroIsStillAudible) {
  plugin->Start();
  plugin->Set(kVolume, 0);
  EXPECT_EQ(plugin->Engine().volumeTarget, 0.0001f);
  EXPECT_EQ(plugin->Status(), "Volume amount: 0%");
}

TEST_F(StatusMessages, SlotChangeClearsTheLineAndArmsTheTimeout) {
  plugin->Start();
  plugin->Set(kVolume, 50);
  ASSERT_EQ(plugin->Status(), "Volume amount: 50%");
  plugin->Set(kSlot1 + 2, 30);
  EXPECT_EQ(plugin->Status(), "");
  EXPECT_NE(plugin->StatusDeadline(), 0u);
}

TEST_F(StatusMessages, TheBlockRendererEmptiesTheLineWhenItsTimeIsOver) {
  plugin->Start();
  plugin->Set(kVolume, 50);
  plugin->RenderBlock();
  EXPECT_EQ(plugin->Status(), "Volume amount: 50%");  // nine seconds are not over yet
  plugin->ExpireStatusNow();
  plugin->RenderBlock();
  EXPECT_EQ(plugin->Status(), "");
  EXPECT_EQ(plugin->StatusDeadline(), 0u);
}
