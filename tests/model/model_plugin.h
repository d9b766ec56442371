#pragma once
// The plug-in with the host played by the test: transport, position and the
// host's edit notifications are recorded or set directly.

#include <cstdint>
#include <string>
#include <vector>

#include "stereo_pulse_weaver.h"

class ModelPlugin : public CLS_STEREOPULSEWEAVER {
 public:
  struct Edit {
    char kind;  // 'b' begin, 'e' end
    int paramIdx;
  };

  int64_t position = 0;
  int transport = 1;
  std::vector<Edit> edits;

  int64_t HostSamplePosition() override { return position; }
  int GetTransportState() override { return transport; }
  void BeginHostEdit(int paramIdx) override { edits.push_back({'b', paramIdx}); }
  void EndHostEdit(int paramIdx) override { edits.push_back({'e', paramIdx}); }

  // What the binding does while the host initialises the component.
  void ApplyAllParameters() {
    for (int i = 0; i < kParameterCount; ++i) ParameterChanged(i);
  }
  // Sets a parameter's plain value and delivers it, as an automation point does.
  void Set(int paramIdx, double value) {
    ParamAt(paramIdx)->SetValue(value);
    ParameterChanged(paramIdx);
  }
  void RenderBlock(int frames = 256) {
    left.assign(static_cast<size_t>(frames), 0.0);
    right.assign(static_cast<size_t>(frames), 0.0);
    double* outs[2] = {left.data(), right.data()};
    ProcessBlock(nullptr, outs, frames);
  }
  // Ready to play: every parameter applied and the first block rendered at 48 kHz.
  void Start() {
    SetSampleRate(48000.0);
    ApplyAllParameters();
    RenderBlock();
  }
  std::string Status() const { return StatusText().Text(); }
  double Value(int paramIdx) const { return ParamAt(paramIdx)->Value(); }
  bool Restoring() const { return restoringState != 0; }
  int Pending() const { return paramsPending; }
  void ExpireStatusNow() { statusDeadline = 1; }
  uint32_t StatusDeadline() const { return statusDeadline; }

  std::vector<double> left, right;
};

// Deleted by its reference count, as hosts do.
struct ModelPluginHandle {
  ModelPlugin* plugin = new ModelPlugin();
  ~ModelPluginHandle() { plugin->release(); }
  ModelPlugin* operator->() const { return plugin; }
};
