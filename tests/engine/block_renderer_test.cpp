// The block renderer: bit-identity with the plain per-frame loop on every
// mixing path, the silent path, the transport rule and phase re-alignment.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "engine_rig.h"
#include "mix_path.h"

// Test names and failures show the path by name.
void PrintTo(MixPath path, std::ostream* out) { *out << MixPathName(path); }

namespace {

// The renderer's definition, frame by frame, channel by channel, slot by slot,
// as plainly as it can be written. The optimised renderer must match it bit
// for bit.
void ReferenceRender(OscillatorBank& bank, double& masterVolume, uint32_t fadeLength, double volumeTarget,
                     double* left, double* right, int nFrames) {
  const uint32_t frames = static_cast<uint32_t>(nFrames);
  const double d = static_cast<double>(frames > fadeLength ? frames : fadeLength);
  auto step = [d](double target, double current) {
    return std::fabs(target - current) > 1e-11 ? (target - current) / d : 0.0;
  };
  if (volumeTarget == 0.0 && masterVolume < 1e-11) {
    for (int i = 0; i < nFrames; ++i) left[i] = right[i] = 0.0;
    return;
  }
  const double volumeStep = step(volumeTarget, masterVolume);
  double incrementStep[24], gainStep[12];
  for (int k = 0; k < 24; ++k) incrementStep[k] = step(bank.targetIncrement[k], bank.currentIncrement[k]);
  for (int s = 0; s < 12; ++s) gainStep[s] = step(bank.targetGain[s], bank.currentGain[s]);
  double* out[2] = {left, right};
  for (int i = 0; i < nFrames; ++i) {
    masterVolume += volumeStep;
    for (int c = 0; c < 2; ++c) {
      double sum = 0.0;
      for (int s = 0; s < 12; ++s) {
        const int k = c * 12 + s;
        bank.currentIncrement[k] += incrementStep[k];
        if (c == 0) bank.currentGain[s] += gainStep[s];
        if (bank.currentIncrement[k] > 1e-11 && bank.currentGain[s] > 1e-11) {
          const double v = bank.waveFunction(bank, bank.phase[k]);
          bank.phase[k] += bank.currentIncrement[k];
          sum += v * bank.currentGain[s];
          if (bank.phase[k] >= bank.period) bank.phase[k] -= bank.period;
        }
      }
      out[c][i] = sum * masterVolume;
    }
  }
}

bool SameBits(const double* a, const double* b, size_t n) { return std::memcmp(a, b, n * sizeof(double)) == 0; }

// Renders one block with the engine and with the reference from the same
// state, and expects identical samples and identical state afterwards.
void ExpectSameAsReference(EngineRig& rig, int nFrames, bool transportRunning = true) {
  ToneEngine& engine = rig.engine;
  OscillatorBank bank = engine.bank;
  double volume = engine.masterVolume;
  const size_t n = static_cast<size_t>(nFrames);
  std::vector<double> refLeft(n), refRight(n), left, right;
  const double target = engine.BlockVolumeTarget(transportRunning);
  ReferenceRender(bank, volume, engine.fadeLength, target, refLeft.data(), refRight.data(), nFrames);
  rig.Render(nFrames, left, right, transportRunning);
  ASSERT_TRUE(SameBits(left.data(), refLeft.data(), n)) << "left, " << nFrames << " frames";
  ASSERT_TRUE(SameBits(right.data(), refRight.data(), n)) << "right, " << nFrames << " frames";
  ASSERT_EQ(std::memcmp(&bank, &engine.bank, sizeof bank), 0) << nFrames << " frames";
  ASSERT_EQ(volume, engine.masterVolume);
}

// Each mixing path this processor has, forced one by one.
class EngineRendererIdentity : public ::testing::TestWithParam<MixPath> {
 protected:
  void SetUp() override {
    if (!MixPathSupported(GetParam())) GTEST_SKIP() << MixPathName(GetParam()) << " is not on this processor";
  }
  // The rig mixes on the path under test, in the given shape.
  void Use(EngineRig& rig, int32_t wave = 0) const {
    rig.engine.mixPath = GetParam();
    rig.effects.ApplyWave(wave);
  }
};

TEST_P(EngineRendererIdentity, EveryShapeMatchesThePlainLoopBitForBitThroughStartsGlidesAndStops) {
  const int sizes[] = {1, 7, 64, 255, 256, 257, 1000, 4096};
  for (int32_t wave = 0; wave < kWaveShapes; ++wave) {
    SCOPED_TRACE(wave);
    EngineRig rig;
    Use(rig, wave);
    rig.engine.fadeLength = 3000;
    for (int cell : {21, 25, 30, 38}) ASSERT_TRUE(rig.grid.AssignCell(cell));
    rig.grid.RunPass();
    for (int size : sizes) ExpectSameAsReference(rig, size);
    rig.effects.ApplyStartStopFade(1);
    for (int cell : {2, 44}) ASSERT_TRUE(rig.grid.AssignCell(cell));  // sweep up from 0 Hz
    rig.grid.ReleaseCell(25);                                          // sweeps down
    rig.grid.RunPass();
    rig.effects.ApplyBinaural(733);                                    // every pitch glides
    for (int size : sizes) ExpectSameAsReference(rig, size);
    rig.effects.ApplyStartStopFade(0);
    rig.grid.ReleaseCell(30);                                          // fades out
    rig.grid.RunPass();
    rig.engine.fadeLength = 0;                                         // ramps finish within a block
    for (int size : sizes) ExpectSameAsReference(rig, size);
    rig.engine.fadeLength = 700;
    for (int size : sizes) ExpectSameAsReference(rig, size, false);    // fading towards silence
  }
}

// Twelve steady slots of one shape, every ramp at its target, on the given path.
void SteadyTwelve(EngineRig& rig, MixPath path, int32_t wave) {
  rig.engine.mixPath = path;
  rig.effects.ApplyWave(wave);
  rig.engine.fadeLength = 0;
  for (int cell = 14; cell < 26; ++cell) ASSERT_TRUE(rig.grid.AssignCell(cell));
  rig.grid.RunPass();
  ExpectSameAsReference(rig, 64);
}

// Twelve steady slots with their 24 phases placed on the shapes' wrap and
// segment boundaries and one ulp either side.
TEST_P(EngineRendererIdentity, PhasesOnEveryBoundaryMatchThePlainLoop) {
  std::vector<double> phases;
  for (double edge : {0.0, kHalfPi, kPi, kTwoPi - kHalfPi, kTwoPi, 3.8830083370775546, 2.4000803709906934,
                      kTwoPi - kGoldenSineHalfShift, kTwoPi - kGoldenTriangleShift,
                      static_cast<double>(kGoldenFraction) * kPi}) {
    phases.push_back(edge);
    phases.push_back(std::nextafter(edge, -1.0));
    phases.push_back(std::nextafter(edge, 10.0));
  }
  phases.push_back(-0.0);
  for (int32_t wave = 0; wave < kWaveShapes; ++wave) {
    SCOPED_TRACE(wave);
    EngineRig rig;
    SteadyTwelve(rig, GetParam(), wave);
    for (size_t first = 0; first < phases.size(); ++first) {
      for (int k = 0; k < kVoices; ++k) rig.engine.bank.phase[k] = phases[(first + k * 7) % phases.size()];
      ExpectSameAsReference(rig, 1 + static_cast<int>(first % 5));
    }
  }
}

// Phases so far outside one turn that rounding them to multiples of pi leaves
// the int32 range: the plain formula's conversion is undefined in C++ there,
// so the two-lane path's conversion (the processor's) is the reference.
TEST_P(EngineRendererIdentity, PhasesFarOutsideATurnMatchTheTwoLanePath) {
  const double far[] = {7.0e9, -7.0e9, 2.2e10, -6.8e9, 1.0e300, -1.0e300, 6.9e9, 4.0e12};
  for (int32_t wave : {0, 3, 4}) {  // the shapes built on the polynomial sine
    SCOPED_TRACE(wave);
    EngineRig rig, twoLanes;
    SteadyTwelve(rig, GetParam(), wave);
    SteadyTwelve(twoLanes, MixPath::kPortable, wave);
    for (int k = 0; k < kVoices; ++k) rig.engine.bank.phase[k] = twoLanes.engine.bank.phase[k] = far[k % 8];
    std::vector<double> left, right, expectedLeft, expectedRight;
    rig.Render(5, left, right);
    twoLanes.Render(5, expectedLeft, expectedRight);
    EXPECT_TRUE(SameBits(left.data(), expectedLeft.data(), left.size()));
    EXPECT_TRUE(SameBits(right.data(), expectedRight.data(), right.size()));
    EXPECT_EQ(std::memcmp(&rig.engine.bank, &twoLanes.engine.bank, sizeof rig.engine.bank), 0);
  }
}

// Blocks of random sizes with random changes between them: cells assigned and
// released, shapes, beats, fade styles and lengths, the transport, phase
// re-alignments, and slots whose increment or gain sits right at the silence
// threshold.
TEST_P(EngineRendererIdentity, RandomBlocksAndChangesMatchThePlainLoop) {
  std::mt19937 random(20240612);
  auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  EngineRig rig;
  Use(rig);
  bool running = true;
  for (int step = 0; step < 400; ++step) {
    switch (pick(0, 9)) {
      case 0:
      case 1:
        rig.grid.AssignCell(pick(0, 48));
        rig.grid.RunPass();
        break;
      case 2:
        rig.grid.ReleaseCell(pick(0, 48));
        rig.grid.RunPass();
        break;
      case 3:
        rig.effects.ApplyWave(pick(0, 6));
        break;
      case 4:
        rig.effects.ApplyBinaural(pick(1, 4000));
        break;
      case 5:
        rig.effects.ApplyStartStopFade(pick(0, 1));
        break;
      case 6:
        rig.engine.fadeLength = static_cast<uint32_t>(pick(0, 3) == 0 ? 0 : pick(1, 20000));
        break;
      case 7:
        running = pick(0, 4) != 0;
        break;
      case 8:
        rig.engine.RealignPhases(pick(-1000000, 1000000) * INT64_C(977));
        break;
      default: {
        const int s = pick(0, kToneSlots - 1);
        rig.engine.bank.currentGain[s] = pick(0, 1) ? kSilence : std::nextafter(kSilence, 1.0);
        rig.engine.bank.currentIncrement[pick(0, 1) * kToneSlots + s] = kSilence;
        break;
      }
    }
    SCOPED_TRACE(step);
    ExpectSameAsReference(rig, pick(0, 3) == 0 ? pick(1, 9) : pick(1, 700), running);
  }
}

std::string PathTestName(const ::testing::TestParamInfo<MixPath>& path) {
  if (path.param == MixPath::kAvx2) return "Avx2";
  if (path.param == MixPath::kAvx512) return "Avx512";
  return "Portable";
}
INSTANTIATE_TEST_SUITE_P(Paths, EngineRendererIdentity, ::testing::ValuesIn(kMixPaths), PathTestName);

TEST(EngineMixPath, TheEngineStartsOnTheWidestPathTheProcessorHas) {
  const MixPath fastest = FastestMixPath();
  EXPECT_TRUE(MixPathSupported(fastest));
  EXPECT_TRUE(MixPathSupported(MixPath::kPortable));
  for (MixPath path : kMixPaths) {
    if (!MixPathSupported(path)) continue;
    EXPECT_GE(static_cast<int>(fastest), static_cast<int>(path)) << MixPathName(path);
  }
  EngineRig rig;
  EXPECT_EQ(rig.engine.mixPath, fastest);
}

class EngineRenderer : public ::testing::Test {
 protected:
  EngineRig rig;
  ToneEngine& engine = rig.engine;
  std::vector<double> left, right;
};

TEST_F(EngineRenderer, StoppedTransportFadesToExactSilenceWithPhasesFrozen) {
  ASSERT_TRUE(rig.grid.AssignCell(21));
  rig.grid.RunPass();
  engine.masterVolume = engine.volumeTarget;
  rig.Render(512, left, right);
  engine.fadeLength = 2048;
  double previous = engine.masterVolume;
  int blocks = 0;
  while (engine.masterVolume >= 1e-11 && blocks < 10000) {
    rig.Render(512, left, right, false);
    EXPECT_NEAR(engine.masterVolume, previous * (1.0 - 512.0 / 2048.0), 1e-12);
    previous = engine.masterVolume;
    ++blocks;
  }
  ASSERT_LT(engine.masterVolume, 1e-11);
  const OscillatorBank frozen = engine.bank;
  const double volume = engine.masterVolume;
  rig.Render(512, left, right, false);
  for (size_t i = 0; i < left.size(); ++i) ASSERT_TRUE(left[i] == 0.0 && right[i] == 0.0) << i;
  EXPECT_EQ(std::memcmp(&frozen, &engine.bank, sizeof frozen), 0);
  EXPECT_EQ(engine.masterVolume, volume);

  // "Play Anyway" brings the tone back from the frozen phases.
  rig.effects.ApplyPlayAnyway(1);
  EXPECT_EQ(engine.BlockVolumeTarget(false), static_cast<double>(engine.volumeTarget));
  rig.Render(512, left, right, false);
  EXPECT_NE(left[511], 0.0);
}

TEST_F(EngineRenderer, RealignmentPutsActivePhasesWhereTheTimelineSaysInsideOneTurn) {
  for (int cell : {21, 25}) ASSERT_TRUE(rig.grid.AssignCell(cell));
  rig.grid.RunPass();
  engine.bank.phase[5] = 1.25;  // an inactive slot keeps its phase
  engine.phaseSync.MarkSynchronised(false);
  engine.resyncRequested.store(1);
  const int64_t positions[] = {0, 48000, 3456000000LL, -48000, -123456789012LL, INT64_C(1) << 40};
  for (int64_t p : positions) {
    engine.RealignPhases(p);
    for (int k : {0, 1, kToneSlots, kToneSlots + 1}) {
      const double expected = std::fmod(static_cast<double>(p) * engine.bank.targetIncrement[k], kTwoPi);
      const double phase = engine.bank.phase[k];
      EXPECT_GE(phase, 0.0) << p;
      EXPECT_LT(phase, kTwoPi) << p;
      EXPECT_EQ(phase, expected < 0.0 ? expected + kTwoPi : expected) << p << " voice " << k;
    }
    EXPECT_EQ(engine.bank.phase[5], 1.25);
  }
  EXPECT_EQ(engine.resyncRequested.load(), 0);
  EXPECT_TRUE(engine.phaseSync.Synchronised());
  // Beyond 32 bits the position is used whole: 2^40 samples is not 0.
  engine.RealignPhases(INT64_C(1) << 40);
  const double wide = engine.bank.phase[0];
  engine.RealignPhases(0);
  EXPECT_NE(wide, engine.bank.phase[0]);
}

}  // namespace
