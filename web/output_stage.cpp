// What the page's sound passes on its way out, as the player's does: the peak
// limiter at -1 dBFS, then the fades (the rise at the start, the half second to
// silence on Stop and before a session's end). The C functions the worklet
// calls it through ("_spw_output_*").

#include <emscripten/emscripten.h>

#include "output_fades.h"
#include "peak_limiter.h"

namespace {

struct OutputStage {
  spwplay::PeakLimiter limiter;
  spwplay::OutputFades fades;
};

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE OutputStage* spw_output_create(int sampleRate) {
  auto* stage = new OutputStage();
  stage->limiter.Prepare(sampleRate);
  stage->fades.Prepare(sampleRate);
  return stage;
}
EMSCRIPTEN_KEEPALIVE void spw_output_destroy(OutputStage* stage) { delete stage; }

// Limits and fades frames of left and right in place; fade: start the fade to
// silence. 1 once it is over and the output silent.
EMSCRIPTEN_KEEPALIVE int spw_output_process(OutputStage* stage, float* left, float* right, int frames, int fade) {
  stage->limiter.Process(left, right, frames);
  return stage->fades.Apply(left, right, frames, fade != 0) ? 1 : 0;
}
// From silence again, after a stop: the rise, no fade.
EMSCRIPTEN_KEEPALIVE void spw_output_restart(OutputStage* stage) { stage->fades.Restart(); }
EMSCRIPTEN_KEEPALIVE int spw_output_fade_frames(OutputStage* stage) {
  return static_cast<int>(stage->fades.FadeFrames());
}

}  // extern "C"
