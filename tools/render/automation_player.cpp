#include "automation_player.h"

#include <algorithm>
#include <limits>

#include "plugin_controls.h"

namespace spwrender {
namespace {

// Delivers the changes queued so far with a process call of no frames.
bool Flush(spwhost::PluginControls& plugin, int64_t frame, bool* queued, std::string* error) {
  if (!*queued) return true;
  *queued = false;
  if (plugin.ProcessFloat(nullptr, 0)) return true;
  *error = "the plug-in refused the parameter changes at frame " + std::to_string(frame) + " (result " +
           std::to_string(plugin.LastProcessResult()) + ")";
  return false;
}

}  // namespace

AutomationPlayer::AutomationPlayer(std::vector<AutomationEvent> events, int64_t maxPointGap)
    : events_(std::move(events)), maxPointGap_(std::max<int64_t>(1, maxPointGap)) {
  std::stable_sort(events_.begin(), events_.end(),
                   [](const AutomationEvent& a, const AutomationEvent& b) { return a.frame < b.frame; });
}

void AutomationPlayer::Prepare(spwhost::PluginControls& plugin) {
  if (!scale_) scale_ = std::make_unique<ParameterScale>(plugin);
  slides_.reserve(size_t(scale_->Count()));
}

bool AutomationPlayer::Deliver(spwhost::PluginControls& plugin, int64_t frame, std::string* error) {
  bool queued = false;
  QueueSlidePoints(plugin, frame, &queued);
  for (; next_ < events_.size() && events_[next_].frame <= frame; ++next_) {
    if (!Apply(plugin, events_[next_], &queued, error)) return false;
  }
  return true;
}

void AutomationPlayer::QueueSlidePoints(spwhost::PluginControls& plugin, int64_t frame, bool* queued) {
  for (Slide& slide : slides_) {
    double normalized = 0.0;
    if (!slide.path.PointAt(frame, *scale_, &normalized)) continue;
    plugin.QueueParameterChange(slide.id, normalized);
    *queued = true;
  }
  slides_.erase(std::remove_if(slides_.begin(), slides_.end(), [](const Slide& s) { return s.path.Done(); }),
                slides_.end());
}

bool AutomationPlayer::Apply(spwhost::PluginControls& plugin, const AutomationEvent& event, bool* queued,
                             std::string* error) {
  const uint32_t id = event.change.id;
  if (event.selectsProgram) {
    // A programme replaces every parameter, and with them whatever was sliding.
    if (!Flush(plugin, event.frame, queued, error)) return false;
    slides_.clear();
  } else {
    StopSlide(id);
  }
  if (event.slideFrames == 0) {
    plugin.QueueParameterChange(id, event.change.normalized);
    *queued = true;
    return true;
  }
  // The slide starts from the value the plug-in holds once everything before it applies.
  if (!Flush(plugin, event.frame, queued, error)) return false;
  if (!scale_) scale_ = std::make_unique<ParameterScale>(plugin);
  const int index = scale_->IndexOf(id);
  if (index < 0) return true;  // resolved timelines slide only the plug-in's own parameters
  slides_.push_back({id, SlidePath::Make(*scale_, index, plugin.GetParamNormalized(id), event.change.normalized,
                                         event.frame, event.slideFrames, maxPointGap_)});
  return true;
}

void AutomationPlayer::StopSlide(uint32_t id) {
  slides_.erase(std::remove_if(slides_.begin(), slides_.end(), [id](const Slide& s) { return s.id == id; }),
                slides_.end());
}

int64_t AutomationPlayer::FramesToNext(int64_t frame) const {
  int64_t frames = std::numeric_limits<int64_t>::max();
  if (next_ < events_.size()) frames = events_[next_].frame - frame;
  for (const Slide& slide : slides_) frames = std::min(frames, slide.path.FramesToPoint(frame));
  return std::max<int64_t>(1, frames);
}

}  // namespace spwrender
