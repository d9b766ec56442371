#include "parameter_table.h"

#include <cstdio>
#include <iterator>

#include "parameter_ids.h"
#include "wave_shapes.h"

namespace {
struct Definition {
  const char* name;
  EParameterKind kind;
  double defaultValue;
  double minimum;
  double maximum;
  double step;
  const char* unit;
  double shape;
  const char* const* texts;  // enumerations: value texts, null-terminated
};

constexpr const char* kReferenceTexts[] = {"Base Freq", "Binaural Freq", nullptr};
constexpr const char* kNoYes[] = {"No", "Yes", nullptr};
constexpr const char* kWaveTexts[] = {"Sine",           "Triangle",      "Saw",          "Golden Sine",
                                      "Gold. Sine Half", "Gold. Triangle", "Gold. Square", nullptr};
static_assert(std::size(kWaveTexts) - 1 == kWaveShapes, "one \"Wave\" name per wave shape, in the same order");
constexpr const char* kPanTexts[] = {"Right", "Left", "Center Right", "Center Left", "Null", nullptr};
constexpr const char* kLinkTexts[] = {"No", "Yes", "Yes & up/down", nullptr};
constexpr const char* kEqualizerTexts[] = {"Linear", "Pink noise", "Decrease by 4.5dB", "Brownian noise",
                                           nullptr};
constexpr const char* kFadeStyleTexts[] = {"By Volume", "By Freq", nullptr};

constexpr EParameterKind D = EParameterKind::Double;
constexpr EParameterKind I = EParameterKind::Int;
constexpr EParameterKind E = EParameterKind::Enum;

// Indices 0 to 11; the twelve slot parameters follow one pattern and are made in a loop.
constexpr Definition kDefinitions[] = {
    {"Binaural", D, 4.0, 0.01, 2000.0, 0.01, "Hz", 2.0, nullptr},
    {"Base Freq", D, 400.0, 20.0, 20000.0, 0.01, "Hz", 2.0, nullptr},
    {"Reference", E, 0, 0, 1, 1, "", 1.0, kReferenceTexts},
    {"Play Anyway", E, 0, 0, 1, 1, "", 1.0, kNoYes},
    {"Wave", E, 0, 0, kWaveShapes - 1, 1, "", 1.0, kWaveTexts},
    {"Binaural Pan", E, 2, 0, 4, 1, "", 1.0, kPanTexts},
    {"Link Freq", E, 1, 0, 2, 1, "", 1.0, kLinkTexts},
    {"Freq Equalizer", E, 1, 0, 3, 1, "", 1.0, kEqualizerTexts},
    {"Fade", D, 1.0, 0.01, 90.0, 0.01, "s", 2.0, nullptr},
    {"Start/stop Fade", E, 0, 0, 1, 1, "", 1.0, kFadeStyleTexts},
    {"Volume", I, 75, 0, 100, 1, "%", 1.0, nullptr},
    {"Unlink Ref", D, 0.15, 0.01, 20000.0, 0.01, "Hz", 2.0, nullptr},
};
static_assert(sizeof kDefinitions / sizeof kDefinitions[0] == kSlot1, "one definition per non-slot parameter");

constexpr int kSlotMaximum = 100;
constexpr int kFirstSlotDefault = 22;  // one sounding tone out of the box

int TextCount(const char* const* texts) {
  int n = 0;
  while (texts[n]) ++n;
  return n;
}

void Define(IParameter& param, const Definition& def) {
  switch (def.kind) {
    case EParameterKind::Double:
      param.DefineDouble(def.name, def.defaultValue, def.minimum, def.maximum, def.step, def.unit);
      break;
    case EParameterKind::Enum:
      param.DefineEnumeration(def.name, static_cast<int>(def.defaultValue), TextCount(def.texts), def.unit);
      for (int v = 0; def.texts[v]; ++v) param.AddValueText(v, def.texts[v]);
      break;
    default:
      param.DefineInteger(def.name, static_cast<int>(def.defaultValue), static_cast<int>(def.minimum),
                          static_cast<int>(def.maximum), def.unit);
      break;
  }
  param.SetResponseShape(def.shape);
}
}  // namespace

void DefineParameters(IEffectBase& base) {
  for (int i = 0; i < kSlot1; ++i) Define(*base.ParamAt(i), kDefinitions[i]);
  for (int n = 1; n <= kSlotCount; ++n) {
    char name[IParameter::kTextSize];
    std::snprintf(name, sizeof name, "Slot %d", n);
    base.ParamAt(kSlot1 + n - 1)->DefineInteger(name, n == 1 ? kFirstSlotDefault : 0, 0, kSlotMaximum, "");
  }
}
