#pragma once
// What the renderer plays into the plug-in over time, as a host plays automation:
// programme selections and parameter values at sample positions, and slides that
// move a parameter linearly from its value at their start to a target.

#include <cstdint>
#include <string>
#include <vector>

#include "parameter_change.h"
#include "timeline.h"

namespace spwhost {
class PluginControls;
}

namespace spwrender {

struct AutomationEvent {
  int64_t frame = 0;          // where it applies or starts, in samples from the start
  ParameterChange change;     // the value to set; for a slide the value it ends at
  int64_t slideFrames = 0;    // 0: set at once; otherwise the length of the slide
  bool selectsProgram = false;
  std::string programName;    // selectsProgram: the name, for the picture
  std::string label;          // a timeline's event as a person reads it ("slide Binaural=6 over 600 s")
};

// The timeline's events for this plug-in at sampleRate Hz, in file order, checked
// against the plug-in's programmes and parameters: programmes by number or name as
// --program takes them, parameters and values as --set takes them, and no slide of
// a list parameter. Every event that does not fit adds a problem; true when none did.
bool ResolveTimeline(spwhost::PluginControls& plugin, const Timeline& timeline, int sampleRate,
                     std::vector<AutomationEvent>* events, std::vector<TimelineProblem>* problems);

// A session's text read (ParseTimeline) and resolved (ResolveTimeline) into
// events; unless lengthGiven, a timeline without an end, or ending at 0, is a
// problem of the whole file (line 0). The problems in line order, the file's
// own last. True when there was none.
bool ReadSession(spwhost::PluginControls& plugin, const std::string& text, int sampleRate, bool lengthGiven,
                 Timeline* timeline, std::vector<AutomationEvent>* events, std::vector<TimelineProblem>* problems);

}  // namespace spwrender
