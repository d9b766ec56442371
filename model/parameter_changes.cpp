// The one door every parameter value goes through, whatever its source: host
// automation, an editor edit, a restored preset or state, or Reset. Values that
// did not really change are skipped; each applied value updates the engine,
// the editor and the status line, and counts towards letting audio start.
#include <mutex>

#include "factory_presets.h"
#include "parameter_table.h"
#include "rounding.h"
#include "status_messages.h"
#include "stereo_pulse_weaver.h"

int32_t CLS_STEREOPULSEWEAVER::AppliedValue(int paramIdx, double value) {
  return RoundHalfAwayFromZero(ParameterRowOf(paramIdx).hundredths ? value * 100.0 : value);
}

void CLS_STEREOPULSEWEAVER::ParameterChanged(int paramIdx) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  if (paramIdx < 0 || paramIdx >= kParameterCount) return;
  const int32_t a = AppliedValue(paramIdx, ParamAt(paramIdx)->Value());
  if (a == lastAppliedValue[paramIdx]) return;
  lastAppliedValue[paramIdx] = a;
  ParameterRowOf(paramIdx).apply(*this, paramIdx, a);
  restoringState = 0;
  ShowParamStatus(paramIdx);
  CountApplied(paramIdx);
}

// Only the knob of the reference frequency is shown; the other one is the slots' own.
void CLS_STEREOPULSEWEAVER::ShowReference(int32_t a) {
  const bool beatsInSlots = a != 0;
  editorSurface->HideControlsOfParameter(kBinaural, beatsInSlots);
  editorSurface->HideControlsOfParameter(kBaseFreq, !beatsInSlots);
  referenceCaption->SetText(beatsInSlots ? "binaural freq" : "base freq");
}

void CLS_STEREOPULSEWEAVER::KeepSlotsWhenUnlinked(int32_t linkMode) {
  if (linkMode == 0 && !restoringState) WriteBackUnlinkReference();
}

// Unlinking keeps the slots where they are: the grid goes on measuring them
// against the reference they were linked to. The host is told of the edit, and
// the engine takes the value at once, so the next grid pass does not retune
// the slots against an older "Unlink Ref".
void CLS_STEREOPULSEWEAVER::WriteBackUnlinkReference() {
  IParameter& unlinkRef = *ParamAt(kUnlinkRef);
  unlinkRef.SetValueClamped(engine_.SharedReference());
  const int32_t a = AppliedValue(kUnlinkRef, unlinkRef.Value());
  lastAppliedValue[kUnlinkRef] = a;
  effects_.ApplyUnlinkRef(a);
  ReportParameterToHost(kUnlinkRef);
}

// Audio starts once every parameter has been applied at least once.
void CLS_STEREOPULSEWEAVER::CountApplied(int paramIdx) {
  if (ParamsReady()) return;
  if (!paramAppliedMark[paramIdx]) {
    paramAppliedMark[paramIdx] = 1;
    --paramsPending;
  }
  if (paramsPending > 0) return;
  SetParamsReady();
  // The whole programme is known: the grid is laid out now, before any audio,
  // so an editor opened first shows it and takes clicks.
  engine_.SetLayoutRate(LayoutRateBeforeAudio());
  grid_.Refresh(false);
}

void CLS_STEREOPULSEWEAVER::ShowParamStatus(int paramIdx) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  if (engine_.sampleRateSeen == 0.0) return;  // nothing is shown before audio has started
  char text[kStatusTextSize];
  ComposeParamStatus(paramIdx, engine_, *this, text);
  ShowStatus(text);
}

void CLS_STEREOPULSEWEAVER::ShowStatus(const char* text) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  statusLine->SetText(text);
  const uint32_t deadline = StatusClockMs() + kStatusShowMs;
  statusDeadline = deadline != 0 ? deadline : 1;  // 0 means no timeout
}

void CLS_STEREOPULSEWEAVER::ExpireStatusLine() noexcept {
  if (statusDeadline != 0 && statusDeadline < StatusClockMs()) {
    statusLine->SetText("");
    statusDeadline = 0;
  }
}

bool CLS_STEREOPULSEWEAVER::AllowParamRestore(int paramIdx, int presetIdx) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  // The "(only harmonics)" programmes bring only their slots.
  const bool slotsOnlyPreset = presetIdx >= kFirstSlotsOnlyPreset && presetIdx <= kLastSlotsOnlyPreset;
  if (slotsOnlyPreset && paramIdx < kSlot1) return false;
  restoringState = 1;
  return true;
}

int CLS_STEREOPULSEWEAVER::LoadParams(const StateChunk& chunk, int startPos) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  const int pos = PluginBinding::LoadParams(chunk, startPos);
  restoringState = 0;  // the restore is over, whichever of its values changed
  return pos;
}
