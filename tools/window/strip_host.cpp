#include "strip_host.h"

#include "pluginterfaces/gui/iplugview.h"

namespace spwwin {

int StripHost::Layout(int width, int editorHeight) {
  if (!strip_) return 0;
  height_ = strip_->Layout(width, editorHeight);
  stripPicture_.Resize(width, height_);
  panelPicture_.Resize(width, editorHeight);
  return height_;
}

void StripHost::Draw() {
  if (!strip_) return;
  strip_->DrawStrip(stripPicture_);
  if (strip_->PanelOpen()) strip_->DrawPanel(panelPicture_);
}

void StripHost::Key(ArrowKey key) {
  if (!strip_) return;
  if (view_ && view_->onKeyDown(0, static_cast<Steinberg::int16>(key), 0) == Steinberg::kResultTrue) return;
  const bool back = key == ArrowKey::kLeft || key == ArrowKey::kUp;
  strip_->Key(back ? StripKey::kPrevious : StripKey::kNext);
}

}  // namespace spwwin
