#pragma once
// Plays automation into a plug-in during a render, the way a host plays its
// automation lanes: the changes due at a sample go into the parameter queues of the
// process call that starts there, and a running slide sends a point every few
// milliseconds.
// The renderer splits its blocks where the player asks, so every change lands on
// its sample. Slides follow slide_path.h, as the live player's do.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "automation.h"
#include "parameter_scale.h"
#include "slide_path.h"

namespace spwhost {
class PluginControls;
}

namespace spwrender {

class AutomationPlayer {
 public:
  // events: in the order they apply (file order within a sample). maxPointGap: the
  // longest run of frames a slide may go without a point.
  AutomationPlayer(std::vector<AutomationEvent> events, int64_t maxPointGap);
  // Reads the parameters' scale and makes room for a slide of each now, so that
  // Deliver allocates nothing afterwards (for a live player's audio thread).
  void Prepare(spwhost::PluginControls& plugin);

  // Queues what is due at frame: a point of every running slide, then the events
  // that apply there, in order. The plug-in applies queues in the order they were
  // opened, one value each, so where that would differ from the events' order (a
  // programme selection after other changes), and before a slide reads the value it
  // starts from, the changes so far go first in a process call of no frames, as
  // hosts flush parameters. False with a reason when the plug-in refuses that call.
  bool Deliver(spwhost::PluginControls& plugin, int64_t frame, std::string* error);

  // Frames from frame until something is due again (a large number when nothing is).
  int64_t FramesToNext(int64_t frame) const;

 private:
  struct Slide {
    uint32_t id = 0;
    SlidePath path;
  };

  void QueueSlidePoints(spwhost::PluginControls& plugin, int64_t frame, bool* queued);
  bool Apply(spwhost::PluginControls& plugin, const AutomationEvent& event, bool* queued, std::string* error);
  void StopSlide(uint32_t id);

  std::vector<AutomationEvent> events_;
  size_t next_ = 0;
  std::vector<Slide> slides_;
  std::unique_ptr<ParameterScale> scale_;  // read at the first slide
  int64_t maxPointGap_;
};

}  // namespace spwrender
