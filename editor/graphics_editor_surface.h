#pragma once
// The change handler's editor effects carried out on the graphics: hiding the
// knob of the frequency that is not the reference, showing a frame of the wave
// picture. Each request also goes on to the surface this one took the place
// of, the plug-in's own record.
//
// Threads: any thread under the instance lock; allocates nothing.

#include "editor_surface.h"

class IGraphics;

class GraphicsEditorSurface : public EditorSurface {
 public:
  GraphicsEditorSurface(IGraphics& graphics, EditorSurface* record) : graphics_(graphics), record_(record) {}

  void HideControlsOfParameter(int paramIdx, bool hide) override;
  void PushValueToControl(int controlIndex, double normalized) override;

 private:
  IGraphics& graphics_;
  EditorSurface* record_;
};
