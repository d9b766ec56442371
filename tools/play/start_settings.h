#pragma once
// The start-up programme and --set settings, applied to the plug-in before the
// sound starts, in the order the renderer applies them at its first sample.
//
// Threads: the main thread, with no audio running.

#include <string>

#include "session_setup.h"

namespace spwhost {
class Plugin;
}

namespace spwplay {

// False with a one-line reason (a programme or setting that does not resolve).
bool ApplyStartSettings(const spwrender::ToolMessages& io, spwhost::Plugin& plugin,
                        const spwrender::SessionOptions& options, std::string* error);

}  // namespace spwplay
