#include <gtest/gtest.h>

#include <vector>

#include "effect_base.h"

namespace {
// Writes a ramp (0.25 + frame) into left and its negative into right, so conversions can be checked.
class RampEffect : public IEffectBase {
 public:
  explicit RampEffect(const char* io = "0-2") : IEffectBase(Config(io)) {}
  static IEffectConfig Config(const char* io) {
    IEffectConfig c;
    c.channelIo = io;
    return c;
  }
  void ProcessBlock(double** inputs, double** outputs, int nFrames) noexcept override {
    ++calls;
    lastInputs = inputs;
    for (int f = 0; f < nFrames; ++f) {
      outputs[0][f] = 0.25 + f;
      outputs[1][f] = -(0.25 + f);
    }
  }
  int calls = 0;
  double** lastInputs = reinterpret_cast<double**>(1);
};
}  // namespace

TEST(BlockWrapper, NothingIsRenderedUntilParamsAreReady) {
  RampEffect fx;
  fx.ApplyBlockSize(8);
  fx.SetOutputConnections(0, 2, true);
  std::vector<float> l(8, 9.f), r(8, 9.f);
  float* outs[] = {l.data(), r.data()};
  fx.AttachOutputBuffers(0, 2, outs);
  fx.ProcessBuffers(0.f, 8);
  EXPECT_EQ(fx.calls, 0);
  // The zeroed scratch buffers are delivered instead.
  for (float v : l) EXPECT_EQ(v, 0.f);

  fx.SetParamsReady();
  fx.ProcessBuffers(0.f, 8);
  EXPECT_EQ(fx.calls, 1);
  EXPECT_EQ(fx.lastInputs, nullptr);  // no inputs: a null input array
  EXPECT_FLOAT_EQ(l[3], 3.25f);
  EXPECT_FLOAT_EQ(r[7], -7.25f);
}

TEST(BlockWrapper, SixtyFourBitBuffersAreUsedInPlace) {
  RampEffect fx;
  fx.SetParamsReady();
  fx.ApplyBlockSize(4);
  fx.SetOutputConnections(0, 2, true);
  std::vector<double> l(4), r(4);
  double* outs[] = {l.data(), r.data()};
  fx.AttachOutputBuffers(0, 2, outs);
  fx.ProcessBuffers(0.0, 4);
  EXPECT_DOUBLE_EQ(l[2], 2.25);
  EXPECT_DOUBLE_EQ(r[2], -2.25);
}

TEST(BlockWrapper, DisconnectedChannelWritesItsOwnScratch) {
  RampEffect fx;
  fx.SetParamsReady();
  fx.ApplyBlockSize(4);
  fx.SetOutputConnections(0, 2, true);
  fx.SetOutputConnections(1, 1, false);
  EXPECT_TRUE(fx.OutputConnected(0));
  EXPECT_FALSE(fx.OutputConnected(1));
  std::vector<double> l(4);
  double* outs[] = {l.data()};
  fx.AttachOutputBuffers(0, 2, outs);  // one host buffer, for the one connected channel
  fx.ProcessBuffers(0.0, 4);
  EXPECT_DOUBLE_EQ(l[1], 1.25);
}

TEST(BlockWrapper, ThirtyTwoBitFramesBeyondTheBlockSizeAreNotWritten) {
  RampEffect fx;
  fx.SetParamsReady();
  fx.ApplyBlockSize(4);
  fx.SetOutputConnections(0, 2, true);
  std::vector<float> l(8, 9.f), r(8, 9.f);
  float* outs[] = {l.data(), r.data()};
  fx.AttachOutputBuffers(0, 2, outs);
  fx.ProcessBuffers(0.f, 8);
  EXPECT_FLOAT_EQ(l[3], 3.25f);
  EXPECT_FLOAT_EQ(l[4], 9.f);
}

TEST(BlockWrapper, PassThroughCopiesInputsAndSilencesTheRest) {
  RampEffect fx("1-2");
  fx.ApplyBlockSize(3);
  fx.SetInputConnections(0, 1, true);
  fx.SetOutputConnections(0, 2, true);
  std::vector<float> in = {0.5f, -0.5f, 0.25f};
  float* ins[] = {in.data()};
  std::vector<float> l(3, 9.f), r(3, 9.f);
  float* outs[] = {l.data(), r.data()};
  fx.AttachInputBuffers(0, 1, ins, 3);
  fx.AttachOutputBuffers(0, 2, outs);
  fx.PassThroughBuffers(0.f, 3);
  EXPECT_EQ(l, in);
  EXPECT_EQ(r, std::vector<float>(3, 0.f));
  EXPECT_EQ(fx.calls, 0);
}

TEST(BlockWrapper, BypassWithoutInputsIsSilent) {
  RampEffect fx;
  fx.ApplyBlockSize(2);
  fx.SetOutputConnections(0, 2, true);
  std::vector<double> l(2, 1.0), r(2, 1.0);
  double* outs[] = {l.data(), r.data()};
  fx.AttachOutputBuffers(0, 2, outs);
  fx.PassThroughBuffers(0.0, 2);
  EXPECT_EQ(l, std::vector<double>(2, 0.0));
  EXPECT_EQ(r, std::vector<double>(2, 0.0));
}

TEST(BlockWrapper, ChannelIoTextGivesChannelCounts) {
  RampEffect stereo("0-2");
  EXPECT_EQ(stereo.InputChannelCount(), 0);
  EXPECT_EQ(stereo.OutputChannelCount(), 2);
  RampEffect several("1-1 2-2");
  EXPECT_EQ(several.InputChannelCount(), 2);
  EXPECT_EQ(several.OutputChannelCount(), 2);
  EXPECT_EQ(several.ChannelIoPairs().size(), 2u);
}
