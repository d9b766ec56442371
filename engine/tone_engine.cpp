#include "tone_engine.h"

#include <cstring>

ToneEngine::ToneEngine() noexcept
    : sampleRateSeen(0.0),
      layoutRate(0.0),
      masterVolume(0.0),
      baseFrequency(0.0f),
      binauralFrequency(0.0f),
      unlinkReference(0.0f),
      lastSlotFrequency(0.0f),
      volumeTarget(0.0f),
      fadeLength(0),
      panMode(0),
      linkMode(0),
      activeSlotCount(0),
      equalizerMode(0),
      anyFrequencySet(0),
      passThrough(0),
      slotsHoldBase(1),
      playAnyway(0),
      fadeByVolume(0),
      bank(),
      mixPath(FastestMixPath()),
      leftEarCaption(&leftEarText_),
      rightEarCaption(&rightEarText_),
      bandCaption(&bandText_) {
  std::memset(slotCell, 0, sizeof slotCell);
  std::memcpy(scaleRatios, kScaleRatios, sizeof scaleRatios);
  InitOscillatorBank(bank);
}

float ToneEngine::SharedReference() const noexcept {
  return slotsHoldBase ? binauralFrequency : baseFrequency;
}
