#pragma once
// Plays a session's automation inside the audio callback, as the renderer plays it
// offline (tools/render/automation_player.h), but without allocating or calling the
// edit controller: events are resolved beforehand, a slide follows slide_path.h
// from the value the player's copy holds (which follows what the plug-in writes),
// and a programme's values come from a table read beforehand (program_values.h). The callback splits its buffer where
// FramesToNext says, so every event lands on its sample.
//
// Threads: constructed on the main thread; everything else on the audio thread,
// except CurrentEvent (any thread).

#include <atomic>
#include <cstdint>
#include <vector>

#include "automation.h"
#include "slide_path.h"

namespace spwplay {

class BlockChanges;
class ParameterTable;

// What the automation asks of the process call it fills.
class ChangeSink {
 public:
  virtual ~ChangeSink() = default;
  // Hands the changes queued so far to the plug-in now (a call of no frames), so
  // that a programme selection applies after them.
  virtual void FlushChanges() noexcept = 0;
};

class LiveAutomation {
 public:
  // events: in the order they apply. programValues[i]: for a programme selection at
  // events[i], the normalised value of every parameter of table (by index) once it
  // applies, NaN for one it leaves alone; empty otherwise. maxPointGap: the longest run of frames a slide may go
  // without a point.
  LiveAutomation(std::vector<spwrender::AutomationEvent> events, std::vector<std::vector<double>> programValues,
                 ParameterTable& table, int64_t maxPointGap);

  // Queues into changes what is due at frame: a point of every running slide, then
  // the events that apply there, in order, keeping table's values current.
  void Deliver(int64_t frame, BlockChanges& changes, ChangeSink& sink) noexcept;
  // Frames from frame until something is due again (a large number when nothing is).
  int64_t FramesToNext(int64_t frame) const noexcept;
  // A person took the parameter over: its slide ends where it is.
  void StopSlide(uint32_t id) noexcept;
  // A programme the person chose replaces what was sliding.
  void StopSlides() noexcept;
  // The index of the last event applied, -1 before the first.
  int CurrentEvent() const noexcept { return current_.load(std::memory_order_relaxed); }
  const std::vector<spwrender::AutomationEvent>& Events() const { return events_; }

 private:
  struct Slide {
    bool running = false;
    spwrender::SlidePath path;
  };

  void Apply(size_t eventIndex, BlockChanges& changes, ChangeSink& sink) noexcept;
  // The changes queued so far go to the plug-in first, in a call of no frames.
  static void FlushQueued(BlockChanges& changes, ChangeSink& sink) noexcept;

  std::vector<spwrender::AutomationEvent> events_;
  std::vector<std::vector<double>> programValues_;
  ParameterTable& table_;
  std::vector<Slide> slides_;  // one per parameter of table_, by index
  size_t next_ = 0;
  int64_t maxPointGap_;
  std::atomic<int> current_{-1};
};

}  // namespace spwplay
