#pragma once
// The editor view a host asks the binding for. It holds a counted reference to its
// plug-in, so the plug-in outlives every view. Without an attached editor it
// declines everything; the window of each platform is opened by the graphics
// layer, which this view will hand the host's parent window to.
//
// Threads: host main thread.

#include "public.sdk/source/common/pluginview.h"

namespace spw_vst3 {

class IEffectVST3;

class IEffectVST3View : public Steinberg::CPluginView {
 public:
  explicit IEffectVST3View(IEffectVST3* plugin);
  ~IEffectVST3View() override;

  Steinberg::tresult PLUGIN_API isPlatformTypeSupported(Steinberg::FIDString type) override;
  Steinberg::tresult PLUGIN_API attached(void* parent, Steinberg::FIDString type) override;
  Steinberg::tresult PLUGIN_API removed() override;
  Steinberg::tresult PLUGIN_API getSize(Steinberg::ViewRect* size) override;
  Steinberg::tresult PLUGIN_API onSize(Steinberg::ViewRect* newSize) override;

  // Asks the host's frame for a new size (w x h pixels); the next onSize completes it.
  void RequestResize(int width, int height);

  OBJ_METHODS(IEffectVST3View, CPluginView)

 private:
  IEffectVST3* plugin_;
  bool resizePending_ = false;
};

}  // namespace spw_vst3
