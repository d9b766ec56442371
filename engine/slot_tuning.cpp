// Tone slots: ear frequencies, start and stop rules, levels and the band caption.
#include <cmath>

#include "caption_format.h"
#include "tone_engine.h"

namespace {

struct EarFrequencies {
  float left;   // Hz
  float right;  // Hz
};

// Which ear gets which frequency of a slot; both ears always play at the same level.
EarFrequencies PlaceOnEars(float carrier, float beat, int16_t panMode) noexcept {
  float low = carrier - beat * 0.5f;  // centred pair: the lower tone, never below 20 Hz
  if (low < kLowestEarFrequency) low = kLowestEarFrequency;
  switch (panMode) {
    case 1: return {carrier + beat, carrier};  // "Left"
    case 2: return {low, low + beat};          // "Center Right"
    case 3: return {low + beat, low};          // "Center Left"
    case 4: return {carrier, carrier};         // "Null"
    default: return {carrier, carrier + beat}; // "Right"
  }
}

const char* BrainwaveBandName(float hz) noexcept {
  if (hz > 0.0f && hz < 0.5f) return "EPSILON";
  if (hz < 4.0f) return "DELTA";
  if (hz < 8.0f) return "THETA";
  if (hz < 14.0f) return "ALPHA";
  if (hz < 30.0f) return "BETA";
  if (hz < 100.0f) return "GAMMA";
  return "LAMBDA";
}

// dB to a linear gain, in double, then narrowed.
float DecibelsToGain(double dB) noexcept {
  return static_cast<float>(std::exp(dB * kDbToExponent));
}

struct EqualizerCurve {
  float top;    // dB at 20 Hz
  float slope;  // dB per octave
};

EqualizerCurve CurveOf(int16_t equalizerMode) noexcept {
  switch (equalizerMode) {
    case 1: return {9.0f, 3.01f};   // "Pink noise"
    case 2: return {15.0f, 4.5f};   // "Decrease by 4.5dB"
    default: return {20.0f, 6.02f}; // "Brownian noise"
  }
}

}  // namespace

void ToneEngine::SetSlotFrequency(int slot, float hz, bool restart) noexcept {
  if (!(hz >= 0.0f)) hz = lastSlotFrequency;
  lastSlotFrequency = hz;
  const bool hasSlot = slot >= 0 && slot < kToneSlots;
  if (hasSlot) {
    bank.slotFrequency[slot] = hz;
    if (!bank.slotActive[slot]) bank.slotActive[slot] = 1;
  }
  const float carrier = slotsHoldBase ? hz : baseFrequency;
  const float beat = slotsHoldBase ? binauralFrequency : hz;
  EarFrequencies ears{carrier, carrier};
  if (carrier > 0.0f) {
    ears = PlaceOnEars(carrier, beat, panMode);
    if (hasSlot) {
      bank.targetIncrement[slot] = static_cast<double>(ears.left) * kTwoPi / layoutRate;
      bank.targetIncrement[kToneSlots + slot] = static_cast<double>(ears.right) * kTwoPi / layoutRate;
    }
    ShowBrainwaveBand(panMode == 4 ? carrier : beat);
    if (hasSlot) ApplyStartRule(slot, restart);
    // Before audio nothing has sounded: every slot laid out then starts at its own pitch.
    if (sampleRateSeen > 0.0) anyFrequencySet = 1;
  }
  ShowEarCaptions(ears.left, ears.right);
}

// Jump (fade in at the new pitch) or glide (pitch moves along the ramp).
void ToneEngine::ApplyStartRule(int slot, bool restart) noexcept {
  if (fadeByVolume && (restart || !anyFrequencySet)) {
    bank.currentIncrement[slot] = bank.targetIncrement[slot];
    bank.currentIncrement[kToneSlots + slot] = bank.targetIncrement[kToneSlots + slot];
    bank.targetGain[slot] = 0.0;
    bank.currentGain[slot] = 0.0;
    return;
  }
  // Gliding tones drift apart in phase; the button offers a re-alignment.
  phaseSync.MarkSynchronised(phaseSync.ActiveTones() < 2);
}

void ToneEngine::ShowEarCaptions(float left, float right) noexcept {
  if (left == 0.0f) {
    leftEarCaption->SetText("---");
    rightEarCaption->SetText("---");
    return;
  }
  char text[kHzCaptionSize];
  FormatHzCaption(left, text);
  leftEarCaption->SetText(text);
  FormatHzCaption(right, text);
  rightEarCaption->SetText(text);
}

void ToneEngine::ShowBrainwaveBand(float hz) noexcept {
  bandCaption->SetText(BrainwaveBandName(hz));
}

void ToneEngine::UpdateSlotGains() noexcept {
  activeSlotCount = 0;
  const bool equalize = equalizerMode != 0 && slotsHoldBase;
  for (int s = 0; s < kToneSlots; ++s) {
    if (!bank.slotActive[s]) continue;
    ++activeSlotCount;
    bank.targetGain[s] = equalize ? static_cast<double>(EqualizerGain(bank.slotFrequency[s])) : 1.0;
  }
  if (activeSlotCount == 0) return;
  // Constant power over the active slots.
  const float share = 1.0f / std::sqrt(static_cast<float>(activeSlotCount));
  for (int s = 0; s < kToneSlots; ++s) {
    if (bank.slotActive[s]) bank.targetGain[s] *= share;
  }
}

float ToneEngine::EqualizerGain(double hz) const noexcept {
  const EqualizerCurve curve = CurveOf(equalizerMode);
  if (hz < 20.0) return DecibelsToGain(curve.top);
  // Octaves from 20 Hz lose the slope each; within an octave the first scale
  // degree above hz decides how much of it is lost.
  float edge = 20.0f;
  float level = curve.top;
  while (std::isfinite(edge)) {
    for (int k = 0; k < kScaleSteps; ++k) {
      const double r = scaleRatios[k];
      if (edge * r > hz) return DecibelsToGain(level - (r - 1.0) * curve.slope);
    }
    level -= curve.slope;
    edge *= 2.0f;
    if (edge > hz) return DecibelsToGain(level);
  }
  return DecibelsToGain(level);
}

void ToneEngine::ReleaseSlot(int slot) noexcept {
  if (slot < 0 || slot >= kToneSlots) return;
  if (fadeByVolume) {
    bank.targetGain[slot] = 0.0;
  } else {
    bank.slotFrequency[slot] = 0.0f;
    bank.targetIncrement[slot] = 0.0;
    bank.targetIncrement[kToneSlots + slot] = 0.0;
  }
  bank.slotActive[slot] = 0;
}

void ToneEngine::RetuneActiveSlots() noexcept {
  for (int s = 0; s < kToneSlots; ++s) {
    if (bank.slotActive[s]) SetSlotFrequency(s, bank.slotFrequency[s], false);
  }
  // A slot laid out before audio jumps in at the first block, from level 0: give it its level.
  UpdateSlotGains();
}
