#include "editor_run_loop.h"

#if SMTG_OS_LINUX

using namespace Steinberg;

namespace spw_vst3 {

namespace {
constexpr int kMillisecondsPerSecond = 1000;
}

bool EditorRunLoop::Start(Linux::IRunLoop* runLoop, IEditorLink* editor) {
  Stop();
  if (!runLoop || !editor) return false;
  const int fd = editor->EventFileDescriptor();
  const int rate = editor->FrameRate() > 0 ? editor->FrameRate() : 1;
  if (fd < 0) return false;
  runLoop_ = runLoop;
  editor_ = editor;
  fdRegistered_ = runLoop->registerEventHandler(this, fd) == kResultOk;
  timerRegistered_ =
      fdRegistered_ && runLoop->registerTimer(this, static_cast<Linux::TimerInterval>(
                                                        kMillisecondsPerSecond / rate)) == kResultOk;
  if (timerRegistered_) return true;
  Stop();
  return false;
}

void EditorRunLoop::Stop() {
  editor_ = nullptr;
  if (!runLoop_) return;
  // Take our own reference first: the host may drop its last one while unregistering.
  IPtr<EditorRunLoop> self(this);
  if (timerRegistered_) runLoop_->unregisterTimer(this);
  if (fdRegistered_) runLoop_->unregisterEventHandler(this);
  timerRegistered_ = fdRegistered_ = false;
  runLoop_ = nullptr;
}

void EditorRunLoop::Abandon() {
  // No call may reach a run loop its host has destroyed, not even a release.
  editor_ = nullptr;
  timerRegistered_ = fdRegistered_ = false;
  runLoop_.take();
}

void PLUGIN_API EditorRunLoop::onFDIsSet(Linux::FileDescriptor) {
  if (!editor_) return;
  editor_->ProcessWindowEvents();
  // The host destroyed our window (it is closing down): let go of its run loop
  // now, from inside its own call, rather than later, when it may be gone too.
  if (!editor_->EditorWindowHandle()) Stop();
}

void PLUGIN_API EditorRunLoop::onTimer() {
  if (editor_) editor_->RedrawTimerTick();
}

}  // namespace spw_vst3

#endif
