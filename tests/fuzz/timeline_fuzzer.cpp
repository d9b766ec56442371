// Any bytes as a timeline file, read the way spw_render reads one (the only
// reader of timelines): every problem names a line of the file, the events
// stay within the reader's limits, and a timeline without problems renders
// with finite audio. A session may run for 24 hours; the fuzzer plays it
// compressed into at most kFuzzFrames frames (every event, in order, at a
// proportionally earlier frame), so each input takes bounded time.

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "audio_sink.h"
#include "automation.h"
#include "fuzz_host.h"
#include "progress_bar.h"
#include "render_loop.h"
#include "timeline.h"
#include "vst3_host.h"

namespace {

constexpr int kRate = 48000;           // Hz
constexpr int64_t kFuzzFrames = 9600;  // 0.2 s at kRate

class FiniteSink : public spwrender::AudioSink {
 public:
  bool Write(const float* left, const float* right, int frames, std::string*) override {
    for (int i = 0; i < frames; ++i) Require(std::isfinite(left[i]) && std::isfinite(right[i]), "audio stays finite");
    return true;
  }
};

// The run's one instance, adopted as spw_render drives a loaded one, at its
// default values for every input.
spwhost::Plugin& FreshInstance() {
  static CLS_STEREOPULSEWEAVER* plug = new CLS_STEREOPULSEWEAVER();
  static std::vector<uint8_t> defaults;
  static std::unique_ptr<spwhost::Plugin> plugin = [] {
    std::string error;
    auto adopted = spwhost::Plugin::Adopt(static_cast<Steinberg::Vst::IAudioProcessor*>(plug), &error);
    Require(adopted && adopted->Initialize(&error) && adopted->GetState(&defaults), "the plug-in starts");
    return adopted;
  }();
  plugin->SetState(defaults);
  return *plugin;
}

void RequireLines(const std::vector<spwrender::TimelineProblem>& problems, int lines) {
  for (const auto& problem : problems) {
    Require(problem.line >= 1 && problem.line <= lines, "every problem names a line of the file");
    Require(!problem.message.empty(), "every problem says what is wrong");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  spwrender::Timeline timeline;
  std::vector<spwrender::TimelineProblem> problems;
  spwrender::ParseTimeline(text, &timeline, &problems);
  RequireLines(problems, lines);
  Require(problems.size() <= spwrender::kMaxTimelineProblems + 1, "problems stop at the limit");
  Require(timeline.events.size() <= spwrender::kMaxTimelineEvents, "events stop at the limit");

  // Resolved at a rate that fits the whole session into kFuzzFrames.
  spwhost::Plugin& plugin = FreshInstance();
  const double seconds = std::max(1.0, timeline.endSeconds);
  const int resolveRate = static_cast<int>(std::clamp(kFuzzFrames / seconds, 1.0, double(kRate)));
  spwrender::RenderJob job;
  job.sampleRate = kRate;
  job.frames = std::min<int64_t>(kFuzzFrames, std::llround(seconds * resolveRate) + 1);
  problems.clear();
  spwrender::ResolveTimeline(plugin, timeline, resolveRate, &job.automation, &problems);
  RequireLines(problems, lines);
  if (!problems.empty() || !timeline.hasEnd) return 0;

  FiniteSink sink;
  spwrender::ProgressBar progress(stderr, false, job.frames, kRate);
  std::string error;
  Require(spwrender::RenderInto(plugin, job, {&sink}, progress, &error), "a timeline without problems renders");
  return 0;
}
