// Slots: ear frequencies and captions, band names, equalizer, level shares,
// the start rule and releases.
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
  std::string Left() const { return static_cast<TextHolder*>(engine.leftEarCaption)->Text(); }
  std::string Right() const { return static_cast<TextHolder*>(engine.rightEarCaption)->Text(); }
  std::string Band() const { return static_cast<TextHolder*>(engine.bandCaption)->Text(); }
};

TEST_F(EngineSlots, PanModesPlaceCarrierAndBeatOnTheEars) {
  struct Case {
    int pan;
    float carrier, beat, left, right;
  };
  const Case cases[] = {
      {0, 256.0f, 4.0f, 256.0f, 260.0f}, {1, 256.0f, 4.0f, 260.0f, 256.0f},
      {2, 256.0f, 4.0f, 254.0f, 258.0f}, {3, 256.0f, 4.0f, 258.0f, 254.0f},
      {4, 256.0f, 4.0f, 256.0f, 256.0f}, {7, 256.0f, 4.0f, 256.0f, 260.0f},  // unknown: as "Right"
      {2, 30.0f, 40.0f, 20.0f, 60.0f},   {3, 30.0f, 40.0f, 60.0f, 20.0f},    // lower tone held at 20 Hz
      {2, 21.0f, 1.0f, 20.5f, 21.5f},
  };
  for (const Case& c : cases) {
    engine.panMode = static_cast<int16_t>(c.pan);
    engine.binauralFrequency = c.beat;
    engine.SetSlotFrequency(3, c.carrier, false);
    EXPECT_EQ(engine.bank.targetIncrement[3], static_cast<double>(c.left) * kTwoPi / 48000.0) << c.pan;
    EXPECT_EQ(engine.bank.targetIncrement[kToneSlots + 3], static_cast<double>(c.right) * kTwoPi / 48000.0)
        << c.pan;
  }
  engine.panMode = 2;
  engine.binauralFrequency = 4.0f;
  engine.SetSlotFrequency(0, 256.0f, false);
  EXPECT_EQ(Left(), "254.00Hz");
  EXPECT_EQ(Right(), "258.00Hz");
  EXPECT_EQ(Band(), "THETA");
}

TEST_F(EngineSlots, SlotsHoldingBeatsTakeTheCarrierFromBaseFreq) {
  rig.effects.ApplyLinkMode(0);
  rig.effects.ApplyReference(1);
  rig.effects.ApplyPan(0);
  engine.SetSlotFrequency(2, 7.83f, false);
  EXPECT_FLOAT_EQ(static_cast<float>(rig.TargetHz(0, 2)), 400.0f);
  EXPECT_FLOAT_EQ(static_cast<float>(rig.TargetHz(1, 2)), 407.83f);
  EXPECT_EQ(engine.bank.slotFrequency[2], 7.83f);
  EXPECT_EQ(Band(), "THETA");
  rig.effects.ApplyPan(4);  // "Null": the band is the carrier's
  engine.SetSlotFrequency(2, 7.83f, false);
  EXPECT_EQ(Band(), "LAMBDA");
}

TEST_F(EngineSlots, CaptionsAndSlotBookkeepingOfSetSlotFrequency) {
  engine.SetSlotFrequency(-1, 300.0f, false);  // no slot: captions only
  EXPECT_EQ(Left(), "298.00Hz");
  EXPECT_EQ(engine.bank.targetIncrement[0], 0.0);
  EXPECT_EQ(engine.bank.slotActive[0], 0);
  EXPECT_EQ(engine.lastSlotFrequency, 300.0f);

  engine.SetSlotFrequency(5, -1.0f, false);  // negative: the last frequency again
  EXPECT_EQ(engine.bank.slotFrequency[5], 300.0f);
  EXPECT_NE(engine.bank.slotActive[5], 0);

  engine.SetSlotFrequency(6, 0.0f, false);  // no carrier: increments untouched, captions "---"
  EXPECT_EQ(engine.bank.targetIncrement[6], 0.0);
  EXPECT_NE(engine.bank.slotActive[6], 0);
  EXPECT_EQ(Left(), "---");
  EXPECT_EQ(Right(), "---");
}

