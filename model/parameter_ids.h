#pragma once
// Host parameter indices of stereoPulseWeaver. The index is the host's parameter
// ID and the position of the value in the saved state, so it never changes.

enum ParamId : int {
  kBinaural = 0,       // beat frequency, Hz
  kBaseFreq = 1,       // carrier frequency, Hz
  kReference = 2,      // 0 "Base Freq", 1 "Binaural Freq"
  kPlayAnyway = 3,     // 0 "No", 1 "Yes"
  kWave = 4,           // 0..kWaveShapes - 1
  kBinauralPan = 5,    // 0..4
  kLinkFreq = 6,       // 0 "No", 1 "Yes", 2 "Yes & up/down"
  kFreqEqualizer = 7,  // 0..3
  kFade = 8,           // seconds
  kStartStopFade = 9,  // 0 "By Volume", 1 "By Freq"
  kVolume = 10,        // percent
  kUnlinkRef = 11,     // Hz
  kSlot1 = 12,         // "Slot 1".."Slot 12": grid cell numbers, 0 = empty
  kSlot12 = 23,
  kParameterCount = 24
};

constexpr int kSlotCount = 12;
constexpr int kPresetSlotCount = 160;
