// The audio path allocates nothing and takes no lock but the instance lock its
// caller already holds. This program replaces the allocation functions (on
// Linux also malloc and pthread_mutex_lock) to count calls on the thread
// under test.
#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "mix_path.h"
#include "plugin_editor.h"
#include "test_plugin.h"
#include "allocation_counter.h"
#include "wave_shapes.h"

namespace {

TEST(EngineRealtime, ProcessBlockNeitherAllocatesNorLocksAnythingElse) {
  tCounting = true;  // the counting itself works
  delete new int(1);
#if defined(__linux__)
  std::mutex other;
  other.lock();
  other.unlock();
  ASSERT_EQ(gForeignLocks, 1);
#endif
  tCounting = false;
  ASSERT_GE(gAllocations, 2);
  gAllocations = gForeignLocks = 0;

  // Every mixing path this processor has, each from a fresh plug-in.
  for (MixPath path : kMixPaths) {
    if (!MixPathSupported(path)) continue;
    SCOPED_TRACE(MixPathName(path));
    PluginHandle plugin(BuildWindowedEditor);
    ASSERT_NE(plugin->Editor(), nullptr);  // captions and status line go to the editor's controls
    plugin->Engine().mixPath = path;
    std::vector<double> left(8192), right(8192);
    auto block = [&](int nFrames) {  // as the binding renders: under the instance lock
      std::lock_guard<std::recursive_mutex> lock(plugin->Mutex());
#if defined(__linux__)
      gAllowedLock = plugin->Mutex().native_handle();
#endif
      double* outs[2] = {left.data(), right.data()};
      tCounting = true;
      plugin->ProcessBlock(nullptr, outs, nFrames);
      tCounting = false;
    };
    plugin->SetSampleRate(48000.0);
    block(512);  // the first block: Reset, forced parameters, a grid pass, captions, re-alignment
    ASSERT_NE(plugin->Engine().bank.slotActive[0], 0);
    for (int32_t wave = 0; wave < kWaveShapes; ++wave) {
      plugin->Effects().ApplyWave(wave);
      for (int n : {1, 32, 512, 4096, 8192, 0}) block(n);
    }
    // Glides, releases, a re-alignment to a negative position, a new sample rate.
    ASSERT_TRUE(plugin->Grid().AssignCell(30));
    plugin->Effects().ApplyStartStopFade(1);
    plugin->Grid().ReleaseCell(21);
    plugin->Engine().resyncRequested.store(1);
    plugin->position = -96000;
    block(4096);
    plugin->SetSampleRate(96000.0);
    plugin->Engine().initialised.store(0);
    block(4096);
    // Stopped transport down to the silent path.
    plugin->transport = 0;
    plugin->Engine().fadeLength = 0;
    for (int i = 0; i < 3; ++i) block(4096);
    EXPECT_LT(plugin->Engine().masterVolume, kSilence);
  }
  EXPECT_EQ(gAllocations, 0);
  EXPECT_EQ(gForeignLocks, 0);
}

// The real change handler, as automation inside a block runs it on the audio
// thread: engine effects, grid passes, editor holders, status messages.
class AutomatedPlugin : public CLS_STEREOPULSEWEAVER {
 public:
  AutomatedPlugin() : CLS_STEREOPULSEWEAVER(BuildWindowedEditor) {}
  int GetTransportState() override { return 1; }
};

TEST(EngineRealtime, AutomationInsideABlockNeitherAllocatesNorLocksAnythingElse) {
  gAllocations = gForeignLocks = 0;
  auto* plugin = new AutomatedPlugin();
  ASSERT_NE(plugin->Editor(), nullptr);  // hidden knobs, wave picture and texts on the editor
  std::vector<double> left(512), right(512);
  double* outs[2] = {left.data(), right.data()};
  plugin->SetSampleRate(48000.0);
  for (int i = 0; i < kParameterCount; ++i) plugin->ParameterChanged(i);
  {
    std::lock_guard<std::recursive_mutex> lock(plugin->Mutex());
#if defined(__linux__)
    gAllowedLock = plugin->Mutex().native_handle();
#endif
    plugin->ProcessBlock(nullptr, outs, 512);
    // New values for every parameter, twice over, each followed by a block.
    const double first[kParameterCount] = {7.83, 300, 1, 1, 3, 4, 2, 3, 2.5, 1, 40, 12.5,
                                           23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34};
    const double second[kParameterCount] = {4, 440, 0, 0, 6, 0, 0, 0, 0.5, 0, 90, 3,
                                            22, 0, 25, 0, 40, 0, 29, 0, 0, 0, 0, 22};
    for (const double* values : {first, second}) {
      for (int i = 0; i < kParameterCount; ++i) {
        plugin->ParamAt(i)->SetValue(values[i]);
        tCounting = true;
        plugin->ParameterChanged(i);
        plugin->ProcessBlock(nullptr, outs, 512);
        tCounting = false;
      }
    }
  }
  EXPECT_EQ(gAllocations, 0);
  EXPECT_EQ(gForeignLocks, 0);
  plugin->release();
}

}  // namespace
