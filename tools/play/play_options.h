#pragma once
// The player's command line: the options it shares with spw_render
// (session_options.h), then its own.

#include <string>

#include "session_options.h"

namespace spwplay {

enum class PlayAction { kPlay, kListDevices, kListPrograms, kListParams, kHelp };

struct PlayOptions : spwrender::SessionOptions {
  PlayOptions() { blockSize = kDefaultBlock; }
  static constexpr int kDefaultBlock = 256;  // frames: about 5 ms at 48 kHz
  PlayAction action = PlayAction::kPlay;
  std::string device;     // number or name; empty: the default output
  bool noWindow = false;  // terminal only
};

// Parses argv[1..argc-1]. On failure returns false with a one-line reason in *error.
bool ParsePlayOptions(int argc, const char* const* argv, PlayOptions* options, std::string* error);

// The --help text.
std::string PlayUsage();

}  // namespace spwplay
