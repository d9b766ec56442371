// The whole editor drawn headless at 100 %, 150 % and 200 %: a full redraw
// (every control, as after opening or a zoom), and one tick of the 24 Hz redraw
// timer of an editor nobody touches. The idle figure times 24 ticks a second is
// the share of a core an open, untouched editor takes for drawing.
#include <benchmark/benchmark.h>

#include <string>

#include "editor_session.h"
#include "graphics_headless.h"

namespace {

// The scale of the benchmark's argument, per cent.
double ScaleOf(const benchmark::State& state) { return static_cast<double>(state.range(0)) / 100.0; }

bool StartAt(spwsnapshot::EditorSession& session, benchmark::State& state) {
  std::string error;
  if (session.Start(&error)) return true;
  state.SkipWithError(error.c_str());
  return false;
}

void FullRedraw(benchmark::State& state) {
  spwsnapshot::EditorSession session(false, ScaleOf(state));
  if (!StartAt(session, state)) return;
  IGraphicsHeadless& editor = session.Graphics();
  for (auto _ : state) {
    editor.RedrawAll();
    editor.Tick();
  }
}
BENCHMARK(FullRedraw)->Arg(100)->Arg(150)->Arg(200)->Unit(benchmark::kMillisecond);

void IdleTick(benchmark::State& state) {
  spwsnapshot::EditorSession session(false, ScaleOf(state));
  if (!StartAt(session, state)) return;
  IGraphicsHeadless& editor = session.Graphics();
  editor.Tick();  // what the start left to draw
  for (auto _ : state) editor.Tick();
}
BENCHMARK(IdleTick)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
