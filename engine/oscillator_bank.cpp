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
  bank.waveFunction = WaveSine;
}

namespace {

// The golden shapes mix float and double arithmetic on purpose: each "(float)"
// step below is computed in 32-bit float and then widened.
void SetGoldenSine(OscillatorBank& bank) noexcept {
  const float g = bank.goldenFraction;
  const double a = g;
  const float rest = 1.0f - g;
  const float middle = 1.0f - 2.0f * rest;
  bank.split = static_cast<double>(rest) * bank.period;
  bank.slopeA = 0.5 / static_cast<double>(rest);
  bank.slopeB = 0.5 / a;
  bank.offsetB = static_cast<double>(middle) * kPi / a;
}

void SetGoldenSineHalf(OscillatorBank& bank) noexcept {
  const float g = bank.goldenFraction;
  const double a = g;
  const float rest = 1.0f - g;
  const float excess = 1.0f - 2.0f * g;
  bank.split = a * bank.period;
  bank.slopeA = 0.25 / a;
  bank.slopeB = 0.25 / static_cast<double>(rest);
  bank.offsetB = (static_cast<double>(excess) * kPi / static_cast<double>(rest)) * 0.5;
}

void SetGoldenTriangle(OscillatorBank& bank) noexcept {
  const float g = bank.goldenFraction;
  const double a = g;
  const float rest = 1.0f - g;
  const float fallSlope = (g + 1.0f) / rest;
  bank.split = a * bank.period;
  bank.slopeA = 2.0 / bank.split;
  bank.slopeB = fallSlope;
  bank.offsetB = kInvPi / static_cast<double>(rest);
}

}  // namespace

void SetWave(OscillatorBank& bank, uint32_t id) noexcept {
  bank.waveId = id;
  switch (id) {
    case 0:
      bank.waveFunction = WaveSine;
      break;
    case 1:
      bank.slopeA = 1.0 / bank.quarterTurn;
      bank.waveFunction = WaveTriangle;
      break;
    case 2:
      bank.waveFunction = WaveSaw;
      break;
    case 3:
      SetGoldenSine(bank);
      bank.waveFunction = WaveGoldenSine;
      break;
    case 4:
      SetGoldenSineHalf(bank);
      bank.waveFunction = WaveGoldenSineHalf;
      break;
    case 5:
      SetGoldenTriangle(bank);
      bank.waveFunction = WaveGoldenTriangle;
      break;
    case 6:
      // Switches at whatever split the last golden shape left (0.618 x 2 pi after start-up).
      bank.waveFunction = WaveGoldenSquare;
      break;
    default:
      break;
  }
}
