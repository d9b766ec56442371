// What the ears hear: the spectrum of each channel carries the expected
// frequency. On failure the rendered audio is written next to the test log.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "engine_rig.h"
#include "spectrum.h"

namespace {

constexpr int kRate = 48000;

double Magnitude(const std::vector<double>& x, double hz) { return ToneMagnitude(x, hz, kRate); }

void WriteStereoWav(const std::string& path, const std::vector<double>& left, const std::vector<double>& right) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  const uint32_t frames = static_cast<uint32_t>(left.size());
  const uint32_t dataBytes = frames * 2 * 4;
  auto u32 = [f](uint32_t v) { std::fwrite(&v, 4, 1, f); };
  auto u16 = [f](uint16_t v) { std::fwrite(&v, 2, 1, f); };
  std::fwrite("RIFF", 1, 4, f);
  u32(36 + dataBytes);
  std::fwrite("WAVEfmt ", 1, 8, f);
  u32(16);
  u16(3);  // 32-bit float
  u16(2);
  u32(kRate);
  u32(kRate * 8);
  u16(8);
  u16(32);
  std::fwrite("data", 1, 4, f);
  u32(dataBytes);
  for (uint32_t i = 0; i < frames; ++i) {
    const float pair[2] = {static_cast<float>(left[i]), static_cast<float>(right[i])};
    std::fwrite(pair, 4, 2, f);
  }
  std::fclose(f);
}

TEST(EngineSpectrum, EachEarCarriesItsHalfOfTheBinauralPair) {
  const struct {
    int pan;
    int left, right;
  } cases[] = {{2, 254, 258}, {3, 258, 254}, {0, 256, 260}, {1, 260, 256}, {4, 256, 256}};
  for (const auto& c : cases) {
    EngineRig rig(kRate);  // "Binaural" 4 Hz: cell 22 is a 256 Hz carrier
    rig.effects.ApplyPan(c.pan);
    rig.engine.fadeLength = 0;
    rig.engine.masterVolume = rig.engine.volumeTarget;
    ASSERT_TRUE(rig.grid.AssignCell(21));
    rig.grid.RunPass();
    std::vector<double> left, right;
    rig.Render(4800, left, right);  // the level ramp completes
    rig.Render(kRate, left, right);  // one second: whole hertz fall on exact bins
    const double peakLeft = PeakFrequency(left, 240, 275, 1.0, kRate);  // whole hertz
    const double peakRight = PeakFrequency(right, 240, 275, 1.0, kRate);
    EXPECT_EQ(peakLeft, c.left) << "pan " << c.pan;
    EXPECT_EQ(peakRight, c.right) << "pan " << c.pan;
    // Amplitude: the slot's equalized gain at the applied volume, less than the polynomial's error.
    const double amplitude = 2.0 * Magnitude(left, c.left);
    EXPECT_NEAR(amplitude, rig.engine.bank.currentGain[0] * rig.engine.masterVolume, 1e-3);
    if (c.left != c.right) {
      EXPECT_LT(Magnitude(left, c.right), 1e-3 * Magnitude(left, c.left));
    }
    if (HasFailure()) {
      const std::string path = "engine_spectrum_pan" + std::to_string(c.pan) + ".wav";
      WriteStereoWav(path, left, right);
      ADD_FAILURE() << "rendered audio written to " << path;
    }
  }
}

}  // namespace
