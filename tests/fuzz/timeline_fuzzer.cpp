// Any bytes as a timeline file, read the way spw_render and spw_play read one:
// every problem names a line of the file, the events stay within the reader's
// limits, and a timeline without problems renders with finite audio, and plays
// live (the player's engine, without a device, lead-in or limiter) to the same
// samples as it renders. A session may run for 24 hours; the fuzzer plays it
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
#include "offline_play.h"
#include "progress_bar.h"
#include "render_loop.h"
#include "timeline.h"
#include "vst3_host.h"

namespace {

constexpr int kRate = 48000;           // Hz
constexpr int64_t kFuzzFrames = 9600;  // 0.2 s at kRate

struct Stereo {
  std::vector<float> left, right;
};

class FiniteRecorder : public spwrender::AudioSink {
 public:
  explicit FiniteRecorder(Stereo& out) : out_(out) {}
  bool Write(const float* left, const float* right, int frames, std::string*) override {
    for (int i = 0; i < frames; ++i) Require(std::isfinite(left[i]) && std::isfinite(right[i]), "audio stays finite");
    out_.left.insert(out_.left.end(), left, left + frames);
    out_.right.insert(out_.right.end(), right, right + frames);
    return true;
  }

 private:
  Stereo& out_;
};

// A new instance, adopted as the tools drive a loaded one: the renderer's and the
// player's start alike, with nothing left over from earlier inputs.
std::unique_ptr<spwhost::Plugin> NewInstance() {
  auto* plug = new CLS_STEREOPULSEWEAVER();
  std::string error;
  auto adopted = spwhost::Plugin::Adopt(static_cast<Steinberg::Vst::IAudioProcessor*>(plug), &error);
  plug->release();  // the adopted plug-in holds its own references
  Require(adopted && adopted->Initialize(&error), "the plug-in starts");
  return adopted;
}

// The session through the player's engine, as spw_play plays it.
Stereo PlayLive(const spwrender::RenderJob& job) {
  auto plugin = NewInstance();
  auto scratch = NewInstance();
  spwplay::OfflineSession session;
  session.events = job.automation;
  session.sampleRate = job.sampleRate;
  session.blockSize = job.blockSize;
  session.frames = job.frames;
  Stereo out;
  std::string error;
  Require(spwplay::PlayOffline(*plugin, *scratch, session, &out.left, &out.right, &error), "the player plays");
  return out;
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
  auto instance = NewInstance();
  spwhost::Plugin& plugin = *instance;
  const double seconds = std::max(1.0, timeline.endSeconds);
  const int resolveRate = static_cast<int>(std::clamp(kFuzzFrames / seconds, 1.0, double(kRate)));
  spwrender::RenderJob job;
  job.sampleRate = kRate;
  job.frames = std::min<int64_t>(kFuzzFrames, std::llround(seconds * resolveRate) + 1);
  job.fadeOut = false;  // the player's own stop fades; the sound before it must agree
  problems.clear();
  spwrender::ResolveTimeline(plugin, timeline, resolveRate, &job.automation, &problems);
  RequireLines(problems, lines);
  if (!problems.empty() || !timeline.hasEnd) return 0;

  Stereo rendered;
  FiniteRecorder sink(rendered);
  spwrender::ProgressBar progress(stderr, false, job.frames, kRate);
  std::string error;
  Require(spwrender::RenderInto(plugin, job, {&sink}, progress, &error), "a timeline without problems renders");
  const Stereo live = PlayLive(job);
  Require(live.left == rendered.left && live.right == rendered.right, "the player plays what the renderer renders");
  return 0;
}
