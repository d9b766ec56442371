#pragma once
// The oscillator bank: 12 tone slots x 2 ears of phase accumulators, their
// phase increments and levels, and the one wave shape they all share.
//
// Per-channel arrays hold the left block first, then the right: element
// channel * 12 + slot. Phases are radians in [0, 2 pi); increments are radians
// per sample; gains are linear.
//
// Threads: written under the instance lock only (parameter handling, grid
// passes, the block renderer).

#include <cstdint>

#include "engine_constants.h"

struct OscillatorBank;

// A wave shape: phase in [0, 2 pi) -> sample in [-1, 1].
using WaveFunction = double (*)(const OscillatorBank& bank, double phase) noexcept;

struct OscillatorBank {
  uint32_t waveId;                     // shape id in the order of the "Wave" parameter
  double period;                       // one cycle, 2 pi radians
  double phase[kVoices];               // radians
  double targetIncrement[kVoices];     // radians per sample the voice is heading for
  double currentIncrement[kVoices];    // radians per sample in use
  double targetGain[kToneSlots];       // level each slot is heading for (both ears)
  double currentGain[kToneSlots];      // level in use
  float slotFrequency[kToneSlots];     // Hz, the slot's own frequency; 0 when cleared
  uint8_t slotActive[kToneSlots];      // non-zero: slot in use
  double split;                        // radians: where the golden shapes change segment
  double slopeA;                       // first-segment factor of the current shape
  double slopeB;                       // second-segment factor
  double offsetB;                      // second-segment offset
  double quarterTurn;                  // pi / 2
  double invPi;                        // 1 / pi
  double sineC5;
  double sineC3;
  double sineC1;
  float goldenFraction;                // 0.618 as a float
  WaveFunction waveFunction;           // the current shape
};

// Sets the constants and clears every voice. Leaves the shape factors to the
// first SetWave, which always comes before the first block; until then the
// shape is the sine so the bank is never without a function.
// [main thread, at construction]
void InitOscillatorBank(OscillatorBank& bank) noexcept;

// Selects shape id (0..kWaveShapes - 1, wave_shapes.h) and its constants. An
// id beyond the last is stored in waveId and changes nothing else. Takes effect at the next sample, with the same phases.
// [any thread, under the instance lock]
void SetWave(OscillatorBank& bank, uint32_t id) noexcept;
