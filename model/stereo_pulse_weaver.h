#pragma once
// The stereoPulseWeaver plug-in: binaural tone slots on a harmonic grid.

#include <cstdint>

#include "effect_vst3.h"
#include "harmonic_grid.h"
#include "host_slot_writer.h"
#include "parameter_effects.h"
#include "parameter_ids.h"
#include "tone_engine.h"
#include "watchdog.h"

class CLS_STEREOPULSEWEAVER : public spw_vst3::IEffectVST3 {
 public:
  CLS_STEREOPULSEWEAVER();
  ~CLS_STEREOPULSEWEAVER() override;

  static IEffectConfig Config();

  // ---- Audio (plugin_processing.cpp) ----
  // [audio thread, under the instance lock] One block: the first one derives
  // the frequencies (Reset); a stopped transport fades out unless "Play
  // Anyway"; phases re-align to the host position when asked.
  void ProcessBlock(double** inputs, double** outputs, int nFrames) noexcept override;
  // [any thread; takes the instance lock] After the first block: on a new
  // sample rate, applies "Base Freq", "Binaural" and "Fade" again; always asks
  // for a phase re-alignment.
  void Reset() override;
  // [main thread; takes the instance lock] Switching on resets.
  void ActiveStateChanged(bool active) override;

  // ---- The engine, for the change handler and the editor [under the instance lock] ----
  ToneEngine& Engine() { return engine_; }
  HarmonicGrid& Grid() { return grid_; }
  ParameterEffects& Effects() { return effects_; }

 protected:
  // Integer form of the value last applied per parameter; -1 forces the next delivery through.
  int32_t lastAppliedValue[kParameterCount];

 private:
  // Declared in construction order: the watchdog thread starts after the
  // engine exists and is joined before it goes.
  ToneEngine engine_;
  HostSlotWriter slotWriter_;
  HarmonicGrid grid_;
  ParameterEffects effects_;
  Watchdog watchdog_;
};
