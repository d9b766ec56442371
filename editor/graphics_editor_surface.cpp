#include "graphics_editor_surface.h"

#include "graphics.h"

void GraphicsEditorSurface::HideControlsOfParameter(int paramIdx, bool hide) {
  graphics_.HideControlsOfParameter(paramIdx, hide);
  if (record_) record_->HideControlsOfParameter(paramIdx, hide);
}

void GraphicsEditorSurface::PushValueToControl(int controlIndex, double normalized) {
  graphics_.PushValueToControl(controlIndex, normalized);
  if (record_) record_->PushValueToControl(controlIndex, normalized);
}
