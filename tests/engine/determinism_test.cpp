// Two instances given the same programme at the same host position play the same
// bits: nothing in the sound depends on the instance, its address or the clock.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "test_plugin.h"
#include "wave_shapes.h"

namespace {

constexpr int kBlock = 512;
constexpr int kBlocks = 40;  // about half a second at 44.1 kHz, past the first fade-in

// The programme under test: the defaults with wave and a second sounding slot.
void Program(TestPlugin& plugin, int wave) {
  plugin.Effects().ApplyWave(wave);
  plugin.Effects().ApplySlotParameter(1, 37);
}

// Renders from host position start at 44.1 kHz, the position advancing as a host's does.
std::vector<double> Render(TestPlugin& plugin, int64_t start) {
  plugin.SetSampleRate(44100.0);
  std::vector<double> left(kBlock), right(kBlock), both;
  double* outs[2] = {left.data(), right.data()};
  for (int b = 0; b < kBlocks; ++b) {
    plugin.position = start + int64_t(b) * kBlock;
    plugin.ProcessBlock(nullptr, outs, kBlock);
    both.insert(both.end(), left.begin(), left.end());
    both.insert(both.end(), right.begin(), right.end());
  }
  return both;
}

}  // namespace

TEST(Determinism, TwoInstancesAtTheSamePositionPlayIdenticalBits) {
  for (int wave = 0; wave < kWaveShapes; ++wave) {
    PluginHandle first, second;
    Program(*first.plugin, wave);
    Program(*second.plugin, wave);
    const std::vector<double> a = Render(*first.plugin, 1234567);
    const std::vector<double> b = Render(*second.plugin, 1234567);
    ASSERT_EQ(a.size(), b.size());
    double level = 0.0;
    for (double v : a) level += v * v;
    EXPECT_GT(level, 0.0) << "wave " << wave << " is silent, so the comparison proves nothing";
    EXPECT_EQ(std::memcmp(a.data(), b.data(), a.size() * sizeof(double)), 0) << "wave " << wave;
  }
}
