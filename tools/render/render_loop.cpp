#include "render_loop.h"

#include <algorithm>

#include "audio_sink.h"
#include "automation_player.h"
#include "fade_out.h"
#include "progress_bar.h"
#include "slide_path.h"
#include "vst3_host.h"

namespace spwrender {
namespace {

bool Prepare(spwhost::Plugin& plugin, const RenderJob& job, std::string* error) {
  if (!plugin.SetStereoOutput()) {
    *error = "the plug-in refuses a stereo output without inputs";
    return false;
  }
  if (!plugin.SetupProcessing(job.sampleRate, job.blockSize, spwhost::SampleSize::k32, /*offline=*/true)) {
    *error = "the plug-in refuses to process at " + std::to_string(job.sampleRate) + " Hz in blocks of " +
             std::to_string(job.blockSize);
    return false;
  }
  if (!plugin.SetActive(true)) {
    *error = "the plug-in refuses to be switched on";
    return false;
  }
  plugin.SetTransport(/*playing=*/true);
  plugin.SetProjectTimeSamples(0);
  return true;
}

// The part of the block from done on that lies in the job's closing fade.
void FadeTheEnd(const RenderJob& job, int64_t done, float* left, float* right, int frames) {
  const int64_t fadeFrames = FadeOutFrames(job.sampleRate);
  const int64_t from = std::max(done, job.frames - fadeFrames);
  if (!job.fadeOut || from >= done + frames) return;
  const int skip = int(from - done);
  // The last frame of the render is the fade's last: silence.
  ApplyFadeOut(left + skip, right + skip, frames - skip, job.frames - 1 - from, fadeFrames);
}

bool RenderBlocks(spwhost::Plugin& plugin, const RenderJob& job, const std::vector<AudioSink*>& sinks,
                  ProgressBar& progress, std::string* error) {
  std::vector<float> left(size_t(job.blockSize)), right(size_t(job.blockSize));
  float* outputs[] = {left.data(), right.data()};
  AutomationPlayer automation(job.automation, std::max<int64_t>(1, job.sampleRate / kSlidePointsPerSecond));
  size_t reported = 0;  // events told to job.applied
  for (int64_t done = 0; done < job.frames;) {
    if (!automation.Deliver(plugin, done, error)) return false;
    // Blocks keep to their grid (multiples of the block size) when a change splits
    // one, as a sound card's buffers do: the live player's blocks fall the same way.
    const int64_t toGrid = job.blockSize - done % job.blockSize;
    const int frames = static_cast<int>(std::min<int64_t>({toGrid, job.frames - done, automation.FramesToNext(done)}));
    if (!plugin.ProcessFloat(outputs, frames)) {
      *error = "the plug-in failed to process the block at frame " + std::to_string(done) + " (result " +
               std::to_string(plugin.LastProcessResult()) + ")";
      return false;
    }
    for (; reported < job.automation.size() && job.automation[reported].frame <= done; ++reported) {
      if (job.applied) job.applied(job.automation[reported]);
    }
    FadeTheEnd(job, done, left.data(), right.data(), frames);
    for (AudioSink* sink : sinks) {
      if (!sink->Write(left.data(), right.data(), frames, error)) return false;
    }
    done += frames;
    progress.Update(done);
  }
  return true;
}

}  // namespace

bool RenderInto(spwhost::Plugin& plugin, const RenderJob& job, const std::vector<AudioSink*>& sinks,
                ProgressBar& progress, std::string* error) {
  if (!Prepare(plugin, job, error)) return false;
  const bool rendered = RenderBlocks(plugin, job, sinks, progress, error);
  plugin.SetActive(false);
  progress.Finish();
  return rendered;
}

}  // namespace spwrender
