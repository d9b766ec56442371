// ProcessBlock of the plug-in at 48 kHz. Reports wall-clock nanoseconds per
// frame ("ns_per_frame") and how many times faster than real time a block
// renders ("realtime_x").
//
// Cases, each on every mixing path this processor supports (path 0 portable,
// 1 AVX2, 2 AVX-512), side by side in one run:
// SteadySlots/<path>/<slots>/<wave>/<frames>: 1 or 12 sounding slots, every
// ramp at rest; GlidingSlots/<path>/<frames>: 12 slots sweeping pitch and
// level (the per-frame ramp path); Silent/<frames>: stopped transport, faded out.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <iterator>
#include <vector>

#include "stereo_pulse_weaver.h"

namespace {

constexpr double kRate = 48000.0;
constexpr int kMaxFrames = 4096;

class BenchPlugin : public CLS_STEREOPULSEWEAVER {
 public:
  int transport = 1;
  int GetTransportState() override { return transport; }
};

// A plug-in at its defaults plus `slots` cells, rendered once so that the
// first block's set-up is behind it.
class Rig {
 public:
  Rig(MixPath path, int slots, int wave, int fadeHundredths) {
    plugin_->Engine().mixPath = path;
    plugin_->SetSampleRate(kRate);
    ParameterEffects& e = plugin_->Effects();
    e.ApplyBinaural(400);
    e.ApplyBaseFreq(40000);
    e.ApplyReference(0);
    e.ApplyWave(wave);
    e.ApplyPan(2);
    e.ApplyLinkMode(1);
    e.ApplyEqualizer(1);
    e.ApplyStartStopFade(0);
    e.ApplyVolume(75);
    Block(kMaxFrames);
    e.ApplyBinaural(400);  // the grid's first pass, as Reset's forced "Binaural" gives it
    e.ApplyFade(fadeHundredths);
    for (int cell = 14; cell < 14 + slots; ++cell) plugin_->Grid().AssignCell(cell);
    plugin_->Grid().RunPass();
    plugin_->Engine().masterVolume = plugin_->Engine().volumeTarget;
  }
  ~Rig() { plugin_->release(); }

  void Block(int frames) {
    double* outs[2] = {left_.data(), right_.data()};
    plugin_->ProcessBlock(nullptr, outs, frames);
  }
  BenchPlugin& Plugin() { return *plugin_; }

 private:
  BenchPlugin* plugin_ = new BenchPlugin();
  std::vector<double> left_ = std::vector<double>(kMaxFrames);
  std::vector<double> right_ = std::vector<double>(kMaxFrames);
};

// Wall time of the timed loop, read by the loops below, as counters without units.
class Stopwatch {
 public:
  Stopwatch() : start_(std::chrono::steady_clock::now()) {}
  void Report(benchmark::State& state, int frames) const {
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const double total = static_cast<double>(state.iterations()) * frames;
    state.counters["ns_per_frame"] = seconds * 1e9 / total;
    state.counters["realtime_x"] = total / kRate / seconds;
  }

 private:
  std::chrono::steady_clock::time_point start_;
};

void Run(benchmark::State& state, Rig& rig, int frames) {
  Stopwatch watch;
  for (auto _ : state) {
    rig.Block(frames);
    benchmark::ClobberMemory();
  }
  watch.Report(state, frames);
}

MixPath PathArg(benchmark::State& state) { return kMixPaths[state.range(0)]; }

void SteadySlots(benchmark::State& state) {
  const int slots = static_cast<int>(state.range(1));
  const int wave = static_cast<int>(state.range(2));
  const int frames = static_cast<int>(state.range(3));
  Rig rig(PathArg(state), slots, wave, 0);
  rig.Block(kMaxFrames);  // every ramp reaches its target
  rig.Block(kMaxFrames);
  Run(state, rig, frames);
}

void GlidingSlots(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(1));
  Rig rig(PathArg(state), 12, 0, 9000);  // 90 s fades
  rig.Plugin().Effects().ApplyStartStopFade(1);
  rig.Plugin().Effects().ApplyBinaural(1200);
  // Every block starts from the same point of the sweep, so the ramps never settle.
  OscillatorBank& bank = rig.Plugin().Engine().bank;
  const OscillatorBank start = bank;
  Stopwatch watch;
  for (auto _ : state) {
    std::memcpy(bank.currentIncrement, start.currentIncrement, sizeof bank.currentIncrement);
    std::memcpy(bank.currentGain, start.currentGain, sizeof bank.currentGain);
    rig.Block(frames);
    benchmark::ClobberMemory();
  }
  watch.Report(state, frames);
}

void Silent(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(0));
  Rig rig(FastestMixPath(), 12, 0, 0);
  rig.Plugin().transport = 0;
  rig.Block(kMaxFrames);
  rig.Block(kMaxFrames);
  Run(state, rig, frames);
}

// The paths this processor supports, as indices into kMixPaths.
std::vector<int> SupportedPaths() {
  std::vector<int> paths;
  for (int p = 0; p < static_cast<int>(std::size(kMixPaths)); ++p) {
    if (MixPathSupported(kMixPaths[p])) paths.push_back(p);
  }
  return paths;
}

// Paths side by side for each case, so that they share the machine's conditions.
void SteadyArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"path", "slots", "wave", "frames"});
  for (int slots : {1, 12}) {
    for (int wave = 0; wave <= 6; ++wave) {
      for (int frames : {32, 512, 4096}) {
        for (int path : SupportedPaths()) b->Args({path, slots, wave, frames});
      }
    }
  }
}

void GlidingArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"path", "frames"});
  for (int frames : {32, 512, 4096}) {
    for (int path : SupportedPaths()) b->Args({path, frames});
  }
}

}  // namespace

BENCHMARK(SteadySlots)->Apply(SteadyArgs);
BENCHMARK(GlidingSlots)->Apply(GlidingArgs);
BENCHMARK(Silent)->ArgName("frames")->Arg(32)->Arg(512)->Arg(4096);

BENCHMARK_MAIN();
