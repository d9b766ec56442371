// What the bundle plays, rendered through the host library and measured by
// spectrum: the default programme's binaural pair on the two ears, in 32-bit and
// in 64-bit processing.

#include <cmath>
#include <cstdio>
#include <vector>

#include "bundle_fixture.h"
#include "spectrum.h"

namespace {

constexpr double kRate = 48000.0;
constexpr int kBlock = 512;

double PowerAt(const std::vector<double>& x, double hz) {
  const double magnitude = ToneMagnitude(x, hz, kRate);
  return magnitude * magnitude;
}

double PeakBetween(const std::vector<double>& x, double lo, double hi) { return PeakFrequency(x, lo, hi, 0.1, kRate); }

double Rms(const std::vector<double>& x) {
  double sum = 0.0;
  for (double v : x) sum += v * v;
  return std::sqrt(sum / static_cast<double>(x.size()));
}

// On failure the rendered audio goes next to the test log as raw 64-bit stereo.
void Keep(const char* name, const std::vector<double>& left, const std::vector<double>& right) {
  if (FILE* f = std::fopen(name, "wb")) {
    for (size_t i = 0; i < left.size(); ++i) {
      std::fwrite(&left[i], sizeof(double), 1, f);
      std::fwrite(&right[i], sizeof(double), 1, f);
    }
    std::fclose(f);
  }
}

struct Rendered {
  std::vector<double> left, right;
};

// Renders seconds of audio from a running transport; keeps the last second.
template <typename Sample>
Rendered Render(spwhost::Plugin& plugin, double seconds) {
  const int blocks = static_cast<int>(seconds * kRate) / kBlock;
  const size_t kept = static_cast<size_t>(kRate);
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

}  // namespace

// The default programme sounds slot 1 on grid cell 22 with "Binaural" 4 Hz as the
// beat: the grid starts at 4 Hz doubled to 32 Hz, cell 22 is row 3, column 0, so
// the carrier is 32 * 2^3 = 256 Hz. "Center Right" centres the pair on it:
// left 256 - 4/2 = 254 Hz, right 254 + 4 = 258 Hz.
TEST_F(BundleTest, ThirtyTwoBitDefaultProgrammeIsTheBinauralPair) {
  ASSERT_TRUE(plugin_->SetStereoOutput());
  ASSERT_TRUE(plugin_->SetupProcessing(kRate, kBlock, spwhost::SampleSize::k32, false));
  ASSERT_TRUE(plugin_->SetActive(true));
  const Rendered audio = Render<float>(*plugin_, 3.0);
  const double leftPeak = PeakBetween(audio.left, 230.0, 280.0);
  const double rightPeak = PeakBetween(audio.right, 230.0, 280.0);
  if (std::fabs(leftPeak - 254.0) > 0.3 || std::fabs(rightPeak - 258.0) > 0.3) {
    Keep("vst3_bundle_32bit.f64", audio.left, audio.right);
  }
  EXPECT_GT(Rms(audio.left), 0.05);
  EXPECT_GT(Rms(audio.right), 0.05);
  EXPECT_NEAR(leftPeak, 254.0, 0.3);
  EXPECT_NEAR(rightPeak, 258.0, 0.3);
  // Each ear carries its own tone, not the other's.
  EXPECT_GT(PowerAt(audio.left, 254.0), 100.0 * PowerAt(audio.left, 258.0));
  EXPECT_GT(PowerAt(audio.right, 258.0), 100.0 * PowerAt(audio.right, 254.0));
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
    Keep("vst3_bundle_64bit.f64", audio.left, audio.right);
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
