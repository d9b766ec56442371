#include "host_frame.h"

#include <algorithm>

#if SMTG_OS_LINUX
#include <poll.h>
#endif

using namespace Steinberg;

namespace spwwin {

#if SMTG_OS_LINUX
namespace {

// The registration of handler in list, or list.end().
template <typename List, typename Handler>
auto FindHandler(List& list, const Handler* handler) {
  return std::find_if(list.begin(), list.end(), [&](const auto& entry) { return entry.handler == handler; });
}

template <typename List, typename Handler>
tresult Unregister(List& list, Handler* handler) {
  auto it = FindHandler(list, handler);
  if (it == list.end()) return kResultFalse;
  list.erase(it);
  handler->release();
  return kResultOk;
}

}  // namespace
#endif

HostFrame::~HostFrame() {
#if SMTG_OS_LINUX
  // What a view left registered is let go of with the host.
  for (Watch& watch : watches_) watch.handler->release();
  for (Timer& timer : timers_) timer.handler->release();
#endif
}

#if SMTG_OS_LINUX
bool HostFrame::CalledAfterDestruction() {
  if (runLoopDestroyed_) ++callsAfterDestruction_;
  return runLoopDestroyed_;
}

void HostFrame::DestroyRunLoop() {
  for (Watch& watch : watches_) watch.handler->release();
  for (Timer& timer : timers_) timer.handler->release();
  watches_.clear();
  timers_.clear();
  ++changes_;
  runLoopDestroyed_ = true;
}
#endif

tresult PLUGIN_API HostFrame::resizeView(IPlugView* view, ViewRect* newSize) {
  if (!view || !newSize) return kResultOk;
  ++resizeRequests_;
  lastResize_ = *newSize;
  if (follow_) follow_(newSize->getWidth(), newSize->getHeight());
  view->onSize(newSize);
  return kResultOk;
}

tresult PLUGIN_API HostFrame::queryInterface(const TUID queried, void** obj) {
  QUERY_INTERFACE(queried, obj, FUnknown::iid, IPlugFrame)
  QUERY_INTERFACE(queried, obj, IPlugFrame::iid, IPlugFrame)
#if SMTG_OS_LINUX
  if (!runLoopDestroyed_) {
    QUERY_INTERFACE(queried, obj, Linux::IRunLoop::iid, Linux::IRunLoop)
  }
#endif
  *obj = nullptr;
  return kNoInterface;
}

#if SMTG_OS_LINUX

tresult PLUGIN_API HostFrame::registerEventHandler(Linux::IEventHandler* handler, Linux::FileDescriptor fd) {
  if (CalledAfterDestruction()) return kResultFalse;
  if (!handler || fd < 0) return kInvalidArgument;
  handler->addRef();
  watches_.push_back({handler, fd});
  ++changes_;
  return kResultOk;
}

tresult PLUGIN_API HostFrame::unregisterEventHandler(Linux::IEventHandler* handler) {
  if (CalledAfterDestruction()) return kResultFalse;
  ++changes_;
  return Unregister(watches_, handler);
}

tresult PLUGIN_API HostFrame::registerTimer(Linux::ITimerHandler* handler, Linux::TimerInterval milliseconds) {
  if (CalledAfterDestruction()) return kResultFalse;
  if (!handler || milliseconds == 0) return kInvalidArgument;
  handler->addRef();
  const Clock::duration period = std::chrono::milliseconds(milliseconds);
  timers_.push_back({handler, period, Clock::now() + period});
  ++changes_;
  return kResultOk;
}

tresult PLUGIN_API HostFrame::unregisterTimer(Linux::ITimerHandler* handler) {
  if (CalledAfterDestruction()) return kResultFalse;
  ++changes_;
  return Unregister(timers_, handler);
}

// A handler may register and unregister handlers while it runs: after any change
// the walk starts over. A timer that ran is due later, so it does not run twice.
void HostFrame::RunDueTimers() {
  const Clock::time_point now = Clock::now();
  for (size_t i = 0; i < timers_.size();) {
    Timer& timer = timers_[i];
    if (now < timer.due) {
      ++i;
      continue;
    }
    timer.due += timer.period;
    if (timer.due < now) timer.due = now + timer.period;  // no catching up after a stall
    const uint64_t changes = changes_;
    timer.handler->onTimer();
    i = changes == changes_ ? i + 1 : 0;
  }
}

void HostFrame::CallReadyHandlers() {
  const uint64_t changes = changes_;
  for (size_t i = 0; i < fds_.size() && changes == changes_; ++i) {
    if (fds_[i].revents & (POLLIN | POLLHUP | POLLERR)) watches_[i].handler->onFDIsSet(watches_[i].fd);
  }
}

// Sleeps in the kernel until a descriptor is readable, the next timer is due (to
// the microsecond, so no turn is spent waiting for it awake) or the time is up.
void HostFrame::RunFor(int ms) {
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    RunDueTimers();
    Clock::time_point wake = end;
    for (const Timer& timer : timers_) wake = std::min(wake, timer.due);
    const auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(std::max(wake - Clock::now(), {}));
    timespec timeout;
    timeout.tv_sec = static_cast<time_t>(wait.count() / 1000000000);
    timeout.tv_nsec = static_cast<long>(wait.count() % 1000000000);
    if (fdsChanges_ != changes_) {
      fds_.clear();
      for (const Watch& watch : watches_) fds_.push_back({watch.fd, POLLIN, 0});
      fdsChanges_ = changes_;
    }
    if (ppoll(fds_.data(), fds_.size(), &timeout, nullptr) > 0) CallReadyHandlers();
    if (Clock::now() >= end) return;
  }
}

#endif

}  // namespace spwwin
