// Slots: ear frequencies and captions, band names, equalizer, level shares
// and the start rule.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine_rig.h"

namespace {

double Db(double dB) { return static_cast<double>(static_cast<float>(std::exp(dB * kDbToExponent))); }

class EngineSlots : public ::testing::Test {
 protected:
  EngineRig rig;
  ToneEngine& engine = rig.engine;
  std::string Caption(TextSink* sink) const { return static_cast<TextHolder*>(sink)->Text(); }
};

TEST_F(EngineSlots, PanModesPlaceCarrierAndBeatOnTheEars) {
  const struct {
    int pan;
    float carrier, beat, left, right;
  } cases[] = {
      {0, 256.0f, 4.0f, 256.0f, 260.0f}, {1, 256.0f, 4.0f, 260.0f, 256.0f},
      {2, 256.0f, 4.0f, 254.0f, 258.0f}, {3, 256.0f, 4.0f, 258.0f, 254.0f},
      {4, 256.0f, 4.0f, 256.0f, 256.0f}, {7, 256.0f, 4.0f, 256.0f, 260.0f},  // unknown: as "Right"
      {2, 30.0f, 40.0f, 20.0f, 60.0f},   {3, 30.0f, 40.0f, 60.0f, 20.0f},    // lower tone held at 20 Hz
  };
  for (const auto& c : cases) {
    engine.panMode = static_cast<int16_t>(c.pan);
    engine.binauralFrequency = c.beat;
    engine.SetSlotFrequency(3, c.carrier, false);
    EXPECT_EQ(engine.bank.targetIncrement[3], static_cast<double>(c.left) * kTwoPi / 48000.0) << c.pan;
    EXPECT_EQ(engine.bank.targetIncrement[kToneSlots + 3], static_cast<double>(c.right) * kTwoPi / 48000.0)
        << c.pan;
  }
  // Slots holding beats take their carrier from "Base Freq".
  engine.slotsHoldBase = 0;
  engine.panMode = 2;
  engine.SetSlotFrequency(6, 7.5f, false);
  EXPECT_EQ(Caption(engine.leftEarCaption), "396.25Hz");
  EXPECT_EQ(Caption(engine.rightEarCaption), "403.75Hz");
  EXPECT_EQ(Caption(engine.bandCaption), "THETA");
  engine.baseFrequency = 0.0f;  // no carrier: increments untouched, "---"
  engine.SetSlotFrequency(6, 10.0f, false);
  EXPECT_EQ(engine.bank.slotFrequency[6], 10.0f);
  EXPECT_EQ(engine.bank.targetIncrement[6], 396.25 * kTwoPi / 48000.0);
  EXPECT_EQ(Caption(engine.leftEarCaption), "---");
}

TEST_F(EngineSlots, BrainwaveBandsFirstMatchWins) {
  const char* expected[] = {"EPSILON", "DELTA", "DELTA", "THETA", "ALPHA", "BETA", "GAMMA", "LAMBDA"};
  const float hz[] = {0.3f, 0.0f, 3.99f, 4.0f, 8.0f, 14.0f, 99.99f, 100.0f};
  for (int i = 0; i < 8; ++i) {
    engine.ShowBrainwaveBand(hz[i]);
    EXPECT_EQ(Caption(engine.bandCaption), expected[i]) << hz[i];
  }
}

TEST_F(EngineSlots, EqualizerCurves) {
  engine.equalizerMode = 1;  // pink: 9 dB at 20 Hz, 3.01 dB per octave
  EXPECT_EQ(engine.EqualizerGain(19.99), static_cast<float>(Db(9.0)));
  EXPECT_FLOAT_EQ(engine.EqualizerGain(20.0), static_cast<float>(Db(9.0 - 0.122462048309 * 3.01)));
  EXPECT_FLOAT_EQ(engine.EqualizerGain(40.0), static_cast<float>(Db(5.99 - 0.122462048309 * 3.01)));
  // The first scale degree above the frequency decides; past the last one the octave's slope is gone.
  EXPECT_FLOAT_EQ(engine.EqualizerGain(25.0), static_cast<float>(Db(9.0 - 0.33483985417 * 3.01)));
  EXPECT_FLOAT_EQ(engine.EqualizerGain(39.0), static_cast<float>(Db(9.0 - 3.01)));
  engine.equalizerMode = 2;
  EXPECT_FLOAT_EQ(engine.EqualizerGain(80.0), static_cast<float>(Db(15.0 - 2 * 4.5 - 0.122462048309 * 4.5)));
  engine.equalizerMode = 3;
  EXPECT_NEAR(engine.EqualizerGain(20.0), 9.186, 0.001);  // +19.26 dB, not limited
}

TEST_F(EngineSlots, GainsShareConstantPowerAndFollowTheEqualizerOnlyForCarriers) {
  rig.effects.ApplyEqualizer(0);
  for (int s : {1, 4, 9}) engine.SetSlotFrequency(s, 100.0f * static_cast<float>(s), false);
  engine.bank.targetGain[0] = 0.25;  // inactive: left alone
  engine.UpdateSlotGains();
  const double third = static_cast<double>(1.0f / std::sqrt(3.0f));
  EXPECT_NEAR(third, 0.57735, 1e-5);
  EXPECT_EQ(engine.activeSlotCount, 3);
  for (int s : {1, 4, 9}) EXPECT_EQ(engine.bank.targetGain[s], third);
  EXPECT_EQ(engine.bank.targetGain[0], 0.25);
  rig.effects.ApplyEqualizer(3);
  EXPECT_EQ(engine.bank.targetGain[4], static_cast<double>(engine.EqualizerGain(400.0)) * third);
  engine.slotsHoldBase = 0;
  engine.UpdateSlotGains();
  EXPECT_EQ(engine.bank.targetGain[4], third);
}

TEST_F(EngineSlots, StartRuleJumpsOnRestartOrFirstFrequencyByVolumeAndGlidesOtherwise) {
  // The very first frequency jumps even without restart: pitch at once, level from 0.
  engine.bank.currentGain[0] = 0.5;
  engine.SetSlotFrequency(0, 256.0f, false);
  EXPECT_EQ(engine.bank.currentIncrement[0], engine.bank.targetIncrement[0]);
  EXPECT_EQ(engine.bank.currentIncrement[kToneSlots], engine.bank.targetIncrement[kToneSlots]);
  EXPECT_EQ(engine.bank.currentGain[0], 0.0);
  EXPECT_EQ(engine.anyFrequencySet, 1);
  // Afterwards only a restart jumps; a glide with two tones shown offers a re-alignment.
  engine.phaseSync.ShowActiveTones(2);
  const double before = engine.bank.currentIncrement[0];
  engine.SetSlotFrequency(0, 300.0f, false);
  EXPECT_EQ(engine.bank.currentIncrement[0], before);
  EXPECT_FALSE(engine.phaseSync.Synchronised());
  engine.SetSlotFrequency(0, 310.0f, true);
  EXPECT_EQ(engine.bank.currentIncrement[0], engine.bank.targetIncrement[0]);
  // By Freq: even a restart glides, from 0 Hz for a fresh slot.
  rig.effects.ApplyStartStopFade(1);
  engine.SetSlotFrequency(7, 256.0f, true);
  EXPECT_EQ(engine.bank.currentIncrement[7], 0.0);
  // Back to By Volume: glides end at once.
  rig.effects.ApplyStartStopFade(0);
  EXPECT_EQ(engine.bank.currentIncrement[7], engine.bank.targetIncrement[7]);
}

}  // namespace
