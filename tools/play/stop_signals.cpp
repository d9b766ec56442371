#include "stop_signals.h"

#include <atomic>
#include <csignal>

namespace spwplay {
namespace {

// Lock-free, so safe to write from a signal handler.
std::atomic<bool> gStop{false};

extern "C" void OnStopSignal(int) { gStop.store(true); }

}  // namespace

void CatchStopSignals() {
  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGTERM, OnStopSignal);
#ifdef SIGBREAK
  std::signal(SIGBREAK, OnStopSignal);
#endif
}

bool StopRequested() { return gStop.load(); }

}  // namespace spwplay