TEST_F(EngineSlots, BrainwaveBands) {
  const struct {
    float hz;
    const char* band;
  } cases[] = {{0.3f, "EPSILON"}, {0.0f, "DELTA"}, {-1.0f, "DELTA"}, {0.5f, "DELTA"}, {3.99f, "DELTA"},
               {4.0f, "THETA"},   {7.83f, "THETA"}, {8.0f, "ALPHA"}, {13.99f, "ALPHA"}, {14.0f, "BETA"},
               {29.99f, "BETA"},  {30.0f, "GAMMA"}, {99.99f, "GAMMA"}, {100.0f, "LAMBDA"}};
  for (const auto& c : cases) {
    engine.ShowBrainwaveBand(c.hz);
    EXPECT_EQ(Band(), c.band) << c.hz;
  }
}

TEST_F(EngineSlots, EqualizerCurves) {
  engine.equalizerMode = 1;  // pink: 9 dB at 20 Hz, 3.01 dB per octave
  EXPECT_EQ(engine.EqualizerGain(19.99), static_cast<float>(Db(9.0)));
  EXPECT_FLOAT_EQ(engine.EqualizerGain(20.0), static_cast<float>(Db(9.0 - 0.122462048309 * 3.01)));
  EXPECT_FLOAT_EQ(engine.EqualizerGain(40.0), static_cast<float>(Db(5.99 - 0.122462048309 * 3.01)));
  // The first scale degree above the frequency decides: 25 Hz lies below 20 x 1.3348.
  EXPECT_FLOAT_EQ(engine.EqualizerGain(25.0), static_cast<float>(Db(9.0 - 0.33483985417 * 3.01)));
  // Above the last degree of an octave, the whole octave's slope is gone.
  EXPECT_FLOAT_EQ(engine.EqualizerGain(39.0), static_cast<float>(Db(9.0 - 3.01)));
  engine.equalizerMode = 2;
  EXPECT_FLOAT_EQ(engine.EqualizerGain(10.0), static_cast<float>(Db(15.0)));
  EXPECT_FLOAT_EQ(engine.EqualizerGain(80.0), static_cast<float>(Db(15.0 - 2 * 4.5 - 0.122462048309 * 4.5)));
  engine.equalizerMode = 3;
  EXPECT_NEAR(engine.EqualizerGain(20.0), 9.186, 0.001);  // +19.26 dB, not limited
}

TEST_F(EngineSlots, GainsShareConstantPowerAndFollowTheEqualizerOnlyForCarriers) {
  rig.effects.ApplyEqualizer(0);
  for (int s : {1, 4, 9}) engine.SetSlotFrequency(s, 100.0f * static_cast<float>(s), false);
  engine.bank.targetGain[0] = 0.25;  // inactive: left alone
  engine.UpdateSlotGains();
  EXPECT_EQ(engine.activeSlotCount, 3);
  const double third = static_cast<double>(1.0f / std::sqrt(3.0f));
  for (int s : {1, 4, 9}) EXPECT_EQ(engine.bank.targetGain[s], third);
  EXPECT_NEAR(third, 0.57735, 1e-5);
  EXPECT_EQ(engine.bank.targetGain[0], 0.25);

  rig.effects.ApplyEqualizer(3);
  EXPECT_EQ(engine.bank.targetGain[4], static_cast<double>(engine.EqualizerGain(400.0)) * third);
  engine.slotsHoldBase = 0;  // slots hold beats: no curve
  engine.UpdateSlotGains();
  EXPECT_EQ(engine.bank.targetGain[4], third);

  for (int s : {1, 4, 9}) engine.ReleaseSlot(s);
  engine.UpdateSlotGains();
  EXPECT_EQ(engine.activeSlotCount, 0);
}

