#include "parameter_table.h"

#include <cstdio>
#include <iterator>

#include "parameter_ids.h"
#include "rounding.h"
#include "status_messages.h"
#include "stereo_pulse_weaver.h"
#include "wave_shapes.h"

namespace {
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
constexpr bool kHundredths = true;
constexpr bool kWhole = false;
constexpr size_t kOut = kStatusTextSize;
using Plugin = CLS_STEREOPULSEWEAVER;

// Applying that only hands the value to the engine.
template <void (ParameterEffects::*kEffect)(int32_t) noexcept>
void Effect(Plugin& plugin, int, int32_t a) {
  (plugin.Effects().*kEffect)(a);
}

void NoStatus(const ToneEngine&, const IEffectBase&, char* out) noexcept { out[0] = '\0'; }

const char* PanMessage(int panMode) {
  switch (panMode) {
    case 4: return "Binaural off";
    case 3: return "Center & higher freq. to left";
    case 2: return "Center & higher freq. to right";
    case 1: return "Higher freq. to left";
    default: return "Higher freq. to right";
  }
}

const char* LinkMessage(int linkMode) {
  switch (linkMode) {
    case 2: return "Linked harmonics & follow up/down";
    case 1: return "Linked harmonics with fixed slot";
    default: return "Unlinked harmonics from reference";
  }
}

const char* EqualizerMessage(int equalizerMode) {
  switch (equalizerMode) {
    case 0: return "Harmonics equalizer: linear";
    case 1: return "Harmonics equalizer: pink noise";
    case 2: return "Harmonics equalizer: decrease by 4.5dB";
    default: return "Harmonics equalizer: brownian noise";
  }
}

// Indices 0 to 11, in index order; the twelve slot parameters follow one
// pattern and share kSlotRow.
constexpr ParameterRow kRows[] = {
    {{"Binaural", D, 4.0, 0.01, 2000.0, 0.01, "Hz", 2.0, nullptr}, kHundredths, Effect<&ParameterEffects::ApplyBinaural>,
     [](const ToneEngine& engine, const IEffectBase&, char* out) noexcept {
       std::snprintf(out, kOut, "Binaural: %.2fHz", static_cast<double>(engine.binauralFrequency));
     }},
    {{"Base Freq", D, 400.0, 20.0, 20000.0, 0.01, "Hz", 2.0, nullptr}, kHundredths,
     Effect<&ParameterEffects::ApplyBaseFreq>,
     [](const ToneEngine& engine, const IEffectBase&, char* out) noexcept {
       std::snprintf(out, kOut, "Base freq: %.2fHz", static_cast<double>(engine.baseFrequency));
     }},
    {{"Reference", E, 0, 0, 1, 1, "", 1.0, kReferenceTexts}, kWhole,
     [](Plugin& plugin, int, int32_t a) {
       plugin.ShowReference(a);
       plugin.Effects().ApplyReference(a);
     },
     [](const ToneEngine& engine, const IEffectBase&, char* out) noexcept {
       std::snprintf(out, kOut, "%s", engine.slotsHoldBase ? "Freq of reference: binaural" : "Freq of reference: base");
     }},
    {{"Play Anyway", E, 0, 0, 1, 1, "", 1.0, kNoYes}, kWhole, Effect<&ParameterEffects::ApplyPlayAnyway>,
     [](const ToneEngine& engine, const IEffectBase&, char* out) noexcept {
       std::snprintf(out, kOut, "%s", engine.playAnyway ? "Play anyway was activated" : "Play anyway was deactivated");
     }},
    {{"Wave", E, 0, 0, kWaveShapes - 1, 1, "", 1.0, kWaveTexts}, kWhole,
     [](Plugin& plugin, int, int32_t a) {
       plugin.Effects().ApplyWave(a);
       plugin.editorSurface->PushValueToControl(plugin.waveDisplay, a * (1.0 / (kWaveShapes - 1)));
     },
     [](const ToneEngine& engine, const IEffectBase& base, char* out) noexcept {
       std::snprintf(out, kOut, "Set wave: %s",
                     base.ParamAt(kWave)->ValueTextFor(static_cast<int>(engine.bank.waveId)));
     }},
    {{"Binaural Pan", E, 2, 0, 4, 1, "", 1.0, kPanTexts}, kWhole, Effect<&ParameterEffects::ApplyPan>,
     [](const ToneEngine& engine, const IEffectBase&, char* out) noexcept {
       std::snprintf(out, kOut, "%s", PanMessage(engine.panMode));
     }},
    {{"Link Freq", E, 1, 0, 2, 1, "", 1.0, kLinkTexts}, kWhole,
     [](Plugin& plugin, int, int32_t a) {
       plugin.Effects().ApplyLinkMode(a);
       plugin.KeepSlotsWhenUnlinked(a);
     },
     [](const ToneEngine& engine, const IEffectBase&, char* out) noexcept {
       std::snprintf(out, kOut, "%s", LinkMessage(engine.linkMode));
     }},
    {{"Freq Equalizer", E, 1, 0, 3, 1, "", 1.0, kEqualizerTexts}, kWhole, Effect<&ParameterEffects::ApplyEqualizer>,
     [](const ToneEngine& engine, const IEffectBase&, char* out) noexcept {
       std::snprintf(out, kOut, "%s", EqualizerMessage(engine.equalizerMode));
     }},
    {{"Fade", D, 1.0, 0.01, 90.0, 0.01, "s", 2.0, nullptr}, kHundredths, Effect<&ParameterEffects::ApplyFade>,
     [](const ToneEngine&, const IEffectBase& base, char* out) noexcept {
       std::snprintf(out, kOut, "Fade when freq. change: %.2fs", base.ParamAt(kFade)->Value());
     }},
    {{"Start/stop Fade", E, 0, 0, 1, 1, "", 1.0, kFadeStyleTexts}, kWhole,
     Effect<&ParameterEffects::ApplyStartStopFade>,
     [](const ToneEngine& engine, const IEffectBase&, char* out) noexcept {
       std::snprintf(out, kOut, "%s", engine.fadeByVolume ? "Start/stop fade: by volume" : "Start/end fade: by freq");
     }},
    {{"Volume", I, 75, 0, 100, 1, "%", 1.0, nullptr}, kWhole, Effect<&ParameterEffects::ApplyVolume>,
     [](const ToneEngine&, const IEffectBase& base, char* out) noexcept {
       std::snprintf(out, kOut, "Volume amount: %d%%", RoundHalfAway(base.ParamAt(kVolume)->Value()));
     }},
    {{"Unlink Ref", D, 0.15, 0.01, 20000.0, 0.01, "Hz", 2.0, nullptr}, kHundredths,
     Effect<&ParameterEffects::ApplyUnlinkRef>, NoStatus},
};
static_assert(std::size(kRows) == kSlot1, "one row per non-slot parameter");

constexpr ParameterRow kSlotRow = {
    {nullptr, I, 0, 0, 0, 0, "", 1.0, nullptr}, kWhole,
    [](Plugin& plugin, int paramIdx, int32_t a) { plugin.Effects().ApplySlotParameter(paramIdx - kSlot1, a); },
    NoStatus};

constexpr int kSlotMaximum = 100;
constexpr int kFirstSlotDefault = 22;  // one sounding tone out of the box

int TextCount(const char* const* texts) {
  int n = 0;
  while (texts[n]) ++n;
  return n;
}

void Define(IParameter& param, const ParameterDefinition& def) {
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

const ParameterRow& ParameterRowOf(int paramIdx) noexcept {
  return paramIdx >= 0 && paramIdx < kSlot1 ? kRows[paramIdx] : kSlotRow;
}

void DefineParameters(IEffectBase& base) {
  for (int i = 0; i < kSlot1; ++i) Define(*base.ParamAt(i), kRows[i].definition);
  for (int n = 1; n <= kSlotCount; ++n) {
    char name[IParameter::kTextSize];
    std::snprintf(name, sizeof name, "Slot %d", n);
    base.ParamAt(kSlot1 + n - 1)->DefineInteger(name, n == 1 ? kFirstSlotDefault : 0, 0, kSlotMaximum, "");
  }
}
