#pragma once
// What each parameter does to the engine and the grid, one operation per
// parameter. Each takes the applied value a: the parameter's value rounded
// half away from zero, in hundredths for "Binaural", "Base Freq", "Fade" and
// "Unlink Ref". The plug-in's change handler calls them only for values that
// differ from the last applied one, and adds what belongs to the editor and
// the host (status line, shown controls, the "Unlink Ref" write-back).
//
// Threads: [any thread, under the instance lock]; the audio thread reaches
// them through parameter changes inside a block and through Reset.

#include <cstdint>

#include "harmonic_grid.h"
#include "tone_engine.h"

class ParameterEffects {
 public:
  ParameterEffects(ToneEngine& engine, HarmonicGrid& grid) noexcept : engine_(engine), grid_(grid) {}

  void ApplyBinaural(int32_t hundredths) noexcept;    // beat, Hz x 100
  void ApplyBaseFreq(int32_t hundredths) noexcept;    // carrier, Hz x 100
  void ApplyReference(int32_t a) noexcept;            // 0: slots hold carriers, 1: slots hold beats
  void ApplyPlayAnyway(int32_t a) noexcept;           // 1: sound while the transport is stopped
  void ApplyWave(int32_t a) noexcept;                 // shape id, wave_shapes.h
  void ApplyPan(int32_t a) noexcept;                  // "Binaural Pan" 0..4
  void ApplyLinkMode(int32_t a) noexcept;             // "Link Freq" 0..2
  void ApplyEqualizer(int32_t a) noexcept;            // "Freq Equalizer" 0..3
  void ApplyFade(int32_t hundredths) noexcept;        // seconds x 100
  void ApplyStartStopFade(int32_t a) noexcept;        // 0 "By Volume", 1 "By Freq"
  void ApplyVolume(int32_t percent) noexcept;         // 0..100
  void ApplyUnlinkRef(int32_t hundredths) noexcept;   // Hz x 100
  void ApplySlotParameter(int slot, int32_t cellNumber) noexcept;  // slot 0..11, cell 1-based, 0 = none

 private:
  // The shared frequency moved: linked slots re-link, unlinked ones re-derive their pairs.
  void FollowSharedFrequency() noexcept;

  ToneEngine& engine_;
  HarmonicGrid& grid_;
};
