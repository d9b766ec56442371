#include "effect_controls.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace spw_web {
namespace {

constexpr int32_t kRefused = 1;  // VST 3's kResultFalse, for messages

double Limit(double normalized) { return std::isnan(normalized) ? 0.0 : std::clamp(normalized, 0.0, 1.0); }

}  // namespace

const IParameter* EffectControls::Param(uint32_t id) const {
  return id < uint32_t(effect_.ParameterCount()) ? effect_.ParamAt(int(id)) : nullptr;
}

// The programme-change parameter first, then the plug-in's, as the VST 3 binding registers them.
int EffectControls::ParameterCount() { return effect_.ParameterCount() + (HasPrograms() ? 1 : 0); }

bool EffectControls::GetParameterInfo(int index, spwhost::ParameterInfo* info) {
  if (!info || index < 0 || index >= ParameterCount()) return false;
  *info = spwhost::ParameterInfo();
  if (HasPrograms() && index == 0) {
    info->id = kProgramParameterId;
    info->title = "Presets";
    info->stepCount = LastProgram();
    info->flags = spwhost::parameter_flags::kIsProgramChange;
    return true;
  }
  const IParameter& param = *effect_.ParamAt(index - (HasPrograms() ? 1 : 0));
  info->id = uint32_t(index - (HasPrograms() ? 1 : 0));
  info->title = param.ParameterName();
  info->units = param.UnitLabel();
  info->stepCount = param.Kind() == EParameterKind::Double ? 0 : int32_t(param.Maximum() - param.Minimum());
  info->defaultNormalized = param.PlainToNormalized(param.Default());
  return true;
}

std::string EffectControls::ValueToString(uint32_t id, double normalized) {
  const IParameter* param = Param(id);
  if (!param) return "";
  char text[IParameter::kDisplaySize];
  param->FormatValue(normalized, true, text);
  return text;
}

double EffectControls::NormalizedToPlain(uint32_t id, double normalized) {
  if (id == kProgramParameterId) return std::round(Limit(normalized) * LastProgram());
  const IParameter* param = Param(id);
  return param ? param->NormalizedToPlain(normalized) : normalized;
}

double EffectControls::PlainToNormalized(uint32_t id, double plain) {
  if (id == kProgramParameterId) return LastProgram() > 0 ? plain / LastProgram() : 0.0;
  const IParameter* param = Param(id);
  return param ? param->PlainToNormalized(plain) : plain;
}

double EffectControls::GetParamNormalized(uint32_t id) {
  if (id == kProgramParameterId) return LastProgram() > 0 ? double(effect_.CurrentPresetIdx()) / LastProgram() : 0.0;
  const IParameter* param = Param(id);
  return param ? param->NormalizedValue() : 0.0;
}

bool EffectControls::ProgramList(int32_t* listId, std::string* name, std::vector<std::string>* programs) {
  if (!HasPrograms()) return false;
  *listId = int32_t(kProgramParameterId);
  *name = "Factory Presets";
  programs->clear();
  for (int i = 0; i < effect_.PresetCount(); ++i) programs->push_back(effect_.PresetName(i));
  return true;
}

void EffectControls::QueueParameterChange(uint32_t id, double normalized, int32_t sampleOffset) {
  if (id == kProgramParameterId) {
    // The programme the VST 3 binding selects for this value (none for NaN).
    if (!std::isnan(normalized)) {
      effect_.QueueChange(kProgramChangeId, int(LastProgram() * std::clamp(normalized, 0.0, 1.0) + 0.5), sampleOffset);
    }
  } else {
    effect_.QueueChange(int32_t(id), normalized, sampleOffset);
  }
}

bool EffectControls::ProcessFloat(float* const* outputs, int nFrames) {
  const bool done = effect_.Process(nFrames);
  lastResult_ = done ? 0 : kRefused;
  if (done && nFrames > 0) {
    std::memcpy(outputs[0], effect_.Output(0), sizeof(float) * size_t(nFrames));
    std::memcpy(outputs[1], effect_.Output(1), sizeof(float) * size_t(nFrames));
  }
  return done;
}

}  // namespace spw_web
