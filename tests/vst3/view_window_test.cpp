// The view opening and closing the editor's window for a host, on a probe
// plug-in with a recording editor (no window system needed): only the build's
// own platform type, the window closed on removal and on release, and on Linux
// the host's run loop driving the window and let go of before it closes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effect_vst3_view.h"
#include "host_objects.h"
#include "null_editor.h"
#include "pluginterfaces/gui/iplugview.h"
#include "probe_effect.h"

using namespace Steinberg;

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace {

// Writes what the view asks of it into the plug-in's event log.
class RecordingEditor : public NullEditor {
 public:
  explicit RecordingEditor(std::vector<std::string>* log) : log_(log) {}
  void* OpenEditorWindow(void* parent) override {
    log_->push_back("open");
    window_ = opens ? parent : nullptr;
    return window_;
  }
  void CloseEditorWindow() override {
    log_->push_back("close");
    window_ = nullptr;
  }
  void* EditorWindowHandle() const override { return window_; }
  int EventFileDescriptor() const override { return window_ ? kFd : -1; }
  void ProcessWindowEvents() override { log_->push_back("events"); }
  void RedrawTimerTick() override { log_->push_back("tick"); }

  static constexpr int kFd = 7;
  bool opens = true;

 private:
  std::vector<std::string>* log_;
  void* window_ = nullptr;
};

// A host frame; on Linux it also offers a run loop that records what is registered.
class HostFrame : public IPlugFrame
#if SMTG_OS_LINUX
    , public Linux::IRunLoop
#endif
{
 public:
  explicit HostFrame(std::vector<std::string>* log) : log_(log) {}
  virtual ~HostFrame() = default;
  tresult PLUGIN_API resizeView(IPlugView*, ViewRect*) override { return kResultOk; }
  tresult PLUGIN_API queryInterface(const TUID queried, void** obj) override {
    QUERY_INTERFACE(queried, obj, FUnknown::iid, IPlugFrame)
    QUERY_INTERFACE(queried, obj, IPlugFrame::iid, IPlugFrame)
#if SMTG_OS_LINUX
    if (offersRunLoop) QUERY_INTERFACE(queried, obj, Linux::IRunLoop::iid, Linux::IRunLoop)
#endif
    *obj = nullptr;
    return kNoInterface;
  }
  SPWHOST_REFCOUNT
#if SMTG_OS_LINUX
 public:
  tresult PLUGIN_API registerEventHandler(Linux::IEventHandler* handler, Linux::FileDescriptor fd) override {
    log_->push_back("watch fd " + std::to_string(fd));
    handler->addRef();
    events = handler;
    return kResultOk;
  }
  tresult PLUGIN_API unregisterEventHandler(Linux::IEventHandler* handler) override {
    log_->push_back("unwatch fd");
    if (handler == events) events = nullptr;
    handler->release();
    return kResultOk;
  }
  tresult PLUGIN_API registerTimer(Linux::ITimerHandler* handler, Linux::TimerInterval ms) override {
    log_->push_back("timer " + std::to_string(ms) + " ms");
    handler->addRef();
    timer = handler;
    return kResultOk;
  }
  tresult PLUGIN_API unregisterTimer(Linux::ITimerHandler* handler) override {
    log_->push_back("stop timer");
    if (handler == timer) timer = nullptr;
    handler->release();
    return kResultOk;
  }
  bool offersRunLoop = true;
  Linux::IEventHandler* events = nullptr;
  Linux::ITimerHandler* timer = nullptr;
#endif

 private:
  std::vector<std::string>* log_;
};

struct ViewRig {
  ViewRig() : frame(&plugin->events) {
    editor = new RecordingEditor(&plugin->events);
    plugin->AttachEditor(editor);
    view = plugin->createView("editor");
    view->setFrame(&frame);
    plugin->events.clear();
  }
  ~ViewRig() {
    if (view) view->release();
    plugin->release();
  }
  ProbeEffect* plugin = new ProbeEffect();
  RecordingEditor* editor;
  HostFrame frame;
  IPlugView* view = nullptr;
  int parent = 0;  // its address stands for the host's window
};

#ifdef _WIN32
const char* const kOtherType = kPlatformTypeX11EmbedWindowID;
#else
const char* const kOtherType = kPlatformTypeHWND;
#endif

}  // namespace

