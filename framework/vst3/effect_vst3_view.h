#pragma once
// The editor view a host asks the binding for. It holds a counted reference to its
// plug-in, so the plug-in outlives every view. Without an attached editor it
// declines everything. Attaching opens the editor's window inside the host's
// window: an HWND on Windows; on Linux an X11 window id ("X11EmbedWindowID"),
// driven by the run loop the host's frame offers.
//
// Threads: host main thread.

#include "public.sdk/source/common/pluginview.h"

namespace spw_vst3 {

class IEffectVST3;
class EditorRunLoop;

// The window system type this build's editor window embeds in.
extern const char* const kEditorPlatformType;

class IEffectVST3View : public Steinberg::CPluginView {
 public:
  explicit IEffectVST3View(IEffectVST3* plugin);
  ~IEffectVST3View() override;

  // True for kEditorPlatformType only, and only with an editor.
  Steinberg::tresult PLUGIN_API isPlatformTypeSupported(Steinberg::FIDString type) override;
  // Opens the editor window in parent; kResultFalse, with nothing opened, when the type
  // is not supported or the window (or on Linux the frame's run loop) is not available.
  Steinberg::tresult PLUGIN_API attached(void* parent, Steinberg::FIDString type) override;
  Steinberg::tresult PLUGIN_API removed() override;
  Steinberg::tresult PLUGIN_API getSize(Steinberg::ViewRect* size) override;
  Steinberg::tresult PLUGIN_API onSize(Steinberg::ViewRect* newSize) override;

  // Asks the host's frame for a new size (w x h pixels); the next onSize completes it.
  void RequestResize(int width, int height);

  OBJ_METHODS(IEffectVST3View, CPluginView)

 private:
  bool StartRunLoop();
  void StopRunLoop();
  void CloseWindow();

  IEffectVST3* plugin_;
  EditorRunLoop* runLoop_ = nullptr;  // counted reference while the window is open (Linux)
  bool windowOpen_ = false;
  bool resizePending_ = false;
};

}  // namespace spw_vst3
