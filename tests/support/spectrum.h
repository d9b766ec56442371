#pragma once
// Measuring tones in rendered audio, for tests that check what each ear hears.

#include <cmath>
#include <vector>

// Magnitude of one frequency (Hz) in a signal sampled at rate Hz (Goertzel),
// divided by the signal's length: a sine of amplitude A on an exact bin gives A / 2.
inline double ToneMagnitude(const std::vector<double>& x, double hz, double rate) {
  const double w = 2.0 * 3.14159265358979323846 * hz / rate;
  const double coefficient = 2.0 * std::cos(w);
  double s1 = 0.0, s2 = 0.0;
  for (double v : x) {
    const double s0 = v + coefficient * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
  return std::sqrt(power > 0.0 ? power : 0.0) / static_cast<double>(x.size());
}

// The strongest frequency from low to high Hz, searched in steps of step Hz.
inline double PeakFrequency(const std::vector<double>& x, double low, double high, double step, double rate) {
  double best = low, bestMagnitude = -1.0;
  const int steps = static_cast<int>(std::lround((high - low) / step));
  for (int i = 0; i <= steps; ++i) {
    const double hz = low + i * step;
    const double magnitude = ToneMagnitude(x, hz, rate);
    if (magnitude > bestMagnitude) {
      bestMagnitude = magnitude;
      best = hz;
    }
  }
  return best;
}
