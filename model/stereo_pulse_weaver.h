#pragma once
// The stereoPulseWeaver plug-in: binaural tone slots on a harmonic grid.

#include <cstdint>
#include <memory>

#include "editor_builder.h"
#include "editor_surface.h"
#include "harmonic_grid.h"
#include "host_slot_writer.h"
#include "parameter_effects.h"
#include "parameter_ids.h"
#include "phase_crossfade.h"
#include "plugin_binding.h"
#include "text_sink.h"
#include "tone_engine.h"
#include "watchdog.h"

class CLS_STEREOPULSEWEAVER : public PluginBinding {
 public:
  // With a builder, the editor is built right after the parameters (the
  // plug-in as shipped); without one there is none.
  explicit CLS_STEREOPULSEWEAVER(EditorBuilder buildEditor = nullptr);
  ~CLS_STEREOPULSEWEAVER() override;

  static IEffectConfig Config();
  // Hz the grid is laid out for before the host has set up processing.
  static constexpr double kDefaultLayoutRate = 48000.0;

  // ---- Audio (plugin_processing.cpp) ----
  // [audio thread, under the instance lock] One block: the first one derives
  // the frequencies (Reset); a stopped transport fades out unless "Play
  // Anyway"; phases re-align to the host position when asked, with a 5 ms glide.
  void ProcessBlock(double** inputs, double** outputs, int nFrames) noexcept override;
  // [any thread; takes the instance lock] After the first block: on a new
  // sample rate, applies "Base Freq", "Binaural" and "Fade" again; always asks
  // for a phase re-alignment.
  void Reset() override;
  // [main thread; takes the instance lock] Switching on resets.
  void ActiveStateChanged(bool active) override;
  // [editor thread; takes the instance lock] While a window is open the slot
  // panel runs the grid's passes from its timer tick; without one they run at once.
  void EditorOpened() override;
  void EditorClosed() override;

  // ---- Parameter changes (parameter_changes.cpp) ----
  // [any thread; takes the instance lock] Applies parameter paramIdx's value
  // unless its applied integer form equals the last one applied.
  void ParameterChanged(int paramIdx) override;
  // [any thread; takes the instance lock] Explains the parameter's effect on the
  // status line for nine seconds; silent until audio has started.
  void ShowParamStatus(int paramIdx) override;
  // [any thread; takes the instance lock] Shows text on the status line for nine seconds.
  void ShowStatus(const char* text);
  // [under the instance lock] Selecting an "(only harmonics)" programme changes only the slots.
  bool AllowParamRestore(int paramIdx, int presetIdx) override;
  int LoadParams(const StateChunk& chunk, int startPos) override;
  // The integer a value is applied as: hundredths for the frequencies and the
  // fade time, whole units for the others, rounded half away from zero.
  static int32_t AppliedValue(int paramIdx, double value);
  // What "Reference" and "Link Freq" do beyond the engine; the parameter
  // table's rows call them. [under the instance lock]
  // Only the knob of the reference frequency is shown; the caption names it.
  void ShowReference(int32_t a);
  // Unlinking by hand (not by a restore) writes the shared reference back into "Unlink Ref".
  void KeepSlotsWhenUnlinked(int32_t linkMode);

  // ---- Editor texts and controls the change handler writes; the editor may
  // point these at its own controls [under the instance lock] ----
  TextSink* statusLine = &statusText_;
  TextSink* referenceCaption = &referenceText_;
  EditorSurface* editorSurface = &surfaceHolder_;
  int16_t waveDisplay = 0;  // control index of the wave picture
  const TextHolder& StatusText() const { return statusText_; }
  const TextHolder& ReferenceText() const { return referenceText_; }
  const EditorSurfaceHolder& SurfaceHolder() const { return surfaceHolder_; }

  // ---- The engine, for the change handler and the editor [under the instance lock] ----
  ToneEngine& Engine() { return engine_; }
  // [audio thread; or the editor's, for an instance that plays nothing (a web
  // page's editor)] Empties the status line once its nine seconds are over.
  void ExpireStatusLine() noexcept;
  HarmonicGrid& Grid() { return grid_; }
  ParameterEffects& Effects() { return effects_; }

 protected:
  // Integer form of the value last applied per parameter; -1 forces the next delivery through.
  int32_t lastAppliedValue[kParameterCount];
  // First application of every parameter, counted once each; audio waits for all 24.
  uint16_t paramAppliedMark[kParameterCount] = {};
  int16_t paramsPending = kParameterCount;
  uint8_t restoringState = 0;    // a preset or state restore is in progress
  uint32_t statusDeadline = 0;   // StatusClockMs() after which the status line empties; 0 = none

 private:
  void WriteBackUnlinkReference();
  void CountApplied(int paramIdx);
  // Before the first block: the rate of setupProcessing, else kDefaultLayoutRate.
  double LayoutRateBeforeAudio() const;

  TextHolder statusText_;
  TextHolder referenceText_;
  EditorSurfaceHolder surfaceHolder_;
  // Declared in construction order: the watchdog thread starts after the
  // engine exists and is joined before it goes.
  ToneEngine engine_;
  HostSlotWriter slotWriter_;
  HarmonicGrid grid_;
  ParameterEffects effects_;
  PhaseCrossfade realignGlide_;  // glides into the phases of a re-alignment
  Watchdog watchdog_;
  // The editor surface that editorSurface points at once the editor is built.
  std::unique_ptr<EditorSurface> editorBridge_;
};
