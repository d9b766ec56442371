#include "parameter_effects.h"

#include "rounding.h"

namespace {
// Where a re-link after a change of "Reference" starts comparing from: a value
// no reference of that kind reaches, so the first re-link never follows the
// reference by a row. With slots holding beats the reference counts as risen,
// so with "Yes & up/down" cells beyond the last row still step down one row.
constexpr float kPreviousForBeats = 0.0f;
constexpr float kPreviousForCarriers = 20000.0f;
}  // namespace

void ParameterEffects::FollowSharedFrequency() noexcept {
  if (engine_.linkMode != 0) {
    grid_.Refresh(true);
  } else {
    engine_.RetuneActiveSlots();
  }
}

void ParameterEffects::ApplyBinaural(int32_t hundredths) noexcept {
  engine_.binauralFrequency = HundredthsToFloat(hundredths);
  if (engine_.slotsHoldBase) FollowSharedFrequency();
}

void ParameterEffects::ApplyBaseFreq(int32_t hundredths) noexcept {
  engine_.baseFrequency = HundredthsToFloat(hundredths);
  if (!engine_.slotsHoldBase) FollowSharedFrequency();
}

void ParameterEffects::ApplyReference(int32_t a) noexcept {
  engine_.slotsHoldBase = a != 0 ? 0 : 1;
  const float previous = (a - 0.5) * engine_.baseFrequency > 0.0 ? kPreviousForBeats : kPreviousForCarriers;
  grid_.SetPrevious(previous, previous);
  grid_.Refresh(true);
}

void ParameterEffects::ApplyPlayAnyway(int32_t a) noexcept {
  engine_.playAnyway = a > 0.5 ? 1 : 0;
  // Tones resume in step with the timeline.
  if (engine_.playAnyway) engine_.resyncRequested.store(1, std::memory_order_relaxed);
}

void ParameterEffects::ApplyWave(int32_t a) noexcept {
  SetWave(engine_.bank, static_cast<uint32_t>(a));
}

void ParameterEffects::ApplyPan(int32_t a) noexcept {
  engine_.panMode = static_cast<int16_t>(a);
  engine_.RetuneActiveSlots();
  grid_.Refresh(false);
}

void ParameterEffects::ApplyLinkMode(int32_t a) noexcept {
  engine_.linkMode = static_cast<int16_t>(a);
  if (a != 0) grid_.Refresh(true);
}

void ParameterEffects::ApplyEqualizer(int32_t a) noexcept {
  engine_.equalizerMode = static_cast<int16_t>(a);
  engine_.UpdateSlotGains();
}

void ParameterEffects::ApplyFade(int32_t hundredths) noexcept {
  engine_.fadeLength =
      static_cast<uint32_t>(RoundHalfAwayFromZero(hundredths * engine_.sampleRateSeen * kQuarterFade));
}

void ParameterEffects::ApplyStartStopFade(int32_t a) noexcept {
  engine_.fadeByVolume = a <= 0.5 ? 1 : 0;
  if (!engine_.fadeByVolume) return;
  engine_.UpdateSlotGains();
  // Level fades take over: pitch glides in progress end at once.
  OscillatorBank& bank = engine_.bank;
  for (int s = 0; s < kToneSlots; ++s) {
    if (!(bank.slotFrequency[s] > 0.0f)) continue;
    bank.currentIncrement[s] = bank.targetIncrement[s];
    bank.currentIncrement[kToneSlots + s] = bank.targetIncrement[kToneSlots + s];
  }
}

void ParameterEffects::ApplyVolume(int32_t percent) noexcept {
  engine_.volumeTarget = static_cast<float>(percent) * kVolumeSpan * kPercent + kVolumeFloor;
}

void ParameterEffects::ApplyUnlinkRef(int32_t hundredths) noexcept {
  engine_.unlinkReference = HundredthsToFloat(hundredths);
}

void ParameterEffects::ApplySlotParameter(int slot, int32_t cellNumber) noexcept {
  grid_.ApplySlotParameter(slot, cellNumber);
}
