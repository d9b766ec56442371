// The player's window on its own: the run loop sleeps between its timers and
// events (no turn spent waiting awake), the desktop's scale is read as desktops
// write it, and on Windows the program declares per-monitor DPI awareness.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "desktop_scale.h"
#include "host_frame.h"

#if SMTG_OS_LINUX
#include <time.h>
#include <unistd.h>
#endif

#ifdef _WIN32
#include <windows.h>

#include "bundle_location.h"
#endif

namespace spwwin {
namespace {

TEST(DesktopScale, XftDpiOverNinetySixElseNone) {
  struct Case {
    const char* resources;
    double scale;
  };
  const Case cases[] = {
      {"Xft.dpi:\t144\n", 1.5},
      {"Xft.antialias:\t1\nXft.hinting:\t1\nXft.dpi:\t192\nXcursor.size:\t48\n", 2.0},
      {"Xft.dpi: 120.5", 120.5 / 96.0},
      {"Xcursor.size:\t24\n", 0.0},
      {"", 0.0},
      {"Xft.dpi:\tlarge\n", 0.0},
      {"Xft.dpi:\t96x\n", 0.0},
      {"Xft.dpi:\t-96\n", 0.0},
      {"*Xft.dpi:\t144\n", 0.0},  // a pattern for some programs, not the desktop's own setting
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ScaleFromResources(c.resources), c.scale) << c.resources;
}

#ifdef _WIN32
// Real Windows tells the editor's window each monitor's DPI only when the program
// says it can take it: the manifest built into spw_play.exe, read back from it.
TEST(PlayerManifest, DeclaresPerMonitorDpiAwareness) {
  const std::string path = TestProgramFolder() + SPW_TEST_PLAYER;
  HMODULE program = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(program, nullptr) << path;
  HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // the program's manifest
  ASSERT_NE(found, nullptr) << "no manifest in " << path;
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(program, found)));
  const std::string manifest(bytes, SizeofResource(program, found));
  FreeLibrary(program);
  EXPECT_NE(manifest.find(">PerMonitorV2"), std::string::npos) << manifest;
  EXPECT_NE(manifest.find(">true/pm<"), std::string::npos) << manifest;
}
#endif

#if SMTG_OS_LINUX

using Clock = std::chrono::steady_clock;

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

class CountingTimer : public Steinberg::Linux::ITimerHandler {
 public:
  explicit CountingTimer(std::function<void()> action = {}) : action_(std::move(action)) {}
  virtual ~CountingTimer() = default;
  void PLUGIN_API onTimer() override {
    times.push_back(Clock::now());
    if (action_) action_();
  }
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID, void** obj) override {
    *obj = nullptr;
    return Steinberg::kNoInterface;
  }
  Steinberg::uint32 PLUGIN_API addRef() override { return 2; }
  Steinberg::uint32 PLUGIN_API release() override { return 1; }
  std::vector<Clock::time_point> times;

 private:
  std::function<void()> action_;
};

