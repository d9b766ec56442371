#pragma once
// The whole spw_render command: parses the arguments, loads the bundle, lists or
// renders, and reports. Listings go to out; errors, warnings, the progress bar and
// the summary go to err.

#include <cstdio>

#include "session_setup.h"

namespace spwrender {

// Exit status of the command: kExitOk, kExitFailed, kExitBadArguments (session_setup.h).

// argv[0] is the program name, as for main(). Returns the exit status. Every
// failure writes one line "spw_render: error: ..." to err and leaves no output file.
int RunRenderCommand(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace spwrender
