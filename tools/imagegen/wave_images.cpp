// The wave picture: every wave shape of the "Wave" parameter stacked, each
// on a small dark screen with its name, traced with the engine's own shapes.

#include <cmath>
#include <iterator>
#include <vector>

#include "images.h"
#include "oscillator_bank.h"
#include "theme.h"
#include "wave_shapes.h"

namespace imagegen {
namespace {

constexpr const char* kWaveNames[] = {"Sine", "Triangle", "Saw", "Golden Sine", "Gold. Sine Half",
                                      "Gold. Triangle", "Gold. Square"};
constexpr int kWaves = kWaveShapes;
static_assert(std::size(kWaveNames) == kWaves, "one name per wave shape, in \"Wave\" order");
constexpr float kCycles = 2.0f;   // cycles shown across the screen
constexpr float kStep = 0.25f;    // pixels between samples of the trace

void PaintScreen(Painter& p, float top, float w, float h) {
  p.Fill(RoundedBox(0, top, w, top + h, 0), Vertical(top, top + h, Rgb(0x0b1017), Rgb(0x06080c)));
  const Colour grid = Rgb(0x16202c);
  for (float x = 12.5f; x < w; x += 25) p.Fill(Segment({x, top + 3}, {x, top + h - 3}, 0.5f), grid);
  for (float dy : {-12.0f, 12.0f}) p.Fill(Segment({3, top + 24 + dy}, {w - 3, top + 24 + dy}, 0.5f), grid);
  p.Fill(Segment({3, top + 24}, {w - 3, top + 24}, 0.5f), Rgb(0x1f2c3b));
}

std::vector<Point> Trace(OscillatorBank& bank, float top, float w) {
  const float left = 6, right = w - 6, middle = top + 24, amplitude = 16;
  std::vector<Point> points;
  for (float x = left; x <= right; x += kStep) {
    const double phase = std::fmod(double((x - left) / (right - left) * kCycles), 1.0) * bank.period;
    points.push_back({x, middle - amplitude * float(bank.waveFunction(bank, phase))});
  }
  return points;
}

}  // namespace

void PaintWaves(Painter& p) {
  OscillatorBank bank;
  InitOscillatorBank(bank);
  const float w = float(p.Width()), h = float(p.Height() / kWaves);
  for (int wave = 0; wave < kWaves; ++wave) {
    const float top = h * float(wave);
    PaintScreen(p, top, w, h);
    SetWave(bank, uint32_t(wave));
    const Shape trace = Polyline(Trace(bank, top, w), 0.8f);
    p.Glow(trace, WithAlpha(palette::kAccent, 0.28f), 4);
    p.Fill(trace, Rgb(0x8ee9f5));
    TextStyle name = HintStyle(Align::Right);
    name.height = 10;
    p.Text(kWaveNames[wave], name, 0, int(top + h) - 13, int(w) - 6);
  }
}

}  // namespace imagegen
