#include "effect_parameter.h"

#include <cmath>
#include <locale>
#include <sstream>

#include "utf16_text.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace spw_vst3 {

IEffectParameter::IEffectParameter(const IParameter& param, ParamID id, UnitID unitId)
    : param_(param) {
  info.id = id;
  WidenText(param.ParameterName(), info.title, 128);
  info.shortTitle[0] = 0;
  WidenText(param.UnitLabel(), info.units, 128);
  info.stepCount = param.Kind() == EParameterKind::Double
                       ? 0
                       : static_cast<int32>(param.Maximum() - param.Minimum());
  info.defaultNormalizedValue = param.PlainToNormalized(param.Default());
  info.unitId = unitId;
  info.flags = param.CanAutomate() ? ParameterInfo::kCanAutomate : 0;
  valueNormalized = info.defaultNormalizedValue;
  precision = param.Precision();
}

void IEffectParameter::toString(ParamValue normalized, String128 string) const {
  char text[IParameter::kDisplaySize];
  param_.FormatValue(normalized, true, text);
  WidenText(text, string, 128);
}

bool IEffectParameter::fromString(const TChar* string, ParamValue& normalized) const {
  if (!string) return false;
  char text[128];
  NarrowText(string, text, sizeof text);
  // The classic locale: a host's own number format must not turn "4.5" into 4.
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  double plain = 0.0;
  if (in >> plain && std::isfinite(plain)) {
    normalized = param_.PlainToNormalized(plain);
    return true;
  }
  // Hosts offer the display text back for editing; for choice parameters that is a value text.
  double plainFromText = 0.0;
  if (param_.ValueForText(text, &plainFromText)) {
    normalized = param_.PlainToNormalized(plainFromText);
    return true;
  }
  return false;
}

ParamValue IEffectParameter::toPlain(ParamValue normalized) const {
  return param_.NormalizedToPlain(normalized);
}

ParamValue IEffectParameter::toNormalized(ParamValue plainValue) const {
  return param_.PlainToNormalized(plainValue);
}

}  // namespace spw_vst3
