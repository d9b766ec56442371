#pragma once
// The tone engine's state and its operations: up to twelve binaural tone
// slots, their stereo placement and levels, the ramps of every audible change,
// and the block renderer that plays them.
//
// Threads: every operation runs under the plug-in's instance lock (host audio
// thread, host main thread, editor thread), except where a field says
// otherwise. The atomic byte flags are the doors to the threads that run
// without the lock (the watchdog and the editor's phase-sync button).

#include <atomic>
#include <cstdint>

#include "mix_path.h"
#include "oscillator_bank.h"
#include "phase_sync_state.h"
#include "text_sink.h"

class ToneEngine {
 public:
  // Clears every field, fills the scale and initialises the bank; slots hold carriers.
  // [main thread, at construction]
  ToneEngine() noexcept;
  ToneEngine(const ToneEngine&) = delete;
  ToneEngine& operator=(const ToneEngine&) = delete;

  // ---- Tone slots (slot_tuning.cpp) ----

  // Gives slot (0..11; -1: none, captions only) the frequency hz (a negative
  // value repeats the last one), derives its ear frequencies and target
  // increments, and jumps or glides by the start rule. restart asks for a jump
  // start (with "By Volume"). [under the instance lock]
  void SetSlotFrequency(int slot, float hz, bool restart) noexcept;
  // Recounts the active slots and sets their target gains: the equalizer
  // curve (when slots hold carriers), then 1/sqrt(count). [under the instance lock]
  void UpdateSlotGains() noexcept;
  // Gain of the "Freq Equalizer" curve at hz. [any thread]
  float EqualizerGain(double hz) const noexcept;
  // Writes the brainwave band of a beat frequency into bandCaption. [under the instance lock]
  void ShowBrainwaveBand(float hz) noexcept;
  // Stop rule: fades slot out by its level ("By Volume") or sweeps it down to
  // 0 Hz ("By Freq"), and frees it at once. [under the instance lock]
  void ReleaseSlot(int slot) noexcept;
  // Re-derives every active slot from its own frequency, without restart. [under the instance lock]
  void RetuneActiveSlots() noexcept;
  // The frequency the grid follows while linked: the beat when slots hold
  // carriers, else the carrier. [under the instance lock]
  float SharedReference() const noexcept;

  // ---- Block processing (block_renderer.cpp) ----

  // The volume this block heads for: volumeTarget while the transport runs or
  // "Play Anyway" is on, else 0. [audio thread, under the instance lock]
  double BlockVolumeTarget(bool transportRunning) const noexcept;
  // Stores rate as sampleRateSeen (and as the layout rate); true when it
  // differs from the one seen before. [under the instance lock]
  bool AdoptSampleRate(double rate) noexcept;
  // Derives the slots' increments for rate (Hz) from now on; increments already
  // derived are rescaled so every voice keeps its frequency. Before the first
  // block this is the rate the host set up, so the grid can be laid out and
  // clicked before any audio. [under the instance lock]
  void SetLayoutRate(double rate) noexcept;
  // Sets every active slot's phases to where they would be at hostPosition
  // (samples from the project start, may be negative) had they run from 0 at
  // their target frequency; marks the tones in step and clears resyncRequested.
  // [audio thread, under the instance lock]
  void RealignPhases(int64_t hostPosition) noexcept;
  // Moves every ramp and mixes the sounding slots into outputs[0] (left) and
  // outputs[1] (right), nFrames samples each, heading for volumeTarget. With
  // passThrough the inputs are added. Allocates nothing, takes no lock.
  // [audio thread, under the instance lock]
  void RenderBlock(const double* const* inputs, double* const* outputs, int nFrames,
                   double volumeTarget) noexcept;

  // ---- Fields: frequencies, modes, ramp targets ----
  int32_t slotCell[kToneSlots];   // grid cell of each slot, 1-based; 0 = none
  double sampleRateSeen;          // Hz the frequency-dependent state was derived for; 0 before
  // Hz the slot increments are derived for: sampleRateSeen from the first block
  // on, before it the rate the host set up; 0 until a rate is known (grid passes wait).
  double layoutRate;
  double masterVolume;            // output gain in use
  double scaleRatios[kScaleSteps];
  float baseFrequency;            // Hz, "Base Freq"
  float binauralFrequency;        // Hz, "Binaural"
  float unlinkReference;          // Hz, "Unlink Ref"
  float lastSlotFrequency;        // Hz, last frequency given to SetSlotFrequency
  float volumeTarget;             // linear, from "Volume": 0.0001..0.999
  uint32_t fadeLength;            // samples: a quarter of "Fade"
  int16_t panMode;                // "Binaural Pan" 0..4
  int16_t linkMode;               // "Link Freq" 0..2
  int16_t activeSlotCount;        // counted by UpdateSlotGains
  int16_t equalizerMode;          // "Freq Equalizer" 0..3

  // ---- Byte flags under the instance lock ----
  uint8_t anyFrequencySet;        // a positive carrier has been set once since audio started; never cleared
  uint8_t passThrough;            // mix the inputs into the outputs (two input channels)
  uint8_t slotsHoldBase;          // 1: slots hold carriers, "Binaural" is the beat; 0: slots hold beats
  uint8_t playAnyway;             // keep sounding while the transport is stopped
  uint8_t fadeByVolume;           // starts and stops by level (1) or by pitch (0)

  // ---- Byte flags shared without the lock (relaxed: a late update only delays a re-alignment) ----
  std::atomic<uint8_t> initialised{0};     // writer: renderer; reader: Reset (any thread)
  std::atomic<uint8_t> resyncRequested{0}; // writers: watchdog, Reset, "Play Anyway", button; reader/clearer: renderer
  std::atomic<uint8_t> watchdogRunning{0}; // writer: Watchdog owner; reader: watchdog thread
  std::atomic<uint8_t> blockSeen{0};       // writer: renderer (set), watchdog (clear); reader: watchdog

  OscillatorBank bank;
  PhaseSyncState phaseSync;
  // Instruction set of the mixing loops: the fastest the processor has, from
  // construction on. Any supported path gives the same bits; tests and
  // benchmarks choose one. [under the instance lock]
  MixPath mixPath;

  // ---- Captions the engine writes; the editor may point these at its own text controls ----
  TextSink* leftEarCaption;       // "%.2fHz" of the left ear, or "---"
  TextSink* rightEarCaption;
  TextSink* bandCaption;          // "EPSILON" .. "LAMBDA"

 private:
  void ApplyStartRule(int slot, bool restart) noexcept;
  void ShowEarCaptions(float left, float right) noexcept;

  TextHolder leftEarText_;
  TextHolder rightEarText_;
  TextHolder bandText_;
};
