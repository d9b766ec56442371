// A host with many tracks: several instances in one process, each with its own
// audio thread, and one shared user-interface thread that drives all their
// headless editors (presses, drags, wheels, popups, typed values, the window
// closed and opened), changes programmes, automates, and saves and restores
// states. Built with ThreadSanitizer, a data race ends the program; in every
// build a watchdog fails the test when a thread stops making progress (a
// deadlock), every edit stays paired, the audio finite, and the memory each
// instance takes is reported.

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "edit_ledger.h"
#include "editor_session.h"
#include "parameter_ids.h"
#include "pending_changes.h"
#include "platform/headless/graphics_headless.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "public.sdk/source/common/memorystream.h"
#include "stereo_pulse_weaver.h"
#include "vst3_host.h"

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#endif

namespace {

constexpr int kInstances = 4;
constexpr auto kDuration = std::chrono::seconds(3);
// Longer than any honest pause, even instrumented on a busy machine.
constexpr auto kStalled = std::chrono::seconds(30);
constexpr Steinberg::Vst::ParamID kPresetsId = 0x70727374;
constexpr int kPresets = 160;

// The process's resident memory in bytes, 0 where it cannot be read.
size_t ResidentBytes() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS counters = {};
  return GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters) ? counters.WorkingSetSize : 0;
#else
  std::ifstream status("/proc/self/status");
  for (std::string word; status >> word;) {
    if (word == "VmRSS:") {
      size_t kib = 0;
      status >> kib;
      return kib * 1024;
    }
  }
  return 0;
#endif
}

// One track: an instance with its editor, the host's handler and the changes
// waiting for its audio thread.
struct Track {
  spwsnapshot::EditorSession session;
  EditLedger ledger;
  PendingChanges pending;
  std::atomic<uint64_t> blocks{0};
  std::atomic<int> badBlocks{0};
};

// What the shared user-interface thread does to one track: one event or host action.
void UserInterfaceStep(Track& track, std::mt19937& random) {
  IGraphicsHeadless& editor = track.session.Graphics();
  CLS_STEREOPULSEWEAVER& plug = track.session.Plug();
  const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const int x = pick(-5, 525), y = pick(-5, 407);
  IMouseKeys keys;
  keys.left = pick(0, 3) != 0;
  keys.right = !keys.left;
  switch (pick(0, 11)) {
    case 0: editor.MouseDown(x, y, keys); break;
    case 1: editor.MouseDrag(x, y, keys); break;
    case 2: editor.MouseUp(x, y, IMouseKeys()); break;
    case 3: editor.MouseWheel(x, y, IMouseKeys(), pick(-3, 3)); break;
    case 4: editor.MouseOver(x, y, IMouseKeys()); break;
    case 5: editor.MouseDoubleClick(x, y, keys); break;
    case 6: editor.AnswerEntry(std::to_string(pick(-100, 20000)).c_str()); break;
    case 7: {
      plug.EditorClosed();
      editor.CloseEditorWindow();
      plug.EditorOpened();
      editor.RedrawAll();
      break;
    }
    case 8: {
      const double v = double(pick(0, kPresets - 1)) / (kPresets - 1);
      plug.setParamNormalized(kPresetsId, v);
      track.pending.Add(kPresetsId, v);
      break;
    }
    case 9: {
      const auto id = static_cast<Steinberg::Vst::ParamID>(pick(0, kParameterCount - 1));
      const double v = pick(0, 1000) / 1000.0;
      plug.setParamNormalized(id, v);
      track.pending.Add(id, v);
      break;
    }
    default: {
      Steinberg::Vst::IComponent& component = *track.session.Host().Component();
      Steinberg::MemoryStream saved;
      component.getState(&saved);
      saved.seek(0, Steinberg::IBStream::kIBSeekSet, nullptr);
      component.setState(&saved);
      break;
    }
  }
  track.session.DrawCycle();
}

