// The polynomial sine and the seven wave shapes at their landmarks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "oscillator_bank.h"
#include "wave_shapes.h"

namespace {

class EngineOscillators : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(&bank, 0, sizeof bank);
    InitOscillatorBank(bank);
  }
  double Wave(uint32_t id, double phase) {
    SetWave(bank, id);
    return bank.waveFunction(bank, phase);
  }
  OscillatorBank bank;
};

const double kA = static_cast<double>(0.618f);

TEST_F(EngineOscillators, FastSineHitsItsExactPointsAndStaysWithinItsError) {
  EXPECT_NEAR(FastSine(bank, kHalfPi), 1.0, 2.3e-16);
  EXPECT_NEAR(FastSine(bank, 3.0 * kHalfPi), -1.0, 2.3e-16);
  EXPECT_EQ(FastSine(bank, 0.0), 0.0);
  double worst = 0.0;
  for (int i = -40000; i <= 40000; ++i) {
    const double x = i * (4.0 * kPi / 40000.0);
    worst = std::fmax(worst, std::fabs(FastSine(bank, x) - std::sin(x)));
    ASSERT_EQ(FastSine(bank, -x), -FastSine(bank, x)) << x;
  }
  // A polynomial, not the library sine: about 3e-4 off at worst.
  EXPECT_LT(worst, 3.2e-4);
  EXPECT_GT(worst, 2.0e-4);
}

TEST_F(EngineOscillators, EachShapeAtItsLandmarks) {
  EXPECT_EQ(Wave(1, 0.0), 0.0);  // Triangle
  EXPECT_NEAR(Wave(1, kHalfPi), 1.0, 1e-15);
  EXPECT_NEAR(Wave(1, 3.0 * kHalfPi), -1.0, 1e-15);
  EXPECT_NEAR(Wave(2, 0.0), 0.0, 1e-15);  // Saw: jumps at pi
  EXPECT_NEAR(Wave(2, kPi - 1e-6), 1.0, 1e-6);
  EXPECT_NEAR(Wave(2, kPi + 1e-6), -1.0, 1e-6);

  // Golden Sine: +1 at u = 0, -1 where its segments meet (u = split, 38.2 % of the cycle).
  SetWave(bank, 3);
  EXPECT_EQ(bank.split, static_cast<double>(1.0f - 0.618f) * kTwoPi);
  EXPECT_NEAR(Wave(3, kA * kPi), 1.0, 1e-9);
  EXPECT_NEAR(Wave(3, kA * kPi + bank.split), -1.0, 1e-7);
  // Gold. Sine Half: +1 at u = split, -1 at u = 0.
  SetWave(bank, 4);
  EXPECT_EQ(bank.split, kA * kTwoPi);
  EXPECT_NEAR(Wave(4, bank.split - kGoldenSineHalfShift), 1.0, 1e-9);
  EXPECT_NEAR(Wave(4, kTwoPi - kGoldenSineHalfShift), -1.0, 1e-9);
  // Gold. Triangle: +1 at u = split, -1 at u = 0 and at u = P (not wrapped).
  SetWave(bank, 5);
  EXPECT_NEAR(Wave(5, bank.split - kGoldenTriangleShift), 1.0, 1e-6);
  EXPECT_NEAR(bank.slopeB - bank.period * bank.offsetB, -1.0, 1e-6);
  EXPECT_NEAR(Wave(5, kTwoPi - kGoldenTriangleShift), -1.0, 1e-6);
}

TEST_F(EngineOscillators, GoldSquareSwitchesAtTheSplitLeftByTheLastGoldenShape) {
  EXPECT_EQ(bank.split, 3.8830083370775546);
  EXPECT_EQ(Wave(6, std::nextafter(3.8830083370775546, 0.0)), 1.0);
  EXPECT_EQ(Wave(6, 3.8830083370775546), -1.0);
  EXPECT_EQ(Wave(6, 0.0), 1.0);
  SetWave(bank, 3);  // Golden Sine: high for 38.2 % only
  EXPECT_EQ(Wave(6, 3.0), -1.0);
  EXPECT_EQ(Wave(6, 2.0), 1.0);
}