double ThreadCpuSeconds() {
  timespec t = {};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Three timers at an editor's rates for 0.6 s: each runs on time, never early, and
// the loop sleeps in between rather than waiting awake for the last millisecond.
TEST(HostRunLoop, TimersRunOnTimeAndTheLoopSleepsBetweenThem) {
  const int periodsMs[] = {7, 16, 33};
  std::vector<CountingTimer> timers(3);  // before the frame, which lets go of them
  HostFrame frame;
  const Clock::time_point start = Clock::now();
  for (size_t i = 0; i < timers.size(); ++i) ASSERT_EQ(frame.registerTimer(&timers[i], periodsMs[i]), Steinberg::kResultOk);
  const double cpu = ThreadCpuSeconds();
  frame.RunFor(600);
  const double used = ThreadCpuSeconds() - cpu;
  size_t calls = 0;
  for (const CountingTimer& timer : timers) calls += timer.times.size();
  std::printf("run loop: %.2f ms of processor time in 600 ms, %.1f us a timer\n", used * 1e3, used * 1e6 / double(calls));
  // Waking costs tens of microseconds; waiting awake for the last millisecond, hundreds.
  EXPECT_LT(used / double(calls), 150e-6);
  for (size_t i = 0; i < timers.size(); ++i) {
    const auto period = std::chrono::milliseconds(periodsMs[i]);
    ASSERT_FALSE(timers[i].times.empty());
    for (size_t k = 0; k < timers[i].times.size(); ++k) {
      EXPECT_GE(timers[i].times[k] - start, period * int(k + 1)) << periodsMs[i] << " ms, call " << k;
    }
    // A loaded machine may be late, never ahead.
    EXPECT_LE(timers[i].times.size(), size_t(600 / periodsMs[i])) << periodsMs[i];
    EXPECT_GE(timers[i].times.size(), size_t(600 / periodsMs[i]) / 2) << periodsMs[i];
  }
}

class ReadingHandler : public Steinberg::Linux::IEventHandler {
 public:
  virtual ~ReadingHandler() = default;
  void PLUGIN_API onFDIsSet(Steinberg::Linux::FileDescriptor fd) override {
    char byte = 0;
    if (read(fd, &byte, 1) == 1) ++reads;
    if (byte == 'q') frame->unregisterEventHandler(this);
  }
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID, void** obj) override {
    *obj = nullptr;
    return Steinberg::kNoInterface;
  }
  Steinberg::uint32 PLUGIN_API addRef() override { return 2; }
  Steinberg::uint32 PLUGIN_API release() override { return 1; }
  int reads = 0;
  HostFrame* frame = nullptr;
};

// Handlers that come and go while the loop runs: a timer that ends another's, an
// event handler that ends its own watch, one added from a timer. Each is called
// while registered and never after.
TEST(HostRunLoop, HandlersRegisteredAndUnregisteredWhileItRunsAreCalledOnlyWhileRegistered) {
  int pipes[2][2];
  for (auto& p : pipes) ASSERT_EQ(pipe(p), 0);
  HostFrame* loop = nullptr;
  ReadingHandler first, second;
  CountingTimer ended;
  CountingTimer ender([&] { loop->unregisterTimer(&ended); });
  bool added = false;
  CountingTimer adder([&] {
    if (!added) added = loop->registerEventHandler(&second, pipes[1][0]) == Steinberg::kResultOk;
  });
  HostFrame frame;  // after its handlers, which it lets go of
  loop = first.frame = second.frame = &frame;
  ASSERT_EQ(frame.registerTimer(&ended, 5), Steinberg::kResultOk);
  ASSERT_EQ(frame.registerTimer(&ender, 12), Steinberg::kResultOk);
  ASSERT_EQ(frame.registerTimer(&adder, 30), Steinberg::kResultOk);
  ASSERT_EQ(frame.registerEventHandler(&first, pipes[0][0]), Steinberg::kResultOk);
  ASSERT_EQ(write(pipes[0][1], "aq", 2), 2);
  ASSERT_EQ(write(pipes[1][1], "bc", 2), 2);
  frame.RunFor(100);
  ASSERT_FALSE(ender.times.empty());
  EXPECT_LE(ended.times.size(), 2u);
  for (const auto& t : ended.times) EXPECT_LT(t, ender.times.front());
  EXPECT_EQ(first.reads, 2) << "both bytes, then no more: its watch ended";
  EXPECT_EQ(second.reads, 2) << "added from a timer, it reads what waited";
  ASSERT_EQ(write(pipes[0][1], "x", 1), 1);
  frame.RunFor(10);
  EXPECT_EQ(first.reads, 2);
  for (auto& p : pipes) close(p[0]), close(p[1]);
}

#pragma GCC diagnostic pop

#endif

}  // namespace
}  // namespace spwwin