// Fails the run when a counter stops moving for kStalled: the threads cannot
// be joined then, so the program ends with what stalled.
class Watchdog {
 public:
  void Watch(const char* what, const std::atomic<uint64_t>* counter) { watched_.push_back({what, counter, 0, {}}); }
  void Look() {
    const auto now = std::chrono::steady_clock::now();
    for (Watched& w : watched_) {
      const uint64_t seen = w.counter->load();
      if (seen != w.last || w.since == std::chrono::steady_clock::time_point()) {
        w.last = seen;
        w.since = now;
      } else if (now - w.since > kStalled) {
        std::fprintf(stderr, "host stress: %s made no progress for %lld s: a deadlock\n", w.what,
                     static_cast<long long>(std::chrono::duration_cast<std::chrono::seconds>(kStalled).count()));
        std::fflush(stderr);
        std::abort();
      }
    }
  }

 private:
  struct Watched {
    const char* what;
    const std::atomic<uint64_t>* counter;
    uint64_t last;
    std::chrono::steady_clock::time_point since;
  };
  std::vector<Watched> watched_;
};

TEST(HostStress, ManyInstancesEachWithItsAudioThreadAndOneSharedEditorThread) {
  const size_t before = ResidentBytes();
  std::vector<std::unique_ptr<Track>> tracks;
  std::string error;
  for (int i = 0; i < kInstances; ++i) {
    tracks.push_back(std::make_unique<Track>());
    ASSERT_TRUE(tracks.back()->session.Start(&error)) << error;
    tracks.back()->session.Plug().setComponentHandler(&tracks.back()->ledger);
    tracks.back()->session.Plug().EditorOpened();
  }
  const size_t after = ResidentBytes();
  if (before > 0 && after > before) {
    const double perInstance = double(after - before) / kInstances / (1024.0 * 1024.0);
    std::printf("host stress: %.1f MiB resident per instance with its editor\n", perInstance);
    ::testing::Test::RecordProperty("MiBPerInstance", std::to_string(perInstance));
  }

  std::atomic<bool> running{true};
  std::atomic<uint64_t> uiSteps{0};
  std::atomic<int> finished{0};
  std::vector<std::thread> threads;
  for (auto& track : tracks) {
    Track* t = track.get();
    threads.emplace_back([t, &running, &finished] {
      while (running) {
        t->pending.MoveInto([t](Steinberg::Vst::ParamID id, double v) { t->session.QueueChange(id, v); });
        if (!t->session.RenderBlock()) ++t->badBlocks;
        ++t->blocks;
      }
      ++finished;
    });
  }
  threads.emplace_back([&tracks, &running, &uiSteps, &finished] {
    std::mt19937 random(20261207);
    while (running) {
      for (auto& track : tracks) UserInterfaceStep(*track, random);
      ++uiSteps;
    }
    for (auto& track : tracks) {  // a person lets go before the host closes
      track->session.Graphics().EndHeldInput();
      track->session.Graphics().CancelEntry();
    }
    ++finished;
  });

  Watchdog watchdog;
  watchdog.Watch("the user-interface thread", &uiSteps);
  for (auto& track : tracks) watchdog.Watch("an audio thread", &track->blocks);
  const auto end = std::chrono::steady_clock::now() + kDuration;
  while (std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    watchdog.Look();
  }
  running = false;
  const auto stopBy = std::chrono::steady_clock::now() + kStalled;
  while (finished < int(threads.size())) {
    if (std::chrono::steady_clock::now() > stopBy) {
      std::fprintf(stderr, "host stress: a thread did not stop: a deadlock\n");
      std::abort();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  for (std::thread& thread : threads) thread.join();

  EXPECT_GT(uiSteps.load(), 10u);
  for (auto& track : tracks) {
    EXPECT_GT(track->blocks.load(), 10u);
    EXPECT_EQ(track->badBlocks.load(), 0) << "audio stays finite";
    EXPECT_EQ(track->ledger.Faults(), 0) << track->ledger.FirstFault();
    track->session.Plug().setComponentHandler(nullptr);
  }
}

}  // namespace
