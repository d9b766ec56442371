#pragma once
// The whole spw_play command: parses the arguments, loads the bundle, restores
// what it remembers, opens the sound output and the editor's window, plays until
// told to stop, fades out and saves. Listings go to out; errors, the status line
// and the summary go to err.

#include <cstdio>

namespace spwplay {

// argv[0] is the program name, as for main(). Returns the exit status: 0 played
// and stopped as asked, 1 the bundle, the sound output or the settings failed,
// 2 the command line asks for something impossible.
int RunPlayCommand(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace spwplay
