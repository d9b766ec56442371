#include "oscillator_bank.h"

#include <cstring>

#include "wave_shapes.h"

void InitOscillatorBank(OscillatorBank& bank) noexcept {
  std::memset(bank.phase, 0, sizeof bank.phase);
  std::memset(bank.targetIncrement, 0, sizeof bank.targetIncrement);
  std::memset(bank.currentIncrement, 0, sizeof bank.currentIncrement);
  std::memset(bank.targetGain, 0, sizeof bank.targetGain);
  std::memset(bank.currentGain, 0, sizeof bank.currentGain);
  std::memset(bank.slotFrequency, 0, sizeof bank.slotFrequency);
  std::memset(bank.slotActive, 0, sizeof bank.slotActive);
  bank.goldenFraction = kGoldenFraction;
  bank.invPi = kInvPi;
  bank.sineC5 = kSineC5;
  bank.sineC3 = kSineC3;
  bank.sineC1 = kSineC1;
  bank.period = kTwoPi;
  bank.quarterTurn = kHalfPi;
  bank.split = kGoldenSplitAtStart;
  bank.waveFunction = WaveOf<shapes::Sine>;
}

void SetWave(OscillatorBank& bank, uint32_t id) noexcept {
  bank.waveId = id;
  if (id >= static_cast<uint32_t>(kWaveShapes)) return;
  const WaveChoice& choice = kWaveChoices[id];
  choice.prepare(bank);
  bank.waveFunction = choice.function;
}
