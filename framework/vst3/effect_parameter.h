#pragma once
// A framework parameter published to the host through the SDK's Parameter: its
// info (ID = parameter index), display texts and the normalised mapping all come
// from the IParameter it wraps, which the plug-in base owns and outlives it.
//
// Threads: host main thread (info, conversions); reads the IParameter without the
// instance lock, as hosts' controller calls do.

#include "parameter.h"
#include "public.sdk/source/vst/vstparameters.h"

namespace spw_vst3 {

class IEffectParameter : public Steinberg::Vst::Parameter {
 public:
  IEffectParameter(const IParameter& param, Steinberg::Vst::ParamID id, Steinberg::Vst::UnitID unitId);

  // The parameter's own display text of a normalised value.
  void toString(Steinberg::Vst::ParamValue valueNormalized, Steinberg::Vst::String128 string) const override;
  // Reads the leading decimal number of the text as a plain value; a text without a
  // number is accepted only when it equals one of the parameter's value texts.
  bool fromString(const Steinberg::Vst::TChar* string, Steinberg::Vst::ParamValue& valueNormalized) const override;
  Steinberg::Vst::ParamValue toPlain(Steinberg::Vst::ParamValue valueNormalized) const override;
  Steinberg::Vst::ParamValue toNormalized(Steinberg::Vst::ParamValue plainValue) const override;

  OBJ_METHODS(IEffectParameter, Parameter)

 private:
  const IParameter& param_;
};

}  // namespace spw_vst3
