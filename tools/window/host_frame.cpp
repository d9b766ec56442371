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
  runLoopDestroyed_ = true;
}
#endif

tresult PLUGIN_API HostFrame::resizeView(IPlugView* view, ViewRect* newSize) {
  if (!view || !newSize) return kResultOk;
  ++resizeRequests_;
  lastResize_ = *newSize;
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
  return kResultOk;
}

tresult PLUGIN_API HostFrame::unregisterEventHandler(Linux::IEventHandler* handler) {
  if (CalledAfterDestruction()) return kResultFalse;
  return Unregister(watches_, handler);
}

tresult PLUGIN_API HostFrame::registerTimer(Linux::ITimerHandler* handler, Linux::TimerInterval milliseconds) {
  if (CalledAfterDestruction()) return kResultFalse;
  if (!handler || milliseconds == 0) return kInvalidArgument;
  handler->addRef();
  const Clock::duration period = std::chrono::milliseconds(milliseconds);
  timers_.push_back({handler, period, Clock::now() + period});
  return kResultOk;
}

tresult PLUGIN_API HostFrame::unregisterTimer(Linux::ITimerHandler* handler) {
  if (CalledAfterDestruction()) return kResultFalse;
  return Unregister(timers_, handler);
}

void HostFrame::RunDueTimers() {
  // A handler may unregister timers while it runs: walk a copy, check each is still there.
  const std::vector<Timer> timers = timers_;
  for (const Timer& timer : timers) {
    auto it = FindHandler(timers_, timer.handler);
    if (it == timers_.end() || Clock::now() < it->due) continue;
    it->due += it->period;
    if (it->due < Clock::now()) it->due = Clock::now() + it->period;  // no catching up after a stall
    timer.handler->onTimer();
  }
}

void HostFrame::RunFor(int ms) {
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    RunDueTimers();
    const Clock::time_point now = Clock::now();
    if (now >= end) return;
    Clock::time_point wake = end;
    for (const Timer& timer : timers_) wake = std::min(wake, timer.due);
    std::vector<pollfd> fds;
    for (const Watch& watch : watches_) fds.push_back({watch.fd, POLLIN, 0});
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(wake - now).count();
    if (poll(fds.data(), fds.size(), static_cast<int>(std::max<long long>(0, wait))) <= 0) continue;
    const std::vector<Watch> watches = watches_;
    for (size_t i = 0; i < fds.size(); ++i) {
      if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      const bool stillWatched = FindHandler(watches_, watches[i].handler) != watches_.end();
      if (stillWatched) watches[i].handler->onFDIsSet(watches[i].fd);
    }
  }
}

#endif

}  // namespace spwwin
