// The player's audio callback driving the built bundle, without a sound card: what
// a listener would hear, block by block as the device asks for it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "bundle_fixture.h"
#include "edit_queue.h"
#include "level.h"
#include "parameter_table.h"
#include "peak_limiter.h"
#include "player_engine.h"
#include "start_settings.h"
#include "vst3_host.h"

namespace spwplay {
namespace {

constexpr int kRate = 48000;
constexpr int kBlock = 256;
using Settings = std::vector<std::pair<std::string, std::string>>;

class PlayerEngineTest : public BundleTest {
 protected:
  void TearDown() override {
    engine_.reset();
    BundleTest::TearDown();
  }

  // Selects the named programme, then the settings, as spw_play does before it starts.
  void Select(const std::string& programme, const Settings& settings = {}) {
    spwrender::SessionOptions options;
    options.program = programme;
    options.settings = settings;
    std::string error;
    ASSERT_TRUE(ApplyStartSettings({"test", stdout, stderr}, *plugin_, options, &error)) << error;
  }

  void Start(int64_t totalFrames = PlayerEngine::kEndless) {
    left_.clear();
    right_.clear();
    table_ = std::make_unique<ParameterTable>(*plugin_);
    engine_ = std::make_unique<PlayerEngine>(*plugin_, *table_, edits_, nullptr, totalFrames);
    std::string error;
    ASSERT_TRUE(engine_->Start(kRate, kBlock, &error)) << error;
  }

  // seconds of output, as the device's callbacks take it.
  void Play(double seconds) {
    const size_t frames = size_t(seconds * kRate);
    for (size_t done = 0; done < frames; done += kBlock) {
      float l[kBlock], r[kBlock];
      engine_->Render(l, r, kBlock);
      left_.insert(left_.end(), l, l + kBlock);
      right_.insert(right_.end(), r, r + kBlock);
    }
  }

  float Peak(size_t from = 0) const { return ::Peak(left_, right_, from); }

  // The peak of the plug-in's own output for the programme and settings, without the player.
  float RawPeak(const std::string& programme, const Settings& settings, double seconds) {
    Select(programme, settings);
    plugin_->SetStereoOutput();
    plugin_->SetupProcessing(kRate, kBlock, spwhost::SampleSize::k32, true);
    plugin_->SetActive(true);
    const int blocks = int(seconds * kRate / kBlock);
    std::vector<float> left(size_t(blocks * kBlock)), right(left.size());
    for (int b = 0; b < blocks; ++b) {
      float* outputs[] = {&left[size_t(b * kBlock)], &right[size_t(b * kBlock)]};
      plugin_->ProcessFloat(outputs, kBlock);
    }
    plugin_->SetActive(false);
    return ::Peak(left, right);
  }

  std::unique_ptr<ParameterTable> table_;
  EditQueue edits_;
  std::unique_ptr<PlayerEngine> engine_;
  std::vector<float> left_, right_;
};

TEST_F(PlayerEngineTest, LoudProgrammeAndEqualizerBoostComeOutAtMostMinusOneDbfs) {
  struct Case {
    const char* programme;
    Settings settings;
  };
  const Case cases[] = {
      {"C Major style", {}},
      {"C Major style", {{"Volume", "100"}}},
      {"C Major style", {{"Volume", "100"}, {"Freq Equalizer", "Brownian noise"}, {"Base Freq", "30"}}},
  };
  for (const Case& c : cases) {
    const float raw = RawPeak(c.programme, c.settings, 3.0);
    EXPECT_GT(raw, 1.0f) << c.programme << ": the plug-in alone goes beyond full scale";
    Select(c.programme, c.settings);
    Start();
    Play(3.0);
    engine_->Stop();
    EXPECT_LE(Peak(), PeakLimiter::Ceiling()) << c.programme << " " << c.settings.size() << " settings; raw peak "
                                              << 20 * std::log10(raw) << " dBFS";
    EXPECT_GT(Peak(), 0.5f * PeakLimiter::Ceiling()) << "still sounding";
  }
}

TEST_F(PlayerEngineTest, SevenSteadyTonesGetASteadyGain) {
  // "C Major style": the tones' peaks rise and fall as their phases drift; after the
  // first seconds the limiter's gain, looked at every 20 ms, moves by at most 0.5 dB.
  Select("C Major style");
  Start();
  Play(3.0);
  engine_->TakeLowestGain();
  double lowestDb = 0.0, highestDb = -100.0;
  for (int step = 0; step < 15 * 50; ++step) {
    Play(0.02);
    const double db = 20.0 * std::log10(engine_->TakeLowestGain());
    lowestDb = std::min(lowestDb, db);
    highestDb = std::max(highestDb, db);
  }
  EXPECT_LT(lowestDb, -0.5) << "limited";
  EXPECT_LE(highestDb - lowestDb, 0.5) << "from " << lowestDb << " to " << highestDb << " dB";
}

TEST_F(PlayerEngineTest, SoundRisesFromSilenceAndFadesToItInHalfASecondWithoutAStep) {
  Select("C Major style");
  Start();
  Play(1.0);
  auto largestStep = [&](size_t from, size_t to) { return LargestStep(left_, right_, from, to); };
  // The largest step between neighbouring samples the tones make on their own, once risen.
  const float ownStep = largestStep(size_t(0.2 * kRate), left_.size());
  // The first callbacks may go out before a sound server connects the ports: silence, then a soft start.
  const size_t lead = size_t(PlayerEngine::kLeadSeconds * kRate), tenMs = size_t(0.01 * kRate);
  EXPECT_EQ(::Peak(left_, 0, lead), 0.0f) << "silence while the ports connect";
  EXPECT_LT(Rms(left_, lead, tenMs), 0.05 * Rms(left_, size_t(0.5 * kRate), tenMs)) << "the start";
  EXPECT_LE(largestStep(0, size_t(0.2 * kRate)), ownStep * 1.01f) << "the start";
  const size_t fadeFrom = left_.size();
  engine_->RequestFade();
  Play(0.7);
  EXPECT_TRUE(engine_->Faded());
  EXPECT_LE(largestStep(fadeFrom, left_.size()), ownStep * 1.01f) << "the fade";
  const size_t silentFrom = fadeFrom + size_t(PlayerEngine::kFadeSeconds * kRate) + kBlock;
  EXPECT_EQ(Peak(silentFrom), 0.0f);
  EXPECT_GT(Peak(fadeFrom), 0.1f) << "the fade starts from the sound";
  // An edit made once faded (a click in the last moment) reaches the plug-in when the player ends, so it is saved.
  const uint32_t volume = 10;
  ASSERT_TRUE(edits_.Push({volume, 0.3}));
  Play(0.1);
  engine_->ApplyQueuedEdits();
  EXPECT_DOUBLE_EQ(plugin_->GetParamNormalized(volume), 0.3);
}

TEST_F(PlayerEngineTest, SessionEndArrivesFadedOut) {
  Select("C Major style");
  Start(kRate);  // one second
  Play(1.2);
  EXPECT_TRUE(engine_->Faded());
  EXPECT_EQ(Peak(size_t(kRate)), 0.0f);
  EXPECT_GT(Peak(size_t(0.3 * kRate)), 0.1f);
}

}  // namespace
}  // namespace spwplay
