// What the ears hear: the spectrum of each channel carries the expected
// frequency. On failure the rendered audio is written next to the test log.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "engine_rig.h"
#include "failure_audio.h"
#include "spectrum.h"

namespace {

constexpr int kRate = 48000;

double Magnitude(const std::vector<double>& x, double hz) { return ToneMagnitude(x, hz, kRate); }

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
      WriteStereoWav(path, left, right, uint32_t(kRate));
      ADD_FAILURE() << "rendered audio written to " << path;
    }
  }
}

}  // namespace
