#pragma once
// The editor view a host asks the binding for. It holds a counted reference to its
// plug-in, so the plug-in outlives every view. Without an attached editor it
// declines everything. Attaching opens the editor's window inside the host's
// window: an HWND on Windows; on Linux an X11 window id ("X11EmbedWindowID"),
// driven by the run loop the host's frame offers.
//
// Threads: host main thread.

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "public.sdk/source/common/pluginview.h"

// SDK interfaces have no virtual destructors: the view is destroyed by its own release().
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace spw_vst3 {

class IEffectVST3;
class EditorRunLoop;

// The window system type this build's editor window embeds in.
extern const char* const kEditorPlatformType;

class IEffectVST3View : public Steinberg::CPluginView, public Steinberg::IPlugViewContentScaleSupport {
 public:
  explicit IEffectVST3View(IEffectVST3* plugin);
  ~IEffectVST3View() override;

  // True for kEditorPlatformType only, and only with an editor.
  Steinberg::tresult PLUGIN_API isPlatformTypeSupported(Steinberg::FIDString type) override;
  // Opens the editor window in parent; kResultFalse, with nothing opened, when the type
  // is not supported or the window (or on Linux the frame's run loop) is not available.
  Steinberg::tresult PLUGIN_API attached(void* parent, Steinberg::FIDString type) override;
  Steinberg::tresult PLUGIN_API removed() override;
  // The editor's size times its scale, in the screen's pixels.
  Steinberg::tresult PLUGIN_API getSize(Steinberg::ViewRect* size) override;
  // The screen's scale (1 is 100 %): the editor draws at it (times the person's zoom, within
  // 100 % to 200 %) and, with its window open, asks the frame for the new size.
  Steinberg::tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) override;
  Steinberg::tresult PLUGIN_API onSize(Steinberg::ViewRect* newSize) override;

  // Asks the host's frame for a new size (w x h pixels); the next onSize completes it.
  void RequestResize(int width, int height);

  OBJ_METHODS(IEffectVST3View, CPluginView)
  DEFINE_INTERFACES
    DEF_INTERFACE(Steinberg::IPlugViewContentScaleSupport)
  END_DEFINE_INTERFACES(CPluginView)
  REFCOUNT_METHODS(CPluginView)

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

#pragma GCC diagnostic pop
