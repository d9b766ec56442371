// Every thread a host and the editor bring, at once, for a few seconds: an audio
// thread processing 64-frame blocks while other threads change all 24 parameters
// (through the controller, the audio thread's queue and the editor), change
// programmes through "Presets" (the empty slots among them, which get named),
// list the programme names and save and restore the state. Built with
// ThreadSanitizer, any data race ends the program; in every build the audio stays
// finite and the state whole.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <random>
#include <thread>
#include <vector>

#include "direct_host.h"
#include "pending_changes.h"
#include "pluginterfaces/vst/ivstunits.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr ParamID kPresetsId = 0x70727374;
constexpr int kPresets = 160;
constexpr auto kDuration = std::chrono::seconds(3);

TEST(ConcurrencyStress, AudioControllerEditorProgrammesAndStateAtOnce) {
  DirectHost host;
  ASSERT_TRUE(host.Ready());
  CLS_STEREOPULSEWEAVER& plugin = host.Plugin();
  PendingChanges pending;
  std::atomic<bool> running{true};
  std::atomic<int> badBlocks{0}, badStates{0}, badNames{0}, blocks{0};

  const std::vector<std::function<void(std::mt19937&)>> threads = {
      // The audio thread.
      [&](std::mt19937&) {
        for (bool doubles = true; running; doubles = !doubles, ++blocks) {
          pending.MoveInto([&host](ParamID id, double v) { host.Queue(id, v); });
          if (!host.Process(64, doubles)) ++badBlocks;
        }
      },
      // The host's user interface automates every parameter.
      [&](std::mt19937& random) {
        std::uniform_real_distribution<double> value(0.0, 1.0);
        while (running) {
          const ParamID id = random() % kParameterCount;
          const double v = value(random);
          host.Controller().setParamNormalized(id, v);
          pending.Add(id, v);
          host.Controller().getParamNormalized(random() % kParameterCount);
        }
      },
      // The editor edits parameters.
      [&](std::mt19937& random) {
        std::uniform_real_distribution<double> value(0.0, 1.0);
        while (running) plugin.SetParameterFromEditor(static_cast<int>(random() % kParameterCount), value(random));
      },
      // Programme changes, the three empty slots among them.
      [&](std::mt19937& random) {
        while (running) {
          const double v = static_cast<double>(random() % kPresets) / (kPresets - 1);
          host.Controller().setParamNormalized(kPresetsId, v);
          pending.Add(kPresetsId, v);
          std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
      },
      // The host lists the programmes.
      [&](std::mt19937&) {
        while (running) {
          for (int32 i = 0; i < kPresets; ++i) {
            String128 name = {};
            if (plugin.getProgramName(static_cast<ProgramListID>(kPresetsId), i, name) != kResultOk || !name[0]) {
              ++badNames;
            }
          }
        }
      },
      // The host saves and restores its project.
      [&](std::mt19937&) {
        while (running) {
          const std::vector<uint8_t> state = host.State();
          if (state.size() != 8 * kParameterCount || host.Restore(state) != kResultOk) ++badStates;
        }
      },
  };
  std::vector<std::thread> started;
  for (size_t i = 0; i < threads.size(); ++i) {
    started.emplace_back([&, i] {
      std::mt19937 random(static_cast<unsigned>(i + 1));
      threads[i](random);
    });
  }
  std::this_thread::sleep_for(kDuration);
  running = false;
  for (std::thread& thread : started) thread.join();

  EXPECT_GT(blocks.load(), 100);
  EXPECT_EQ(badBlocks.load(), 0);
  EXPECT_EQ(badStates.load(), 0);
  EXPECT_EQ(badNames.load(), 0);
}

}  // namespace
