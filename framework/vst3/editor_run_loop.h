#pragma once
// The host's Linux run loop driving an open editor window: the window connection's
// file descriptor and the redraw timer, registered with the host on Start and
// unregistered on Stop. The host counts references to this object; Stop also cuts
// it off from the editor, so a call that arrives late does nothing.
//
// Threads: host UI thread.

#include "base/source/fobject.h"
#include "editor_link.h"
#include "pluginterfaces/gui/iplugview.h"

#if SMTG_OS_LINUX

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace spw_vst3 {

class EditorRunLoop : public Steinberg::FObject,
                      public Steinberg::Linux::IEventHandler,
                      public Steinberg::Linux::ITimerHandler {
 public:
  // Registers editor's descriptor and a timer of 1000 / FrameRate() ms. False, with
  // nothing left registered, when the editor has no descriptor or the host refuses.
  bool Start(Steinberg::Linux::IRunLoop* runLoop, IEditorLink* editor);
  void Stop();
  // Forgets the host's run loop without a call into it: the host has destroyed it.
  void Abandon();
  // The run loop the handlers are registered with; null when stopped.
  Steinberg::Linux::IRunLoop* RunLoop() const { return runLoop_.get(); }

  void PLUGIN_API onFDIsSet(Steinberg::Linux::FileDescriptor fd) override;
  void PLUGIN_API onTimer() override;

  OBJ_METHODS(EditorRunLoop, FObject)
  DEFINE_INTERFACES
    DEF_INTERFACE(Steinberg::Linux::IEventHandler)
    DEF_INTERFACE(Steinberg::Linux::ITimerHandler)
  END_DEFINE_INTERFACES(FObject)
  REFCOUNT_METHODS(FObject)

 private:
  Steinberg::IPtr<Steinberg::Linux::IRunLoop> runLoop_;
  IEditorLink* editor_ = nullptr;
  bool fdRegistered_ = false;
  bool timerRegistered_ = false;
};

}  // namespace spw_vst3

#pragma GCC diagnostic pop

#endif
