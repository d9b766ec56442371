// What the bundle plays, rendered through the host library and measured by
// spectrum: the default programme's binaural pair on the two ears, in 32-bit and
// in 64-bit processing, at 48 and at 44.1 kHz.

#include <cmath>
#include <cstdint>
#include <vector>

#include "bundle_fixture.h"
#include "failure_audio.h"
#include "level.h"
#include "spectrum.h"

namespace {

constexpr double kRate = 48000.0;
constexpr int kBlock = 512;

double PowerAt(const std::vector<double>& x, double hz, double rate = kRate) {
  const double magnitude = ToneMagnitude(x, hz, rate);
  return magnitude * magnitude;
}

double PeakBetween(const std::vector<double>& x, double lo, double hi, double rate = kRate) {
  return PeakFrequency(x, lo, hi, 0.1, rate);
}


struct Rendered {
  std::vector<double> left, right;
};

// Renders seconds of audio at rate Hz from a running transport; keeps the last second.
template <typename Sample>
Rendered Render(spwhost::Plugin& plugin, double seconds, double rate = kRate) {
  const int blocks = static_cast<int>(seconds * rate) / kBlock;
  const size_t kept = static_cast<size_t>(rate);
  std::vector<Sample> l(kBlock), r(kBlock);
  Sample* outputs[2] = {l.data(), r.data()};
  Rendered out;
  for (int b = 0; b < blocks; ++b) {
    const bool ok = sizeof(Sample) == sizeof(float)
                        ? plugin.ProcessFloat(reinterpret_cast<float* const*>(outputs), kBlock)
                        : plugin.ProcessDouble(reinterpret_cast<double* const*>(outputs), kBlock);
    EXPECT_TRUE(ok);
    out.left.insert(out.left.end(), l.begin(), l.end());
    out.right.insert(out.right.end(), r.begin(), r.end());
  }
  if (out.left.size() > kept) {
    out.left.erase(out.left.begin(), out.left.end() - static_cast<long>(kept));
    out.right.erase(out.right.begin(), out.right.end() - static_cast<long>(kept));
  }
  return out;
}

// Three seconds of the default programme at rate, with the transport running: each
// ear hears its half of the binaural pair, 254 and 258 Hz. On failure the audio is
// kept as wavName.
void ExpectDefaultBinauralPair(spwhost::Plugin& plugin, double rate, const char* wavName) {
  const Rendered audio = Render<float>(plugin, 3.0, rate);
  const double leftPeak = PeakBetween(audio.left, 230.0, 280.0, rate);
  const double rightPeak = PeakBetween(audio.right, 230.0, 280.0, rate);
  if (std::fabs(leftPeak - 254.0) > 0.3 || std::fabs(rightPeak - 258.0) > 0.3) {
    WriteStereoWav(wavName, audio.left, audio.right, uint32_t(rate));
  }
  EXPECT_GT(Rms(audio.left), 0.05);
  EXPECT_GT(Rms(audio.right), 0.05);
  EXPECT_NEAR(leftPeak, 254.0, 0.3);
  EXPECT_NEAR(rightPeak, 258.0, 0.3);
  // Each ear carries its own tone, not the other's.
  EXPECT_GT(PowerAt(audio.left, 254.0, rate), 100.0 * PowerAt(audio.left, 258.0, rate));
  EXPECT_GT(PowerAt(audio.right, 258.0, rate), 100.0 * PowerAt(audio.right, 254.0, rate));
}

}  // namespace

// The default programme sounds slot 1 on grid cell 22 with "Binaural" 4 Hz as the
// beat: the grid starts at 4 Hz doubled to 32 Hz, cell 22 is row 3, column 0, so
// the carrier is 32 * 2^3 = 256 Hz. "Center Right" centres the pair on it:
// left 256 - 4/2 = 254 Hz, right 254 + 4 = 258 Hz.
TEST_F(BundleTest, ThirtyTwoBitDefaultProgrammeIsTheBinauralPair) {
  ASSERT_TRUE(plugin_->SetStereoOutput());
  ASSERT_TRUE(plugin_->SetupProcessing(kRate, kBlock, spwhost::SampleSize::k32, false));
  ASSERT_TRUE(plugin_->SetActive(true));
  ExpectDefaultBinauralPair(*plugin_, kRate, "vst3_bundle_32bit.wav");
}

// At 44.1 kHz the ears hear the same pair: the tones follow the host's rate.
TEST_F(BundleTest, DefaultProgrammeIsTheSameBinauralPairAt44100) {
  constexpr double kCdRate = 44100.0;
  ASSERT_TRUE(plugin_->SetStereoOutput());
  ASSERT_TRUE(plugin_->SetupProcessing(kCdRate, kBlock, spwhost::SampleSize::k32, false));
  ASSERT_TRUE(plugin_->SetActive(true));
  ExpectDefaultBinauralPair(*plugin_, kCdRate, "vst3_bundle_44100.wav");
}

// "Binaural Pan" "Right" (value 0) keeps the carrier on the left ear and puts
// carrier + beat on the right: 256 and 260 Hz.
TEST_F(BundleTest, SixtyFourBitRenderFollowsAPanChange) {
  ASSERT_TRUE(plugin_->SetupProcessing(kRate, kBlock, spwhost::SampleSize::k64, true));
  ASSERT_TRUE(plugin_->SetActive(true));
  plugin_->QueueParameterChange(5, 0.0);
  const Rendered audio = Render<double>(*plugin_, 3.0);
  const double leftPeak = PeakBetween(audio.left, 230.0, 280.0);
  const double rightPeak = PeakBetween(audio.right, 230.0, 280.0);
  if (std::fabs(leftPeak - 256.0) > 0.3 || std::fabs(rightPeak - 260.0) > 0.3) {
    WriteStereoWav("vst3_bundle_64bit.wav", audio.left, audio.right, uint32_t(kRate));
  }
  EXPECT_GT(Rms(audio.left), 0.05);
  EXPECT_NEAR(leftPeak, 256.0, 0.3);
  EXPECT_NEAR(rightPeak, 260.0, 0.3);
}

TEST_F(BundleTest, StoppedTransportFadesToSilence) {
  ASSERT_TRUE(plugin_->SetupProcessing(kRate, kBlock, spwhost::SampleSize::k32, false));
  ASSERT_TRUE(plugin_->SetActive(true));
  ASSERT_GT(Rms(Render<float>(*plugin_, 1.0).left), 0.05) << "sounding before the stop";
  plugin_->SetTransport(false);
  const Rendered audio = Render<float>(*plugin_, 8.0);
  const std::vector<double> tail(audio.left.end() - kBlock, audio.left.end());
  EXPECT_LT(Rms(tail), 1e-6);
}