TEST_F(EngineOscillators, EveryShapeStaysInRangeAndRisesThroughZeroAtPhaseZero) {
  for (uint32_t id = 0; id < uint32_t{kWaveShapes}; ++id) {
    SetWave(bank, id);
    double low = 2.0, high = -2.0;
    for (int i = 0; i < 100000; ++i) {
      const double v = bank.waveFunction(bank, i * (kTwoPi / 100000.0));
      low = std::fmin(low, v);
      high = std::fmax(high, v);
    }
    EXPECT_GE(low, -1.0 - 1e-6) << id;
    EXPECT_LE(high, 1.0 + 1e-6) << id;
    EXPECT_LT(low, -0.99) << id;
    EXPECT_GT(high, 0.99) << id;
    if (id == 6) continue;  // the square starts high
    EXPECT_NEAR(bank.waveFunction(bank, 0.0), 0.0, 1e-3) << id;
    EXPECT_GT(bank.waveFunction(bank, 0.01), bank.waveFunction(bank, 0.0)) << id;
  }
}

TEST_F(EngineOscillators, ShapeChangesKeepOrRestoreTheirConstants) {
  SetWave(bank, 3);
  const OscillatorBank golden = bank;
  SetWave(bank, 0);
  EXPECT_EQ(bank.split, golden.split);  // the sine sets nothing
  SetWave(bank, 3);
  EXPECT_EQ(std::memcmp(&bank, &golden, sizeof bank), 0);
  SetWave(bank, 9);  // an unknown id is stored and changes nothing else
  EXPECT_EQ(bank.waveId, 9u);
  EXPECT_EQ(bank.waveFunction, &WaveOf<shapes::GoldenSine>);
}

// The renderer evaluates two ears at once; each lane must give the scalar's bits,
// including at the wrap and segment boundaries.
TEST_F(EngineOscillators, TwoLaneShapesGiveTheScalarBitsInEachLane) {
  std::vector<double> phases;
  for (int i = 0; i < 20000; ++i) phases.push_back(i * (kTwoPi / 20000.0));
  for (double edge : {kPi, kHalfPi, kTwoPi, 3.8830083370775546, kTwoPi - kGoldenSineHalfShift,
                      kTwoPi - kGoldenTriangleShift, kTwoPi - kHalfPi, kTwoPi - kPi, 0.0}) {
    phases.push_back(edge);
    phases.push_back(std::nextafter(edge, 0.0));
    phases.push_back(std::nextafter(edge, 10.0));
  }
  for (uint32_t id = 0; id <= 6; ++id) {
    SetWave(bank, id);
    for (size_t i = 0; i + 1 < phases.size(); ++i) {
      const double a = phases[i], b = phases[phases.size() - 1 - i];
      Lanes2 lanes = MakeLanes(a, b);
      switch (id) {
        case 0: lanes = shapes::Sine::Eval(bank, lanes); break;
        case 1: lanes = shapes::Triangle::Eval(bank, lanes); break;
        case 2: lanes = shapes::Saw::Eval(bank, lanes); break;
        case 3: lanes = shapes::GoldenSine::Eval(bank, lanes); break;
        case 4: lanes = shapes::GoldenSineHalf::Eval(bank, lanes); break;
        case 5: lanes = shapes::GoldenTriangle::Eval(bank, lanes); break;
        default: lanes = shapes::GoldenSquare::Eval(bank, lanes); break;
      }
      const double low = Low(lanes), high = High(lanes);
      const double scalarLow = bank.waveFunction(bank, a), scalarHigh = bank.waveFunction(bank, b);
      ASSERT_EQ(std::memcmp(&low, &scalarLow, sizeof low), 0) << "shape " << id << " phase " << a;
      ASSERT_EQ(std::memcmp(&high, &scalarHigh, sizeof high), 0) << "shape " << id << " phase " << b;
    }
  }
}

}  // namespace
