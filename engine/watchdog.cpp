#include "watchdog.h"

#include <algorithm>

namespace {
constexpr std::chrono::milliseconds kSlice{10};  // how soon the thread notices it must stop
}

Watchdog::Watchdog(ToneEngine& engine, std::chrono::milliseconds period) : engine_(engine), period_(period) {
#if !defined(SPW_NO_THREADS)
  engine_.watchdogRunning.store(1, std::memory_order_relaxed);
  thread_ = std::thread([this] { Run(); });
#endif
}

Watchdog::~Watchdog() {
  engine_.watchdogRunning.store(0, std::memory_order_relaxed);
#if !defined(SPW_NO_THREADS)
  if (thread_.joinable()) thread_.join();
#endif
}

bool Watchdog::Running() const noexcept {
  return engine_.watchdogRunning.load(std::memory_order_relaxed) != 0;
}

void Watchdog::Run() noexcept {
  // Every other period the thread looks: one period arms the look, the next
  // checks that a block ran in between.
  bool armed = false;
  while (Running()) {
    if (!armed) {
      armed = true;
    } else {
      if (engine_.blockSeen.load(std::memory_order_relaxed)) {
        engine_.blockSeen.store(0, std::memory_order_relaxed);
      } else {
        engine_.resyncRequested.store(1, std::memory_order_relaxed);
      }
      armed = false;
    }
    if (!SleepPeriod()) break;
  }
}

bool Watchdog::SleepPeriod() const noexcept {
  const auto deadline = std::chrono::steady_clock::now() + period_;
  for (;;) {
    if (!Running()) return false;
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return true;
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kSlice, deadline - now));
  }
}
