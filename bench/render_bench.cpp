// The whole spw_render command through the built bundle, as a user runs it: the
// one-minute demo session, and a one-hour render of one programme, each without
// and with --plot, so that the picture's cost shows beside the render's.
// Reports wall-clock seconds per render and how many times faster than real time
// ("realtime_x").
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "render_command.h"

namespace {

std::string ScratchFile(const char* name) {
  return (std::filesystem::temp_directory_path() / ("spw_render_bench_" + std::string(name))).string();
}

void Render(benchmark::State& state, std::vector<std::string> args, bool plot, double seconds) {
  args.insert(args.begin(), {"spw_render", "--bundle", SPW_BENCH_BUNDLE, "-q", "-o", ScratchFile("out.wav")});
  if (plot) args.insert(args.end(), {"--plot", ScratchFile("plot.png")});
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  std::FILE* out = std::tmpfile();
  for (auto _ : state) {
    if (spwrender::RunRenderCommand(int(argv.size()), argv.data(), out, stderr) != spwrender::kExitOk) {
      state.SkipWithError("the render failed");
      break;
    }
  }
  std::fclose(out);
  state.counters["realtime_x"] =
      benchmark::Counter(seconds * double(state.iterations()), benchmark::Counter::kIsRate);
  std::remove(ScratchFile("out.wav").c_str());
  std::remove(ScratchFile("plot.png").c_str());
}

void DemoSession(benchmark::State& state) {
  Render(state, {"--timeline", SPW_BENCH_DEMO_SESSION}, state.range(0) != 0, 60.0);
}

void OneHour(benchmark::State& state) {
  Render(state, {"--program", "104", "--duration", "1:00:00"}, state.range(0) != 0, 3600.0);
}

}  // namespace

BENCHMARK(DemoSession)->ArgName("plot")->Arg(0)->Arg(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(OneHour)->ArgName("plot")->Arg(0)->Arg(1)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

BENCHMARK_MAIN();
