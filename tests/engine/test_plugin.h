#pragma once
// The plug-in with the host's side played by the test: transport and position
// are set directly, and the change handler applies the three parameters that
// Reset forces through, recording each call.

#include <cstdint>
#include <vector>

#include "rounding.h"
#include "stereo_pulse_weaver.h"

class TestPlugin : public CLS_STEREOPULSEWEAVER {
 public:
  struct Call {
    int paramIdx;
    int32_t lastApplied;  // lastAppliedValue of the parameter when the handler ran
  };

  int64_t position = 0;
  int transport = 1;
  std::vector<Call> calls;  // reserved up front: recording must not allocate on the audio path

  // With a builder the plug-in has its editor, as the shipped one does.
  explicit TestPlugin(EditorBuilder buildEditor = nullptr) : CLS_STEREOPULSEWEAVER(buildEditor) {
    calls.reserve(64);
    // The parameters' defaults, applied as the binding does before audio starts.
    ParameterEffects& e = Effects();
    e.ApplyBinaural(400);
    e.ApplyBaseFreq(40000);
    e.ApplyReference(0);
    e.ApplyPlayAnyway(0);
    e.ApplyWave(0);
    e.ApplyPan(2);
    e.ApplyLinkMode(1);
    e.ApplyEqualizer(1);
    e.ApplyFade(100);
    e.ApplyStartStopFade(0);
    e.ApplyVolume(75);
    e.ApplyUnlinkRef(15);
    e.ApplySlotParameter(0, 22);
  }

  int64_t HostSamplePosition() override { return position; }
  int GetTransportState() override { return transport; }

  void ParameterChanged(int paramIdx) override {
    if (calls.size() < calls.capacity()) calls.push_back({paramIdx, lastAppliedValue[paramIdx]});
    const int32_t hundredths = RoundHalfAwayFromZero(ParamAt(paramIdx)->Value() * 100.0);
    lastAppliedValue[paramIdx] = hundredths;
    if (paramIdx == kBinaural) Effects().ApplyBinaural(hundredths);
    if (paramIdx == kBaseFreq) Effects().ApplyBaseFreq(hundredths);
    if (paramIdx == kFade) Effects().ApplyFade(hundredths);
  }

  int32_t LastApplied(int paramIdx) const { return lastAppliedValue[paramIdx]; }
};

// Deleted by its reference count, as hosts do.
struct PluginHandle {
  explicit PluginHandle(EditorBuilder buildEditor = nullptr) : plugin(new TestPlugin(buildEditor)) {}
  PluginHandle(const PluginHandle&) = delete;
  PluginHandle& operator=(const PluginHandle&) = delete;
  TestPlugin* plugin;
  ~PluginHandle() { plugin->release(); }
  TestPlugin* operator->() const { return plugin; }
};
