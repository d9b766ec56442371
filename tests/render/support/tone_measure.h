#pragma once
// How much of a signal is one frequency: the power at that frequency (a single DFT
// bin, Hann-windowed) as a share of the signal's whole power. Near 1 for a pure tone
// at that frequency, near 0 for one a few bins away.

#include <cmath>
#include <vector>

inline double ToneShare(const std::vector<float>& samples, size_t first, size_t count, double frequency,
                        double sampleRate) {
  const double pi = 3.14159265358979323846;
  double re = 0.0, im = 0.0, windowedPower = 0.0, windowSum = 0.0;
  for (size_t i = 0; i < count; ++i) {
    const double w = 0.5 - 0.5 * std::cos(2.0 * pi * double(i) / double(count));
    const double x = samples[first + i] * w;
    const double angle = 2.0 * pi * frequency * double(i) / sampleRate;
    re += x * std::cos(angle);
    im -= x * std::sin(angle);
    windowedPower += x * x;
    windowSum += w * w;
  }
  if (windowedPower <= 0.0) return 0.0;
  // A sine of amplitude A gives |X|^2 = (A * sum(w) / 2)^2 and power A^2 / 2 * sum(w^2);
  // with the Hann window sum(w) = count / 2 and sum(w^2) = 3 count / 8.
  const double toneAmplitudeSquared = 4.0 * (re * re + im * im) / std::pow(double(count) / 2.0, 2.0);
  return (toneAmplitudeSquared / 2.0 * windowSum) / windowedPower;
}

inline double Rms(const std::vector<float>& samples, size_t first, size_t count) {
  double sum = 0.0;
  for (size_t i = first; i < first + count; ++i) sum += double(samples[i]) * samples[i];
  return count > 0 ? std::sqrt(sum / double(count)) : 0.0;
}
