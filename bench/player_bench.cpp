// The player's audio callback (spw_play) driving the built bundle with twelve
// sounding slots, one device block of 256 frames at 48 kHz per call: what the
// sound card's thread waits for. Reports the median and the worst call besides
// Google Benchmark's mean; a block lasts 5333 us of sound.
//
// Cases: Callback/0 the twelve slots; Callback/1 the same while a timeline slide
// sends a point every 10 ms; Limiter: the peak limiter alone on a loud block.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "edit_queue.h"
#include "live_automation.h"
#include "parameter_catalog.h"
#include "parameter_table.h"
#include "peak_limiter.h"
#include "player_engine.h"
#include "program_catalog.h"
#include "vst3_host.h"

#ifndef SPW_BUNDLE_PATH
#error "SPW_BUNDLE_PATH (the built bundle) must be defined by the build"
#endif

namespace {

constexpr int kRate = 48000;
constexpr int kBlock = 256;

// The plug-in with "C Major style" and all twelve slots sounding.
struct TwelveSlots {
  std::unique_ptr<spwhost::Module> module;
  std::unique_ptr<spwhost::Plugin> plugin;
  bool ok = false;

  TwelveSlots() {
    std::string error;
    module = spwhost::Module::Load(SPW_BUNDLE_PATH, &error);
    if (!module || !(plugin = module->CreatePlugin(&error)) || !plugin->Initialize(&error)) return;
    spwrender::ProgramCatalog programs;
    int number = 0;
    if (!programs.Read(*plugin, &error) || !programs.Resolve("C Major style", &number, &error)) return;
    const spwrender::ParameterChange selection = programs.Selection(number);
    plugin->QueueParameterChange(selection.id, selection.normalized);
    plugin->ProcessFloat(nullptr, 0);
    const spwrender::ParameterCatalog parameters(*plugin);
    for (int slot = 1; slot <= 12; ++slot) {
      spwrender::ParameterChange change;
      if (!parameters.Resolve("Slot " + std::to_string(slot), std::to_string(20 + slot), &change, &error)) return;
      plugin->QueueParameterChange(change.id, change.normalized);
    }
    plugin->ProcessFloat(nullptr, 0);
    ok = true;
  }
};

void Callback(benchmark::State& state) {
  TwelveSlots loaded;
  if (!loaded.ok) {
    state.SkipWithError("the bundle does not load");
    return;
  }
  spwplay::ParameterTable table(*loaded.plugin);
  spwplay::EditQueue edits;
  std::unique_ptr<spwplay::LiveAutomation> automation;
  if (state.range(0) == 1) {
    // "Binaural" slides from its value to 2 Hz over an hour.
    spwrender::AutomationEvent slide;
    slide.change = {0, loaded.plugin->PlainToNormalized(0, 2.0)};
    slide.slideFrames = int64_t(3600) * kRate;
    automation = std::make_unique<spwplay::LiveAutomation>(std::vector<spwrender::AutomationEvent>{slide},
                                                           std::vector<std::vector<double>>{}, table, kRate / 100);
  }
  spwplay::PlayerEngine engine(*loaded.plugin, table, edits, automation.get(), spwplay::PlayerEngine::kEndless);
  std::string error;
  if (!engine.Start(kRate, kBlock, &error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  float left[kBlock], right[kBlock];
  for (int i = 0; i < 200; ++i) engine.Render(left, right, kBlock);  // past the tones' fade-in
  std::vector<double> micros;
  float peak = 0.0f;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    engine.Render(left, right, kBlock);
    micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    benchmark::DoNotOptimize(left[0]);
    peak = std::max({peak, std::fabs(left[0]), std::fabs(right[kBlock - 1])});
  }
  if (peak == 0.0f) state.SkipWithError("the callback played silence");
  std::sort(micros.begin(), micros.end());
  state.counters["median_us"] = micros[micros.size() / 2];
  state.counters["worst_us"] = micros.back();
  state.counters["share_of_block"] = micros[micros.size() / 2] / (1e6 * kBlock / kRate);
}
BENCHMARK(Callback)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

void Limiter(benchmark::State& state) {
  spwplay::PeakLimiter limiter;
  limiter.Prepare(kRate);
  // A loud block (+4 dBFS), copied in afresh each time.
  std::vector<float> loudLeft(kBlock), loudRight(kBlock), left(kBlock), right(kBlock);
  for (int i = 0; i < kBlock; ++i) {
    loudLeft[size_t(i)] = float(1.6 * std::sin(0.03 * i));
    loudRight[size_t(i)] = float(1.6 * std::sin(0.031 * i));
  }
  for (auto _ : state) {
    std::copy(loudLeft.begin(), loudLeft.end(), left.begin());
    std::copy(loudRight.begin(), loudRight.end(), right.begin());
    limiter.Process(left.data(), right.data(), kBlock);
    benchmark::DoNotOptimize(left[0]);
  }
}
BENCHMARK(Limiter)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
