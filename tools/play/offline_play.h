#pragma once
// The player's engine run without a sound device, lead-in or limiter: a session
// played into a plug-in block by block as a device would ask for it, with a
// person's edits arriving through the player's edit handler, into memory. What
// it gives is what a render of the same session at the same block size gives,
// sample for sample; tests and the timeline fuzzer compare the two.
//
// Threads: the calling thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "automation.h"

namespace spwhost {
class Plugin;
}

namespace spwplay {

// A value a person sets in the player's window, heard from the callback that starts at frame.
struct TimedEdit {
  int64_t frame = 0;
  uint32_t id = 0;
  double normalized = 0.0;
};

struct OfflineSession {
  std::vector<spwrender::AutomationEvent> events;  // in the order they apply
  std::vector<TimedEdit> edits;                     // in time order
  int sampleRate = 48000;
  int blockSize = 256;                              // frames per callback
  int64_t frames = 0;
};

// Plays session into plugin (initialised, with its start-up settings applied);
// scratch: another initialised instance, for reading the programmes. False with a reason.
bool PlayOffline(spwhost::Plugin& plugin, spwhost::Plugin& scratch, const OfflineSession& session,
                 std::vector<float>* left, std::vector<float>* right, std::string* error);

}  // namespace spwplay
