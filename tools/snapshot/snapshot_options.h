#pragma once
// spw_snapshot's command line: the output file, the listings asked for, and
// the actions in the order given.

#include <string>
#include <vector>

namespace spwsnapshot {

struct SnapshotAction {
  enum class Kind { Program, Set, Blocks, Click, RightClick, Drag, Wheel, Hover, Type };
  Kind kind = Kind::Blocks;
  std::string text;  // Program: number or name; Set: NAME=VALUE; Type: the text typed
  int count = 0;     // Blocks: how many; Wheel: notches (positive away from the user)
  int x = 0, y = 0;  // editor pixels
  int dx = 0, dy = 0;
};

struct SnapshotOptions {
  std::string output;  // PNG to write; empty: none
  std::vector<SnapshotAction> actions;
  bool window = false;  // the editor in a real window, real events, the picture read from the screen
  double scale = 1.0;   // device pixels per editor pixel, 1 to 2
  bool listControls = false;
  bool listParams = false;
  bool listProgrammeNames = false;  // --list-programs, as spw_render
  bool listParameterNames = false;  // --list-params, as spw_render
  bool help = false;

  // Something to show: a file or a listing.
  bool HasWork() const {
    return !output.empty() || listControls || listParams || listProgrammeNames || listParameterNames;
  }
};

extern const char kSnapshotUsage[];

// False with a one-line reason for an unknown option, a missing or malformed
// argument, or a point outside the editor.
bool ParseSnapshotOptions(const std::vector<std::string>& args, SnapshotOptions* options, std::string* error);

}  // namespace spwsnapshot
