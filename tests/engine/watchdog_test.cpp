// The transport watchdog: asks for a re-alignment only when blocks stop, and
// stops promptly.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "tone_engine.h"
#include "watchdog.h"

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

TEST(EngineWatchdog, QuietWhileBlocksRunAndAsksForRealignmentWhenTheyStop) {
  ToneEngine engine;
  const milliseconds period{5};
  {
    Watchdog watchdog(engine, period);
    EXPECT_EQ(engine.watchdogRunning.load(), 1);
    // A host rendering a block every millisecond.
    const auto until = Clock::now() + milliseconds(60);
    while (Clock::now() < until) {
      engine.blockSeen.store(1);
      std::this_thread::sleep_for(milliseconds(1));
    }
    EXPECT_EQ(engine.resyncRequested.load(), 0);
    // The host stops calling: within two looks the watchdog asks.
    const auto deadline = Clock::now() + milliseconds(2000);
    while (engine.resyncRequested.load() == 0 && Clock::now() < deadline) {
      std::this_thread::sleep_for(milliseconds(1));
    }
    EXPECT_EQ(engine.resyncRequested.load(), 1);
    EXPECT_EQ(engine.blockSeen.load(), 0);
  }
  EXPECT_EQ(engine.watchdogRunning.load(), 0);
}

TEST(EngineWatchdog, StopsWellWithinOneLookPeriod) {
  ToneEngine engine;
  auto watchdog = std::make_unique<Watchdog>(engine);  // 100 ms between looks
  std::this_thread::sleep_for(milliseconds(30));
  const auto start = Clock::now();
  watchdog.reset();
  EXPECT_LT(Clock::now() - start, milliseconds(60));
}

}  // namespace
