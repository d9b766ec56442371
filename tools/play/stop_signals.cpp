#include "stop_signals.h"

#include <atomic>
#include <csignal>

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#include <signal.h>
#endif

namespace spwplay {
namespace {

// Lock-free, so safe to write from a signal handler: the number of stop requests.
std::atomic<int> gRequests{0};
static_assert(std::atomic<int>::is_always_lock_free);

// firstOnly: a signal every later write raises again (SIGPIPE) counts once.
void CountRequest(bool firstOnly) {
  if (!firstOnly) {
    gRequests.fetch_add(1, std::memory_order_relaxed);
    return;
  }
  int none = 0;
  gRequests.compare_exchange_strong(none, 1, std::memory_order_relaxed);
}

#ifdef SIGPIPE
extern "C" void OnStopSignal(int sig) { CountRequest(/*firstOnly=*/sig == SIGPIPE); }
#else
extern "C" void OnStopSignal(int) { CountRequest(false); }
#endif

#ifdef _WIN32
constexpr DWORD kConsoleGraceMs = 4500;  // Windows ends the process after 5 s
HANDLE gStopped = nullptr;               // set once the settings are saved

BOOL WINAPI OnConsoleEvent(DWORD type) {
  CountRequest(false);
  const bool ending = type == CTRL_CLOSE_EVENT || type == CTRL_LOGOFF_EVENT || type == CTRL_SHUTDOWN_EVENT;
  if (ending && gStopped) WaitForSingleObject(gStopped, kConsoleGraceMs);
  return TRUE;
}
#endif

}  // namespace

void CatchStopSignals() {
#ifdef _WIN32
  std::signal(SIGTERM, OnStopSignal);
  if (!gStopped) gStopped = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
#else
  // nohup's ignored SIGHUP stays ignored: playing on after the terminal closes is
  // what it asks for. (A shell script's background job has SIGINT ignored too, yet
  // is stopped with it on purpose: that one is always caught.) A signal blocked on
  // entry (a parent's mask is inherited) is let through.
  constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE};
  sigset_t caught;
  sigemptyset(&caught);
  for (int sig : kSignals) {
    struct sigaction before = {};
    if (sig == SIGHUP && sigaction(sig, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    std::signal(sig, OnStopSignal);
    sigaddset(&caught, sig);
  }
  pthread_sigmask(SIG_UNBLOCK, &caught, nullptr);
#endif
}

bool StopRequested() { return gRequests.load(std::memory_order_relaxed) > 0; }

bool StopUrgent() { return gRequests.load(std::memory_order_relaxed) > 1; }

void ReportStopped() {
#ifdef _WIN32
  if (gStopped) SetEvent(gStopped);
#endif
}

}  // namespace spwplay
