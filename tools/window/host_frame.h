#pragma once
// The frame a host hands the plug-in's view. It grants every resize (the parent
// keeps its size unless it follows them) and remembers the last one asked for.
// On Linux it is also the host's run loop: it watches
// the file descriptors and runs the timers the view registers, while RunFor runs.
//
// Threads: the host's UI thread.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "pluginterfaces/gui/iplugview.h"

#if SMTG_OS_LINUX
#include <poll.h>
#endif

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace spwwin {

class HostFrame : public Steinberg::IPlugFrame
#if SMTG_OS_LINUX
    ,
                  public Steinberg::Linux::IRunLoop
#endif
{
 public:
  HostFrame() = default;
  virtual ~HostFrame();
  HostFrame(const HostFrame&) = delete;
  HostFrame& operator=(const HostFrame&) = delete;

  Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view, Steinberg::ViewRect* newSize) override;
  // A window that follows the view: called with the new size before the view hears of it.
  void FollowResizes(std::function<void(int width, int height)> resize) { follow_ = std::move(resize); }
  int ResizeRequests() const { return resizeRequests_; }
  const Steinberg::ViewRect& LastResize() const { return lastResize_; }
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID queried, void** obj) override;
  // Owned by the driver: counts, never deletes.
  Steinberg::uint32 PLUGIN_API addRef() override { return ++refs_; }
  Steinberg::uint32 PLUGIN_API release() override { return --refs_; }

#if SMTG_OS_LINUX
  Steinberg::tresult PLUGIN_API registerEventHandler(Steinberg::Linux::IEventHandler* handler,
                                                     Steinberg::Linux::FileDescriptor fd) override;
  Steinberg::tresult PLUGIN_API unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) override;
  Steinberg::tresult PLUGIN_API registerTimer(Steinberg::Linux::ITimerHandler* handler,
                                              Steinberg::Linux::TimerInterval milliseconds) override;
  Steinberg::tresult PLUGIN_API unregisterTimer(Steinberg::Linux::ITimerHandler* handler) override;

  // Calls the handlers of readable descriptors and the timers that are due, for ms milliseconds.
  void RunFor(int ms);
  // Handlers and timers registered now.
  size_t Registrations() const { return watches_.size() + timers_.size(); }
  // The run loop goes: its handlers are let go of, the frame stops offering
  // it, and every later call of it is counted.
  void DestroyRunLoop();
  int CallsAfterDestruction() const { return callsAfterDestruction_; }
#endif

 private:
  std::atomic<Steinberg::uint32> refs_{1};
  int resizeRequests_ = 0;
  std::function<void(int, int)> follow_;
  Steinberg::ViewRect lastResize_;
#if SMTG_OS_LINUX
  using Clock = std::chrono::steady_clock;
  struct Watch {
    Steinberg::Linux::IEventHandler* handler;
    int fd;
  };
  struct Timer {
    Steinberg::Linux::ITimerHandler* handler;
    Clock::duration period;
    Clock::time_point due;
  };
  void RunDueTimers();
  void CallReadyHandlers();
  bool CalledAfterDestruction();  // counts the call when the run loop is gone
  std::vector<Watch> watches_;
  std::vector<Timer> timers_;
  uint64_t changes_ = 0;           // registrations made or ended
  std::vector<pollfd> fds_;        // watches_'s descriptors, as of fdsChanges_
  uint64_t fdsChanges_ = ~uint64_t(0);
  bool runLoopDestroyed_ = false;
  int callsAfterDestruction_ = 0;
#endif
};

}  // namespace spwwin

#pragma GCC diagnostic pop
