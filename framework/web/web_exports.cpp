// The C functions a page's script calls an instance through (the module's
// exports, "_spw_*"). The instance handle is the IEffectWeb the module's
// spw_create made. Texts returned stay valid until the next call that returns
// one; the state bytes until the next spw_save_state. One thread calls them.

#include <emscripten/emscripten.h>

#include <cstdint>
#include <vector>

#include "effect_web.h"

using spw_web::IEffectWeb;

namespace {

char text[IParameter::kDisplaySize];
std::vector<uint8_t> savedState;

const IParameter* Param(IEffectWeb* effect, int i) { return effect ? effect->ParamAt(i) : nullptr; }

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void spw_destroy(IEffectWeb* effect) { delete effect; }

// ---- Processing ----
EMSCRIPTEN_KEEPALIVE int spw_setup(IEffectWeb* effect, double sampleRate, int maxBlockFrames) {
  return effect->SetupProcessing(sampleRate, maxBlockFrames) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE void spw_set_active(IEffectWeb* effect, int active) { effect->SetActive(active != 0); }
// positionSamples: a whole number below 2^53.
EMSCRIPTEN_KEEPALIVE void spw_set_transport(IEffectWeb* effect, int playing, double positionSamples) {
  effect->SetTransport(playing != 0, static_cast<int64_t>(positionSamples));
}
EMSCRIPTEN_KEEPALIVE int spw_queue_change(IEffectWeb* effect, int id, double value, int offset) {
  return effect->QueueChange(id, value, offset) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE void spw_apply_change(IEffectWeb* effect, int id, double value) { effect->ApplyChange(id, value); }
EMSCRIPTEN_KEEPALIVE int spw_process(IEffectWeb* effect, int nFrames) { return effect->Process(nFrames) ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE float* spw_output(IEffectWeb* effect, int channel) { return effect->Output(channel); }

// ---- What the plug-in changed itself ----
EMSCRIPTEN_KEEPALIVE int spw_output_change_count(IEffectWeb* effect) { return effect->OutputChangeCount(); }
EMSCRIPTEN_KEEPALIVE int spw_output_change_id(IEffectWeb* effect, int i) { return effect->OutputChange(i).id; }
EMSCRIPTEN_KEEPALIVE int spw_output_change_offset(IEffectWeb* effect, int i) {
  return effect->OutputChange(i).offset;
}
EMSCRIPTEN_KEEPALIVE double spw_output_change_value(IEffectWeb* effect, int i) {
  return effect->OutputChange(i).value;
}
EMSCRIPTEN_KEEPALIVE void spw_clear_output_changes(IEffectWeb* effect) { effect->ClearOutputChanges(); }

// ---- Parameters ----
EMSCRIPTEN_KEEPALIVE int spw_parameter_count(IEffectWeb* effect) { return effect->ParameterCount(); }
EMSCRIPTEN_KEEPALIVE const char* spw_parameter_name(IEffectWeb* effect, int i) {
  const IParameter* param = Param(effect, i);
  return param ? param->ParameterName() : "";
}
EMSCRIPTEN_KEEPALIVE double spw_parameter_normalized(IEffectWeb* effect, int i) {
  const IParameter* param = Param(effect, i);
  return param ? param->NormalizedValue() : 0.0;
}
// Steps across the range of a list or whole-number parameter; 0 for a continuous one.
EMSCRIPTEN_KEEPALIVE int spw_parameter_steps(IEffectWeb* effect, int i) {
  const IParameter* param = Param(effect, i);
  if (!param || param->Kind() == EParameterKind::Double) return 0;
  return RoundHalfAway((param->Maximum() - param->Minimum()) / param->Step());
}
// The display text of a normalised value of parameter i.
EMSCRIPTEN_KEEPALIVE const char* spw_parameter_text(IEffectWeb* effect, int i, double normalized) {
  const IParameter* param = Param(effect, i);
  text[0] = '\0';
  if (param) param->FormatValue(normalized, true, text);
  return text;
}
EMSCRIPTEN_KEEPALIVE double spw_plain_to_normalized(IEffectWeb* effect, int i, double plain) {
  const IParameter* param = Param(effect, i);
  return param ? param->PlainToNormalized(plain) : 0.0;
}
EMSCRIPTEN_KEEPALIVE double spw_normalized_to_plain(IEffectWeb* effect, int i, double normalized) {
  const IParameter* param = Param(effect, i);
  return param ? param->NormalizedToPlain(normalized) : 0.0;
}

// ---- Programmes ----
EMSCRIPTEN_KEEPALIVE int spw_program_count(IEffectWeb* effect) { return effect->PresetCount(); }
EMSCRIPTEN_KEEPALIVE const char* spw_program_name(IEffectWeb* effect, int i) {
  const char* name = effect->PresetName(i);
  return name ? name : "";
}
EMSCRIPTEN_KEEPALIVE int spw_program_filled(IEffectWeb* effect, int i) { return effect->PresetFilled(i) ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int spw_current_program(IEffectWeb* effect) { return effect->CurrentPresetIdx(); }

// ---- State ----
// The state's size in bytes (0 on failure); spw_state_data points at them.
EMSCRIPTEN_KEEPALIVE int spw_save_state(IEffectWeb* effect) {
  savedState.clear();
  return effect->GetState(&savedState) ? static_cast<int>(savedState.size()) : 0;
}
EMSCRIPTEN_KEEPALIVE const uint8_t* spw_state_data() { return savedState.data(); }
EMSCRIPTEN_KEEPALIVE int spw_load_state(IEffectWeb* effect, const uint8_t* bytes, int size) {
  return effect->SetState(bytes, size) ? 1 : 0;
}

}  // extern "C"
