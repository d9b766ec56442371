// Ramps: fade lengths, the volume target, the ramp law over blocks, and how
// slots start, stop and change pitch.
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

  // A single carrier slot through the grid, as a click would give it.
  void StartSlot(int cell) { ASSERT_TRUE(rig.grid.AssignCell(cell)); rig.grid.RunPass(); }
};

TEST(EngineFadeParameters, FadeLengthIsAQuarterOfTheFadeTimeInSamples) {
  EngineRig rig48(48000.0);
  rig48.effects.ApplyFade(100);
  EXPECT_EQ(rig48.engine.fadeLength, 12000u);
  rig48.effects.ApplyFade(9000);
  EXPECT_EQ(rig48.engine.fadeLength, 1080000u);
  EngineRig rig44(44100.0);
  rig44.effects.ApplyFade(1);
  EXPECT_EQ(rig44.engine.fadeLength, 110u);  // 110.25 rounded
  rig44.effects.ApplyFade(2);
  EXPECT_EQ(rig44.engine.fadeLength, 221u);  // 220.5 rounds away from zero
  ToneEngine unstarted;
  ParameterEffects(unstarted, rig44.grid).ApplyFade(100);
  EXPECT_EQ(unstarted.fadeLength, 0u);  // no sample rate yet
}

TEST(EngineFadeParameters, VolumeTargetRunsFromATenThousandthToAlmostOne) {
  EngineRig rig;
  rig.effects.ApplyVolume(75);
  EXPECT_EQ(rig.engine.volumeTarget, 0.749275f);
  rig.effects.ApplyVolume(0);
  EXPECT_EQ(rig.engine.volumeTarget, 0.0001f);
  rig.effects.ApplyVolume(100);
  EXPECT_EQ(rig.engine.volumeTarget, 0.999f);
}

TEST_F(EngineFades, RampLawClosesTheSameFractionOfTheGapEachBlock) {
  engine.fadeLength = 22050;
  engine.masterVolume = 0.0;
  const double target = engine.volumeTarget;
  double gap = target;
  for (int block = 0; block < 5; ++block) {
    rig.Render(64, left, right);
    const double newGap = target - engine.masterVolume;
    EXPECT_NEAR(newGap, gap * (1.0 - 64.0 / 22050.0), 1e-15) << block;
    gap = newGap;
  }
  // A block at least as long as the fade completes the change exactly.
  engine.fadeLength = 100;
  rig.Render(128, left, right);
  EXPECT_NEAR(engine.masterVolume, target, 1e-15);
  // A remaining distance of 1e-11 or less is not moved at all.
  engine.masterVolume = target - 0.9e-11;
  rig.Render(64, left, right);
  EXPECT_EQ(engine.masterVolume, target - 0.9e-11);
}

TEST_F(EngineFades, ByVolumeNewSlotFadesInAtItsPitchFromTheFirstSample) {
  engine.fadeLength = 4800;
  engine.masterVolume = engine.volumeTarget;
  StartSlot(21);  // cell 22: 256 Hz on a 4 Hz grid
  EXPECT_EQ(engine.bank.currentIncrement[0], engine.bank.targetIncrement[0]);
  rig.Render(480, left, right);
  EXPECT_EQ(left[0], 0.0);  // the level starts at 0
  EXPECT_LT(std::fabs(left[20]), std::fabs(0.01 * engine.bank.targetGain[0]));
  // The level grows: later cycles are louder than earlier ones.
  double early = 0.0, late = 0.0;
  for (int i = 0; i < 240; ++i) early = std::fmax(early, std::fabs(left[static_cast<size_t>(i)]));
  for (int i = 240; i < 480; ++i) late = std::fmax(late, std::fabs(left[static_cast<size_t>(i)]));
  EXPECT_GT(late, early);
  EXPECT_EQ(engine.bank.currentIncrement[0], engine.bank.targetIncrement[0]);
}

