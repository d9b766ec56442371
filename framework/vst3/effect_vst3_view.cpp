#include "effect_vst3_view.h"

#include "effect_vst3.h"

using namespace Steinberg;

namespace spw_vst3 {

IEffectVST3View::IEffectVST3View(IEffectVST3* plugin) : plugin_(plugin) {
  plugin_->addRef();
  plugin_->AddView(this);
}

IEffectVST3View::~IEffectVST3View() {
  plugin_->RemoveView(this);
  plugin_->release();
}

tresult PLUGIN_API IEffectVST3View::isPlatformTypeSupported(FIDString) {
  // No window system is bound yet: no platform's window can host the editor.
  return kResultFalse;
}

tresult PLUGIN_API IEffectVST3View::attached(void*, FIDString) { return kResultFalse; }

tresult PLUGIN_API IEffectVST3View::removed() {
  if (plugin_->Editor()) plugin_->EditorClosed();
  return CPluginView::removed();
}

tresult PLUGIN_API IEffectVST3View::getSize(ViewRect* size) {
  const IEditorLink* editor = plugin_->Editor();
  if (!editor || !size) return kResultFalse;
  // The editor has one fixed size, whatever rectangle the host last handed to onSize.
  *size = ViewRect(0, 0, editor->Width(), editor->Height());
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
