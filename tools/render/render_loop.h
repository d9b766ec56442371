#pragma once
// Drives an initialised plug-in instance the way a host renders a project offline:
// stereo output bus, processing set up for offline 32-bit float, component active,
// transport playing from project time 0 and advancing block by block. The start-up
// parameter changes go with the first block, in order, before any audio of it.

#include <cstdint>
#include <string>
#include <vector>

#include "parameter_change.h"

namespace spwhost {
class Plugin;
}

namespace spwrender {

class AudioFileWriter;
class ProgressBar;

struct RenderJob {
  int sampleRate = 48000;                  // Hz
  int blockSize = 512;                     // frames per process call
  int64_t frames = 0;                      // length of the render
  std::vector<ParameterChange> changes;    // sent with the first block
};

// Renders job.frames into writer. False with a reason when the plug-in refuses the
// set-up or a block, or the file cannot be written.
bool RenderToFile(spwhost::Plugin& plugin, const RenderJob& job, AudioFileWriter& writer, ProgressBar& progress,
                  std::string* error);

}  // namespace spwrender