TEST_F(EngineFades, ByFreqNewSlotSweepsUpFromZeroHertz) {
  rig.effects.ApplyStartStopFade(1);
  engine.fadeLength = 4800;
  engine.masterVolume = engine.volumeTarget;
  StartSlot(21);
  const double target = engine.bank.targetIncrement[0];
  EXPECT_EQ(engine.bank.currentIncrement[0], 0.0);
  rig.Render(64, left, right);
  EXPECT_NEAR(engine.bank.currentIncrement[0], target * 64.0 / 4800.0, 1e-15);
  for (int block = 0; block < 800; ++block) rig.Render(64, left, right);
  EXPECT_NEAR(engine.bank.currentIncrement[0], target, target * 1e-3);
}

TEST_F(EngineFades, ReleaseByFreqWithoutFadeFallsSilentAfterTheNextBlock) {
  rig.effects.ApplyStartStopFade(1);
  engine.fadeLength = 0;
  engine.masterVolume = engine.volumeTarget;
  StartSlot(21);
  rig.Render(64, left, right);
  rig.grid.ReleaseCell(21);
  rig.grid.RunPass();
  rig.Render(64, left, right);
  EXPECT_LE(engine.bank.currentIncrement[0], kSilence);  // within rounding of 0
  const double phase = engine.bank.phase[0];
  rig.Render(64, left, right);
  for (double v : left) EXPECT_EQ(v, 0.0);
  EXPECT_EQ(engine.bank.phase[0], phase);  // a silent slot does not advance
}

TEST_F(EngineFades, ReleasedSlotFadesOutWhileTheOthersTakeTheFreedShare) {
  engine.fadeLength = 480;
  engine.masterVolume = engine.volumeTarget;
  StartSlot(21);
  StartSlot(28);
  for (int block = 0; block < 20; ++block) rig.Render(480, left, right);
  rig.grid.ReleaseCell(21);
  rig.grid.RunPass();
  EXPECT_EQ(engine.bank.targetGain[0], 0.0);
  EXPECT_EQ(engine.bank.targetGain[1], static_cast<double>(engine.EqualizerGain(engine.bank.slotFrequency[1])));
  rig.Render(240, left, right);
  EXPECT_GT(engine.bank.currentGain[0], 0.0);  // still audible, on its way down
  rig.Render(480, left, right);
  EXPECT_LE(engine.bank.currentGain[0], kSilence);  // within rounding of 0: silent
}

TEST_F(EngineFades, ByVolumeMovingTheBeatGlidesThePitchWithoutALevelDip) {
  engine.fadeLength = 0;
  engine.masterVolume = engine.volumeTarget;
  StartSlot(21);
  for (int block = 0; block < 2; ++block) rig.Render(480, left, right);
  const double targetGain = engine.bank.targetGain[0];
  const double gain = engine.bank.currentGain[0];
  const double before = engine.bank.currentIncrement[0];
  engine.fadeLength = 4800;
  rig.effects.ApplyBinaural(401);  // re-link: the cell's frequency moves with the beat
  EXPECT_EQ(engine.bank.currentIncrement[0], before);
  EXPECT_NE(engine.bank.targetIncrement[0], before);
  EXPECT_EQ(engine.bank.targetGain[0], targetGain);
  rig.Render(480, left, right);
  EXPECT_EQ(engine.bank.currentGain[0], gain);
  EXPECT_NE(engine.bank.currentIncrement[0], before);
}

TEST_F(EngineFades, SwitchingToByVolumeEndsGlidesAtOnce) {
  rig.effects.ApplyStartStopFade(1);
  StartSlot(21);
  EXPECT_EQ(engine.bank.currentIncrement[0], 0.0);
  rig.effects.ApplyStartStopFade(0);
  EXPECT_EQ(engine.bank.currentIncrement[0], engine.bank.targetIncrement[0]);
  EXPECT_EQ(engine.bank.currentIncrement[kToneSlots], engine.bank.targetIncrement[kToneSlots]);
}

}  // namespace