TEST(ViewWindow, OpensOnlyForThisBuildsPlatformTypeAndClosesOnRemoval) {
  ViewRig rig;
  EXPECT_EQ(rig.view->isPlatformTypeSupported(spw_vst3::kEditorPlatformType), kResultTrue);
  EXPECT_EQ(rig.view->isPlatformTypeSupported(kOtherType), kResultFalse);
  EXPECT_EQ(rig.view->isPlatformTypeSupported(nullptr), kResultFalse);
  EXPECT_EQ(rig.view->attached(&rig.parent, kOtherType), kResultFalse);
  EXPECT_TRUE(rig.plugin->events.empty()) << "nothing is opened for another window system";

  ASSERT_EQ(rig.view->attached(&rig.parent, spw_vst3::kEditorPlatformType), kResultOk);
  EXPECT_EQ(rig.editor->EditorWindowHandle(), &rig.parent);
  EXPECT_EQ(rig.view->removed(), kResultOk);
  EXPECT_EQ(rig.view->removed(), kResultOk) << "a second removal closes nothing";
#if SMTG_OS_LINUX
  const std::vector<std::string> expected = {"open", "watch fd 7", "timer 41 ms", "editor opened",
                                             "stop timer", "unwatch fd", "editor closed", "close"};
#else
  const std::vector<std::string> expected = {"open", "editor opened", "editor closed", "close"};
#endif
  EXPECT_EQ(rig.plugin->events, expected);
}

TEST(ViewWindow, AWindowThatCannotOpenIsRefusedAndTheEditorNeverToldItOpened) {
  ViewRig rig;
  rig.editor->opens = false;
  EXPECT_EQ(rig.view->attached(&rig.parent, spw_vst3::kEditorPlatformType), kResultFalse);
  EXPECT_EQ(rig.plugin->events, std::vector<std::string>{"open"});
}

TEST(ViewWindow, AViewReleasedWhileAttachedClosesItsWindow) {
  ViewRig rig;
  ASSERT_EQ(rig.view->attached(&rig.parent, spw_vst3::kEditorPlatformType), kResultOk);
  rig.view->release();
  rig.view = nullptr;
  EXPECT_EQ(rig.editor->EditorWindowHandle(), nullptr);
  EXPECT_EQ(rig.plugin->events.back(), "close");
#if SMTG_OS_LINUX
  EXPECT_EQ(rig.frame.timer, nullptr);
  EXPECT_EQ(rig.frame.events, nullptr);
#endif
}

#if SMTG_OS_LINUX

TEST(ViewWindow, TheHostsRunLoopDrivesTheWindowUntilRemovedAndLateCallsDoNothing) {
  ViewRig rig;
  ASSERT_EQ(rig.view->attached(&rig.parent, spw_vst3::kEditorPlatformType), kResultOk);
  ASSERT_NE(rig.frame.timer, nullptr);
  ASSERT_NE(rig.frame.events, nullptr);
  Linux::ITimerHandler* timer = rig.frame.timer;
  Linux::IEventHandler* events = rig.frame.events;
  timer->addRef();
  events->addRef();  // a host that still holds them after unregistering
  rig.plugin->events.clear();
  timer->onTimer();
  events->onFDIsSet(RecordingEditor::kFd);
  EXPECT_EQ(rig.plugin->events, (std::vector<std::string>{"tick", "events"}));

  ASSERT_EQ(rig.view->removed(), kResultOk);
  rig.plugin->events.clear();
  timer->onTimer();
  events->onFDIsSet(RecordingEditor::kFd);
  EXPECT_TRUE(rig.plugin->events.empty());
  timer->release();
  events->release();
}

TEST(ViewWindow, WithoutARunLoopTheWindowIsClosedAgainAndAttachingRefused) {
  ViewRig rig;
  rig.frame.offersRunLoop = false;
  EXPECT_EQ(rig.view->attached(&rig.parent, spw_vst3::kEditorPlatformType), kResultFalse);
  EXPECT_EQ(rig.plugin->events, (std::vector<std::string>{"open", "close"}));
  EXPECT_EQ(rig.editor->EditorWindowHandle(), nullptr);
}

#endif

#pragma GCC diagnostic pop
