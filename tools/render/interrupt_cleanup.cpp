#include "interrupt_cleanup.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace spwrender {
namespace {

constexpr int kSlots = 8;
constexpr size_t kPathBytes = 4096;

// A slot is claimed, filled, then armed; the handler reads only armed slots. Lock-free
// atomics are safe to read from a signal handler.
enum SlotState : int { kFree, kFilling, kArmed };
struct Slot {
  std::atomic<int> state{kFree};
  char path[kPathBytes];
};
Slot gSlots[kSlots];
std::atomic<bool> gInstalled{false};

#ifdef _WIN32
const int kSignals[] = {SIGINT, SIGTERM, SIGBREAK};
#else
const int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction gPrevious[sizeof kSignals / sizeof kSignals[0]];
#endif

void RemoveArmedFiles() {
  for (Slot& slot : gSlots) {
    if (slot.state.load() != kArmed) continue;
#ifdef _WIN32
    std::remove(slot.path);
#else
    unlink(slot.path);  // async-signal-safe, unlike remove()
#endif
  }
}

#ifdef _WIN32
void OnInterrupt(int sig) {
  RemoveArmedFiles();
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

void Install() {
  for (int sig : kSignals) std::signal(sig, OnInterrupt);
}
#else
void OnInterrupt(int sig) {
  RemoveArmedFiles();
  // The handler that was there before (the default: end the program) takes the
  // signal, which stays blocked until this handler returns.
  for (size_t i = 0; i < sizeof kSignals / sizeof kSignals[0]; ++i) {
    if (kSignals[i] == sig) sigaction(sig, &gPrevious[i], nullptr);
  }
  raise(sig);
}

void Install() {
  for (size_t i = 0; i < sizeof kSignals / sizeof kSignals[0]; ++i) {
    sigaction(kSignals[i], nullptr, &gPrevious[i]);
    // A signal the caller ignores (a job started with nohup) stays ignored.
    if (gPrevious[i].sa_handler == SIG_IGN) continue;
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(kSignals[i], &action, nullptr);
  }
}
#endif

}  // namespace

int RemoveOnInterrupt(const std::string& path) {
  if (path.size() >= kPathBytes) return -1;
  if (!gInstalled.exchange(true)) Install();
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (!gSlots[i].state.compare_exchange_strong(expected, kFilling)) continue;
    std::memcpy(gSlots[i].path, path.c_str(), path.size() + 1);
    gSlots[i].state.store(kArmed);
    return i;
  }
  return -1;
}

void ForgetOnInterrupt(int ticket) {
  if (ticket >= 0 && ticket < kSlots) gSlots[ticket].state.store(kFree);
}

}  // namespace spwrender
