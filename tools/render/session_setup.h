#pragma once
// What spw_render and spw_play do alike before they play: the start-up programme
// and settings, and the timeline, resolved against the loaded plug-in into
// automation, with every problem reported in the tools' own words.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "automation.h"
#include "session_options.h"

namespace spwhost {
class Module;
class Plugin;
}

namespace spwrender {

// Where a tool's messages go, and the name they start with.
struct ToolMessages {
  const char* tool;
  std::FILE* out;
  std::FILE* err;
};

// Exit status of the tools.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;        // the bundle, the plug-in, the file or the device failed
constexpr int kExitBadArguments = 2;  // the command line asks for something impossible

// Reports a failure on one line "TOOL: error: message", whatever the message holds.
int Fail(const ToolMessages& io, int status, std::string message);

// Loads bundlePath (empty: the first of the default places, default_bundle.h) and
// initialises its plug-in as host io.tool; verbose says on io.err which bundle it
// loads. *module must outlive *plugin. Returns the exit status.
int LoadBundle(const ToolMessages& io, const std::string& bundlePath, bool verbose,
               std::unique_ptr<spwhost::Module>* module, std::unique_ptr<spwhost::Plugin>* plugin);

// --list-programs and --list-params: the catalogs printed to io.out. Return the exit status.
int ListPrograms(const ToolMessages& io, spwhost::Plugin& plugin);
int ListParams(const ToolMessages& io, spwhost::Plugin& plugin);

// The programme selection and the settings, at the start, in the order they apply;
// *programName the selected programme's name (empty without one). Warns of an empty slot.
bool ResolveStartSettings(const ToolMessages& io, spwhost::Plugin& plugin, const SessionOptions& options,
                          std::vector<AutomationEvent>* events, std::string* programName, std::string* error);

// Reads options.timelinePath and appends its automation at sampleRate Hz; sets
// *seconds from its end unless --duration gave one. Lists every problem as
// "FILE:LINE: message" and returns the exit status (kExitBadArguments then,
// saying nothing was `doneWord`).
int LoadTimeline(const ToolMessages& io, spwhost::Plugin& plugin, const SessionOptions& options, int sampleRate,
                 std::vector<AutomationEvent>* automation, double* seconds, const char* doneWord);

}  // namespace spwrender