TEST_F(EngineSlots, StartRuleJumpsWithRestartByVolumeAndGlidesOtherwise) {
  // By Volume with restart: pitch at once, level from 0.
  engine.bank.currentGain[0] = 0.5;
  engine.SetSlotFrequency(0, 256.0f, true);
  EXPECT_EQ(engine.bank.currentIncrement[0], engine.bank.targetIncrement[0]);
  EXPECT_EQ(engine.bank.currentIncrement[kToneSlots], engine.bank.targetIncrement[kToneSlots]);
  EXPECT_EQ(engine.bank.currentGain[0], 0.0);
  EXPECT_EQ(engine.bank.targetGain[0], 0.0);

  // Without restart the pitch glides; with two tones shown the button offers a re-alignment.
  engine.phaseSync.ShowActiveTones(2);
  const double before = engine.bank.currentIncrement[0];
  engine.SetSlotFrequency(0, 300.0f, false);
  EXPECT_EQ(engine.bank.currentIncrement[0], before);
  EXPECT_GT(engine.bank.targetIncrement[0], before);
  EXPECT_FALSE(engine.phaseSync.Synchronised());
  engine.phaseSync.ShowActiveTones(1);
  engine.SetSlotFrequency(0, 310.0f, false);
  EXPECT_TRUE(engine.phaseSync.Synchronised());

  // By Freq: even a restart glides, from where the pitch is (0 Hz for a fresh slot).
  rig.effects.ApplyStartStopFade(1);
  engine.SetSlotFrequency(7, 256.0f, true);
  EXPECT_EQ(engine.bank.currentIncrement[7], 0.0);
  EXPECT_GT(engine.bank.targetIncrement[7], 0.0);
}

TEST_F(EngineSlots, FirstFrequencyEverJumpsEvenWithoutRestart) {
  ToneEngine fresh;
  fresh.sampleRateSeen = 44100.0;
  fresh.fadeByVolume = 1;
  fresh.binauralFrequency = 4.0f;
  fresh.SetSlotFrequency(0, 200.0f, false);
  EXPECT_EQ(fresh.bank.currentIncrement[0], fresh.bank.targetIncrement[0]);
  EXPECT_EQ(fresh.anyFrequencySet, 1);
  fresh.SetSlotFrequency(1, 300.0f, false);  // the flag is set now: glides
  EXPECT_EQ(fresh.bank.currentIncrement[1], 0.0);
}

TEST_F(EngineSlots, ReleaseByVolumeFadesTheLevelReleaseByFreqSweepsThePitch) {
  engine.SetSlotFrequency(2, 256.0f, true);
  engine.UpdateSlotGains();
  const double increment = engine.bank.targetIncrement[2];
  engine.ReleaseSlot(2);
  EXPECT_EQ(engine.bank.slotActive[2], 0);
  EXPECT_EQ(engine.bank.targetGain[2], 0.0);
  EXPECT_EQ(engine.bank.targetIncrement[2], increment);
  EXPECT_EQ(engine.bank.slotFrequency[2], 256.0f);

  engine.SetSlotFrequency(3, 256.0f, true);
  engine.UpdateSlotGains();
  const double gain = engine.bank.targetGain[3];
  rig.effects.ApplyStartStopFade(1);
  engine.ReleaseSlot(3);
  EXPECT_EQ(engine.bank.slotActive[3], 0);
  EXPECT_EQ(engine.bank.targetGain[3], gain);
  EXPECT_EQ(engine.bank.slotFrequency[3], 0.0f);
  EXPECT_EQ(engine.bank.targetIncrement[3], 0.0);
  EXPECT_EQ(engine.bank.targetIncrement[kToneSlots + 3], 0.0);
}

}  // namespace
