// Ramps: fade lengths, the volume target, the ramp law over blocks, and how
// slots start and stop.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine_rig.h"

namespace {

class EngineFades : public ::testing::Test {
 protected:
  EngineRig rig;
  ToneEngine& engine = rig.engine;
  std::vector<double> left, right;

  void StartSlot(int cell) {
    ASSERT_TRUE(rig.grid.AssignCell(cell));
    rig.grid.RunPass();
  }
};

TEST(EngineFadeParameters, FadeLengthIsAQuarterOfTheFadeTimeAndVolumeNeverZero) {
  EngineRig rig48(48000.0);
  EXPECT_EQ(rig48.engine.fadeLength, 12000u);  // 1 s
  EngineRig rig44(44100.0);
  rig44.effects.ApplyFade(1);
  EXPECT_EQ(rig44.engine.fadeLength, 110u);  // 110.25
  rig44.effects.ApplyFade(2);
  EXPECT_EQ(rig44.engine.fadeLength, 221u);  // 220.5 rounds away from zero
  EXPECT_EQ(rig44.engine.volumeTarget, 0.749275f);
  rig44.effects.ApplyVolume(0);
  EXPECT_EQ(rig44.engine.volumeTarget, 0.0001f);
  rig44.effects.ApplyVolume(100);
  EXPECT_EQ(rig44.engine.volumeTarget, 0.999f);
}

TEST_F(EngineFades, RampLawClosesTheSameFractionOfTheGapEachBlock) {
  engine.fadeLength = 22050;
  const double target = engine.volumeTarget;
  double gap = target;
  for (int block = 0; block < 5; ++block) {
    rig.Render(64, left, right);
    EXPECT_NEAR(target - engine.masterVolume, gap * (1.0 - 64.0 / 22050.0), 1e-15) << block;
    gap = target - engine.masterVolume;
  }
  engine.fadeLength = 100;  // a block at least as long as the fade completes it
  rig.Render(128, left, right);
  EXPECT_NEAR(engine.masterVolume, target, 1e-15);
  engine.masterVolume = target - 0.9e-11;  // 1e-11 or less: not moved at all
  rig.Render(64, left, right);
  EXPECT_EQ(engine.masterVolume, target - 0.9e-11);
}

TEST_F(EngineFades, NewSlotFadesInAtItsPitchByVolumeAndSweepsUpByFreq) {
  engine.fadeLength = 4800;
  engine.masterVolume = engine.volumeTarget;
  StartSlot(21);  // By Volume: 256 Hz from the first sample, level from 0
  rig.Render(480, left, right);
  EXPECT_EQ(engine.bank.currentIncrement[0], engine.bank.targetIncrement[0]);
  EXPECT_NEAR(engine.bank.currentGain[0], engine.bank.targetGain[0] * 0.1, 1e-15);
  EXPECT_LT(std::fabs(left[20]), 0.01 * engine.bank.targetGain[0]);

  rig.effects.ApplyStartStopFade(1);
  StartSlot(28);  // By Freq on a never-used slot: pitch rises from 0 Hz
  rig.Render(480, left, right);
  EXPECT_NEAR(engine.bank.currentIncrement[1], engine.bank.targetIncrement[1] * 0.1, 1e-15);
}

TEST_F(EngineFades, ReleaseByVolumeFadesOutReleaseByFreqSweepsDownBothThenFallSilent) {
  engine.fadeLength = 480;
  engine.masterVolume = engine.volumeTarget;
  StartSlot(21);
  StartSlot(28);
  for (int block = 0; block < 4; ++block) rig.Render(480, left, right);
  const double increment = engine.bank.currentIncrement[0];
  rig.grid.ReleaseCell(21);  // By Volume
  rig.grid.RunPass();
  EXPECT_EQ(engine.bank.slotActive[0], 0);
  EXPECT_EQ(engine.bank.targetIncrement[0], increment);  // pitch stays
  EXPECT_EQ(engine.bank.targetGain[1], static_cast<double>(engine.EqualizerGain(512.0)));  // whole share
  rig.Render(240, left, right);
  EXPECT_GT(engine.bank.currentGain[0], 0.0);  // still audible on its way down
  rig.Render(480, left, right);
  EXPECT_LE(engine.bank.currentGain[0], kSilence);

  rig.effects.ApplyStartStopFade(1);
  engine.fadeLength = 0;
  const double gain = engine.bank.currentGain[1];
  rig.grid.ReleaseCell(28);  // By Freq, no fade: the pitch reaches 0 within the next block
  rig.grid.RunPass();
  EXPECT_EQ(engine.bank.slotFrequency[1], 0.0f);
  rig.Render(64, left, right);
  EXPECT_EQ(engine.bank.currentGain[1], gain);  // level stays
  EXPECT_LE(engine.bank.currentIncrement[kToneSlots + 1], kSilence);
  const double phase = engine.bank.phase[1];
  rig.Render(64, left, right);
  for (double v : left) ASSERT_EQ(v, 0.0);
  EXPECT_EQ(engine.bank.phase[1], phase);  // a silent slot does not advance
}

}  // namespace
