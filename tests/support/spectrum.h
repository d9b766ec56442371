#pragma once
// Measuring tones in rendered audio, for tests that check what each ear hears:
// a frequency's magnitude, the strongest frequency, the tones present, and how
// much of a signal one frequency is.

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

// x multiplied by a Hann window, which keeps each tone's measurement clear of its
// neighbours' leakage.
inline std::vector<double> HannWindowed(const std::vector<double>& x) {
  std::vector<double> windowed(x.size());
  for (size_t i = 0; i < x.size(); ++i) {
    windowed[i] = x[i] * (0.5 - 0.5 * std::cos(2.0 * 3.14159265358979323846 * double(i) / double(x.size())));
  }
  return windowed;
}

// The frequency within span Hz of guess where the magnitude of x peaks, to about
// 1e-4 Hz (golden-section search).
inline double RefineTone(const std::vector<double>& x, double guess, double span, double rate) {
  const double ratio = 0.6180339887498949;
  double a = guess - span, b = guess + span;
  while (b - a > 1e-4) {
    const double c = b - ratio * (b - a), d = a + ratio * (b - a);
    if (ToneMagnitude(x, c, rate) > ToneMagnitude(x, d, rate)) {
      b = d;
    } else {
      a = c;
    }
  }
  return 0.5 * (a + b);
}

// The frequencies of the tones in x between low and high Hz, rising: the peaks of
// its Hann-windowed spectrum (scanned every step Hz) at most withinDb below the
// strongest, each refined.
inline std::vector<double> FindTones(const std::vector<double>& x, double low, double high, double step,
                                     double rate, double withinDb = 20.0) {
  const std::vector<double> windowed = HannWindowed(x);
  std::vector<double> magnitudes;
  for (double hz = low; hz <= high; hz += step) magnitudes.push_back(ToneMagnitude(windowed, hz, rate));
  double strongest = 0.0;
  for (double m : magnitudes) strongest = std::fmax(strongest, m);
  std::vector<double> tones;
  for (size_t i = 1; i + 1 < magnitudes.size(); ++i) {
    const bool peak = magnitudes[i] > magnitudes[i - 1] && magnitudes[i] >= magnitudes[i + 1];
    if (peak && magnitudes[i] >= strongest * std::pow(10.0, -withinDb / 20.0)) {
      tones.push_back(RefineTone(windowed, low + double(i) * step, step, rate));
    }
  }
  return tones;
}

// How much of a signal is one frequency: the power at that frequency (a single DFT
// bin, Hann-windowed) as a share of the signal's whole power. Near 1 for a pure tone
// at that frequency, near 0 for one a few bins away.
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
