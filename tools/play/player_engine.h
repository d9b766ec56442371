#pragma once
// The audio callback's work: the editor's edits and the session's automation go
// to the plug-in as parameter changes of the next process call, with a running
// transport and its sample position; the output passes the peak limiter, fades
// out over half a second when asked to stop (or before the session's end), and is
// metered for the status line. Independent of the audio library, so tests and
// benchmarks drive it directly.
//
// Threads: Start and Stop on the main thread, with no audio running; Render on the
// audio thread (allocates nothing, waits on nothing but the plug-in's own lock);
// the rest from any thread.

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "block_changes.h"
#include "live_automation.h"
#include "output_fades.h"
#include "peak_limiter.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

namespace spwhost {
class Plugin;
}

namespace spwplay {

class EditQueue;
struct Edit;
class ParameterTable;

class PlayerEngine : public ChangeSink {
 public:
  static constexpr double kFadeSeconds = OutputFades::kFadeSeconds;
  static constexpr double kLeadSeconds = OutputFades::kLeadSeconds;
  static constexpr int64_t kEndless = -1;

  // automation may be null (no timeline). totalFrames: where the session ends and
  // the player stops (kEndless: never by itself). All must outlive the engine.
  PlayerEngine(spwhost::Plugin& plugin, ParameterTable& table, EditQueue& edits, LiveAutomation* automation,
               int64_t totalFrames);
  ~PlayerEngine() override;

  // The plug-in's own samples, as a render has them: no lead-in, rise or limiter.
  // Before Start.
  void PlayBare() { bare_ = true; }
  // Edits of the programme-change parameter programmeId (a programme chosen in the
  // player's bar) apply as a session's programme changes do: after the changes
  // queued before them, ending every slide, and the copy of the values taking
  // what the programme sets (programValues: by programme number, as
  // ReadEveryProgramme reads them; must outlive the engine). Before Start.
  void FollowProgrammes(uint32_t programmeId, const std::vector<std::vector<double>>* programValues) {
    programmeId_ = programmeId;
    programValues_ = programValues;
  }
  // Sets the plug-in up for real-time processing at sampleRate Hz in blocks of at
  // most maxBlock frames and switches it on. False with a reason.
  bool Start(int sampleRate, int maxBlock, std::string* error);
  void Stop();

  // [audio thread] frames of stereo output.
  void Render(float* left, float* right, int frames) noexcept;
  // [audio thread] The device ran out of samples once.
  void CountUnderrun() noexcept { underruns_.fetch_add(1, std::memory_order_relaxed); }

  // Starts the fade to silence; Faded() once it is silent.
  void RequestFade() noexcept { fadeRequested_.store(true, std::memory_order_relaxed); }
  bool Faded() const noexcept { return faded_.load(std::memory_order_relaxed); }
  // Frames played so far.
  int64_t Frame() const noexcept { return frameShown_.load(std::memory_order_relaxed); }
  int64_t TotalFrames() const { return total_; }
  int SampleRate() const { return sampleRate_; }
  uint64_t Underruns() const noexcept { return underruns_.load(std::memory_order_relaxed); }
  // The output's peak and the limiter's lowest gain since the last call, then reset.
  float TakePeak() noexcept { return peak_.exchange(0.0f, std::memory_order_relaxed); }
  float TakeLowestGain() noexcept { return lowestGain_.exchange(1.0f, std::memory_order_relaxed); }

  void FlushChanges() noexcept override;
  // [main thread, no audio running] The edits still queued reach the plug-in.
  void ApplyQueuedEdits() noexcept {
    DrainEdits();
    FlushChanges();
  }

 private:
  void DrainEdits() noexcept;
  void ChooseProgramme(const Edit& edit) noexcept;
  void Process(float* left, float* right, int frames) noexcept;
  void ApplyFade(float* left, float* right, int frames) noexcept;
  void Meter(const float* left, const float* right, int frames) noexcept;

  void FollowPluginWrites() noexcept;

  spwhost::Plugin& plugin_;
  ParameterTable& table_;
  EditQueue& edits_;
  LiveAutomation* automation_;
  uint32_t programmeId_ = 0;
  const std::vector<std::vector<double>>* programValues_ = nullptr;
  int64_t total_;
  int sampleRate_ = 48000;
  int maxBlock_ = 256;
  bool started_ = false;
  bool bare_ = false;
  BlockChanges changes_;
  BlockChanges written_;         // what the plug-in writes in a call: its output parameter changes
  Steinberg::Vst::ProcessContext context_ = {};
  PeakLimiter limiter_;
  int64_t frame_ = 0;            // audio thread only
  OutputFades fades_;

  // Doors: the audio thread writes, any thread reads, unless said otherwise.
  std::atomic<bool> fadeRequested_{false};  // written by the main thread
  std::atomic<bool> faded_{false};
  std::atomic<int64_t> frameShown_{0};
  std::atomic<uint64_t> underruns_{0};
  std::atomic<float> peak_{0.0f};
  std::atomic<float> lowestGain_{1.0f};
};

}  // namespace spwplay
