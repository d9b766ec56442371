#pragma once
// The page's plug-in as the tools' session code sees a plug-in
// (plugin_controls.h): parameters with the titles, units, steps and texts the
// VST 3 binding publishes, the programme list behind a programme-change
// parameter, and changes delivered with the web binding's process calls. So the
// page reads, resolves and plays a session with the renderer's own code.
//
// Threads: the one that owns the effect (the worklet's).

#include <cstdint>
#include <string>
#include <vector>

#include "effect_web.h"
#include "plugin_controls.h"

namespace spw_web {

class EffectControls : public spwhost::PluginControls {
 public:
  // The ID of the programme-change parameter, as the VST 3 binding numbers it.
  static constexpr uint32_t kProgramParameterId = 0x70727374;  // 'prst'

  explicit EffectControls(IEffectWeb& effect) : effect_(effect) {}

  int ParameterCount() override;
  bool GetParameterInfo(int index, spwhost::ParameterInfo* info) override;
  std::string ValueToString(uint32_t id, double normalized) override;
  double NormalizedToPlain(uint32_t id, double normalized) override;
  double PlainToNormalized(uint32_t id, double plain) override;
  double GetParamNormalized(uint32_t id) override;
  bool ProgramList(int32_t* listId, std::string* name, std::vector<std::string>* programs) override;
  // [audio thread] From here on, no allocation.
  void QueueParameterChange(uint32_t id, double normalized, int32_t sampleOffset = 0) override;
  // Renders into outputs (copied from the binding's block buffers).
  bool ProcessFloat(float* const* outputs, int nFrames) override;
  int32_t LastProcessResult() const override { return lastResult_; }

 private:
  bool HasPrograms() const { return effect_.PresetCount() > 0; }
  int LastProgram() const { return effect_.PresetCount() - 1; }
  const IParameter* Param(uint32_t id) const;

  IEffectWeb& effect_;
  int32_t lastResult_ = 0;
};

}  // namespace spw_web
