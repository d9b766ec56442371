#include "attached_view.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

namespace spwwin {

bool AttachedView::Create(Steinberg::Vst::IEditController* controller, std::string* error) {
  Close();
  view_ = controller ? controller->createView(Steinberg::Vst::ViewType::kEditor) : nullptr;
  if (!view_) *error = "the plug-in offers no editor";
  return view_ != nullptr;
}

bool AttachedView::Size(int* width, int* height) const {
  Steinberg::ViewRect rect;
  if (!view_ || view_->getSize(&rect) != Steinberg::kResultOk || rect.getWidth() <= 0 || rect.getHeight() <= 0) {
    return false;
  }
  *width = rect.getWidth();
  *height = rect.getHeight();
  return true;
}

bool AttachedView::Attach(Steinberg::IPlugFrame* frame, void* parent, const char* platformType, std::string* error) {
  if (!view_) return false;
  view_->setFrame(frame);
  if (view_->attached(parent, platformType) != Steinberg::kResultOk) {
    *error = std::string("the editor does not open in a window of type ") + platformType;
    view_->setFrame(nullptr);
    view_->release();
    view_ = nullptr;
    return false;
  }
  return true;
}

bool AttachedView::Open(Steinberg::Vst::IEditController* controller, Steinberg::IPlugFrame* frame, void* parent,
                        const char* platformType, std::string* error) {
  return Create(controller, error) && Attach(frame, parent, platformType, error);
}

void AttachedView::Close() {
  if (!view_) return;
  view_->removed();
  view_->setFrame(nullptr);
  view_->release();
  view_ = nullptr;
}

}  // namespace spwwin
