// spw_snapshot: builds the plug-in with its editor, runs blocks of audio and
// mouse actions on the editor, and writes what the editor shows as a PNG.
// Bad input: one error line and exit status 2; a plug-in that does not start
// or a file that cannot be written: exit status 1, and no file.

#include <cstdio>
#include <string>
#include <vector>

#include "editor_listing.h"
#include "editor_session.h"
#include "graphics_headless.h"
#include "same_file.h"
#include "snapshot_options.h"
#include "snapshot_script.h"
#include "stereo_pulse_weaver.h"

using namespace spwsnapshot;

namespace {

int Fail(int status, const std::string& reason) {
  std::fprintf(stderr, "spw_snapshot: %s\n", reason.c_str());
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  SnapshotOptions options;
  std::string error;
  if (!ParseSnapshotOptions(std::vector<std::string>(argv + 1, argv + argc), &options, &error)) return Fail(2, error);
  if (options.help) {
    std::fputs(kSnapshotUsage, stdout);
    return 0;
  }
  if (!options.HasWork()) return Fail(2, "nothing to do: give -o FILE.png, --controls or --params (see --help)");
#ifndef _WIN32
  // The program reads no file but its own: the picture never lands on it.
  if (!spwhost::CheckDistinctFiles({{"the output", options.output}, {"the program", "/proc/self/exe"}}, &error)) {
    return Fail(2, error + "; nothing was written");
  }
#endif
  EditorSession session(options.window, options.scale);
  if (!session.Start(&error)) {
    return Fail(1, session.WindowFailed() ? "cannot open the editor's window: " + error
                                          : "the plug-in does not start: " + error);
  }
  SnapshotScript script(session);
  if (options.listProgrammeNames) script.PrintProgrammeNames(stdout);
  if (options.listParameterNames) script.PrintParameterNames(stdout);
  if (!script.Check(options.actions, &error)) return Fail(2, error);
  if (!script.RunAll(options.actions, &error)) return Fail(2, error);
  if (options.listControls) PrintControls(session.Editor(), stdout);
  if (options.listParams) PrintParameters(session.Plug(), stdout);
  if (!options.output.empty() && !session.WritePng(options.output, &error)) return Fail(1, error);
  return 0;
}
