#include "effect_vst3_view.h"

#include <cstring>

#include "editor_run_loop.h"
#include "effect_vst3.h"

using namespace Steinberg;

namespace spw_vst3 {

#ifdef _WIN32
const char* const kEditorPlatformType = kPlatformTypeHWND;
#else
const char* const kEditorPlatformType = kPlatformTypeX11EmbedWindowID;
#endif

IEffectVST3View::IEffectVST3View(IEffectVST3* plugin) : plugin_(plugin) {
  plugin_->addRef();
  plugin_->AddView(this);
}

IEffectVST3View::~IEffectVST3View() {
  // A host that releases the view without removing it first must not leave a
  // window (and its timer) behind, driving an editor through a dead view.
  CloseWindow();
  plugin_->RemoveView(this);
  plugin_->release();
}

tresult PLUGIN_API IEffectVST3View::isPlatformTypeSupported(FIDString type) {
  if (!plugin_->Editor() || !type) return kResultFalse;
  return std::strcmp(type, kEditorPlatformType) == 0 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API IEffectVST3View::attached(void* parent, FIDString type) {
  IEditorLink* editor = plugin_->Editor();
  if (!editor || !parent || isPlatformTypeSupported(type) != kResultTrue) return kResultFalse;
  CloseWindow();
  if (!editor->OpenEditorWindow(parent)) return kResultFalse;
  if (!StartRunLoop()) {
    editor->CloseEditorWindow();
    return kResultFalse;
  }
  windowOpen_ = true;
  plugin_->EditorOpened();
  return CPluginView::attached(parent, type);
}

tresult PLUGIN_API IEffectVST3View::removed() {
  CloseWindow();
  return CPluginView::removed();
}

void IEffectVST3View::CloseWindow() {
  if (!windowOpen_) return;
  windowOpen_ = false;
  // The host stops calling into the window before the window goes.
  StopRunLoop();
  plugin_->EditorClosed();
  if (IEditorLink* editor = plugin_->Editor()) editor->CloseEditorWindow();
}

#if SMTG_OS_LINUX

bool IEffectVST3View::StartRunLoop() {
  FUnknownPtr<Linux::IRunLoop> hostLoop(plugFrame);
  if (!hostLoop) return false;
  runLoop_ = new EditorRunLoop;
  if (runLoop_->Start(hostLoop, plugin_->Editor())) return true;
  StopRunLoop();
  return false;
}

void IEffectVST3View::StopRunLoop() {
  if (!runLoop_) return;
  // A host that destroyed its run loop before removing the view (editorhost at
  // exit) no longer offers it through its frame: nothing may be called on it.
  FUnknownPtr<Linux::IRunLoop> hostLoop(plugFrame);
  if (runLoop_->RunLoop() && hostLoop.getInterface() != runLoop_->RunLoop()) {
    runLoop_->Abandon();
  } else {
    runLoop_->Stop();
  }
  runLoop_->release();
  runLoop_ = nullptr;
}

#else

// The window runs its own timer and the host's message loop delivers its events.
bool IEffectVST3View::StartRunLoop() { return true; }
void IEffectVST3View::StopRunLoop() {}

#endif

tresult PLUGIN_API IEffectVST3View::getSize(ViewRect* size) {
  const IEditorLink* editor = plugin_->Editor();
  if (!editor || !size) return kResultFalse;
  // The editor has one fixed size at its scale, whatever rectangle the host last handed to onSize.
  *size = ViewRect(0, 0, editor->DeviceWidth(), editor->DeviceHeight());
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3View::setContentScaleFactor(ScaleFactor factor) {
  IEditorLink* editor = plugin_->Editor();
  if (!editor) return kResultFalse;
  editor->SetHostScale(factor);
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3View::onSize(ViewRect* newSize) {
  if (newSize) rect = *newSize;
  if (resizePending_) {
    plugin_->ViewResized();
    resizePending_ = false;
  }
  return kResultOk;
}

void IEffectVST3View::RequestResize(int width, int height) {
  if (!plugFrame) return;
  resizePending_ = true;
  ViewRect wanted(0, 0, width, height);
  plugFrame->resizeView(this, &wanted);
}

}  // namespace spw_vst3
