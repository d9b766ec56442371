#pragma once
// Drives an initialised plug-in instance the way a host renders a project offline:
// stereo output bus, processing set up for offline 32-bit float, component active,
// transport playing from project time 0 and advancing block by block. Automation
// (the start-up settings at frame 0, then the timeline) is played by an
// AutomationPlayer, blocks split where it is due.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "automation.h"

namespace spwhost {
class Plugin;
}

namespace spwrender {

class AudioSink;
class ProgressBar;

struct RenderJob {
  int sampleRate = 48000;                  // Hz
  int blockSize = 512;                     // frames per process call
  int64_t frames = 0;                      // length of the render
  std::vector<AutomationEvent> automation; // in the order it applies
  // The last half second fades to silence (fade_out.h), as the player ends, so that
  // the file does not end on a click; silence stays silence.
  bool fadeOut = true;
  // Called for each event of automation once the block that starts at it has been
  // rendered, with the plug-in's parameters as the event left them (may be empty).
  std::function<void(const AutomationEvent&)> applied;
};

// Renders job.frames, every block into each of sinks in turn. False with a reason
// when the plug-in refuses the set-up or a block, or a sink fails.
bool RenderInto(spwhost::Plugin& plugin, const RenderJob& job, const std::vector<AudioSink*>& sinks,
                ProgressBar& progress, std::string* error);

}  // namespace spwrender
