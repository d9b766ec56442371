#pragma once
// What a session run keeps for the next start: the settings the person chose (the
// remembered ones, --program, --set, and what they changed by hand in the window),
// not where the session's automation left the plug-in (every example session ends
// at "Volume" 0, which a next start would otherwise play).
//
// Threads: the main thread, with no audio running.

#include <string>
#include <vector>

#include "edit_queue.h"
#include "session_setup.h"

namespace spwhost {
class Plugin;
}

namespace spwplay {

// Brings plugin back to base (a component state: the remembered settings, or the
// defaults), then options' programme and settings, then the edits made by hand, in
// order. False with a reason, the plug-in then as the session left it.
bool ReturnToChoices(const spwrender::ToolMessages& io, spwhost::Plugin& plugin, const std::vector<uint8_t>& base,
                     const spwrender::SessionOptions& options, const std::vector<Edit>& byHand, std::string* error);

}  // namespace spwplay
