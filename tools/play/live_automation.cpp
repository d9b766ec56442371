#include "live_automation.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "block_changes.h"
#include "parameter_table.h"
#include "program_values.h"

namespace spwplay {

LiveAutomation::LiveAutomation(std::vector<spwrender::AutomationEvent> events,
                               std::vector<std::vector<double>> programValues, ParameterTable& table,
                               int64_t maxPointGap)
    : events_(std::move(events)),
      programValues_(std::move(programValues)),
      table_(table),
      slides_(size_t(table.Count())),
      maxPointGap_(std::max<int64_t>(1, maxPointGap)) {
  programValues_.resize(events_.size());
}

void LiveAutomation::Deliver(int64_t frame, BlockChanges& changes, ChangeSink& sink) noexcept {
  for (size_t i = 0; i < slides_.size(); ++i) {
    Slide& slide = slides_[i];
    double normalized = 0.0;
    if (!slide.running || !slide.path.PointAt(frame, table_.Scale(), &normalized)) continue;
    slide.running = !slide.path.Done();
    changes.Add(table_.Id(int(i)), normalized);
    table_.Set(int(i), normalized);
  }
  for (; next_ < events_.size() && events_[next_].frame <= frame; ++next_) Apply(next_, changes, sink);
}

void LiveAutomation::FlushQueued(BlockChanges& changes, ChangeSink& sink) noexcept {
  if (changes.Empty()) return;
  sink.FlushChanges();
  changes.Clear();
}

void LiveAutomation::Apply(size_t eventIndex, BlockChanges& changes, ChangeSink& sink) noexcept {
  const spwrender::AutomationEvent& event = events_[eventIndex];
  current_.store(int(eventIndex), std::memory_order_relaxed);
  const int index = table_.IndexOf(event.change.id);
  if (event.selectsProgram) {
    // A programme replaces every parameter, and with them whatever was sliding; the
    // plug-in applies one value per parameter and call, in queue order, so what came
    // before goes first.
    FlushQueued(changes, sink);
    StopSlides();
    changes.Add(event.change.id, event.change.normalized);
    SetProgrammeValues(table_, programValues_[eventIndex]);
    return;
  }
  if (index < 0) return;
  Slide& slide = slides_[size_t(index)];
  slide.running = false;
  if (event.slideFrames == 0) {
    changes.Add(event.change.id, event.change.normalized);
    table_.Set(index, event.change.normalized);
    return;
  }
  // From the value the plug-in holds once everything before it applies, as the
  // renderer slides it: the changes so far go first, and what the plug-in writes
  // in answer reaches the table.
  FlushQueued(changes, sink);
  slide.path = spwrender::SlidePath::Make(table_.Scale(), index, table_.Value(index), event.change.normalized,
                                         event.frame, event.slideFrames, maxPointGap_);
  slide.running = true;
}

void LiveAutomation::StopSlides() noexcept {
  for (Slide& slide : slides_) slide.running = false;
}

void LiveAutomation::StopSlide(uint32_t id) noexcept {
  const int index = table_.IndexOf(id);
  if (index >= 0) slides_[size_t(index)].running = false;
}

int64_t LiveAutomation::FramesToNext(int64_t frame) const noexcept {
  int64_t frames = std::numeric_limits<int64_t>::max();
  if (next_ < events_.size()) frames = events_[next_].frame - frame;
  for (const Slide& slide : slides_) {
    if (slide.running) frames = std::min(frames, slide.path.FramesToPoint(frame));
  }
  return std::max<int64_t>(1, frames);
}

}  // namespace spwplay
