#include "session_setup.h"

#include <algorithm>

#include "default_bundle.h"
#include "parameter_catalog.h"
#include "program_catalog.h"
#include "terminal_text.h"
#include "text_file.h"
#include "timeline.h"
#include "vst3_host.h"

namespace spwrender {
namespace {

// A timeline is a few kilobytes of text; anything far beyond that is not one.
constexpr size_t kMaxTimelineBytes = size_t(16) << 20;
// Problems of a timeline listed before the rest are only counted.
constexpr size_t kMaxProblemsShown = 100;

// Prints the problems of a timeline, as "FILE:LINE: message", in the order given.
void ReportTimelineProblems(const ToolMessages& io, const std::string& path, const std::vector<TimelineProblem>& problems) {
  const size_t shown = std::min(problems.size(), kMaxProblemsShown);
  for (size_t i = 0; i < shown; ++i) {
    const std::string where = problems[i].line > 0 ? path + ":" + std::to_string(problems[i].line) : path;
    // The message quotes the file, which may hold anything.
    std::fprintf(io.err, "%s: %s\n", PrintableText(where).c_str(), PrintableText(problems[i].message).c_str());
  }
  if (shown < problems.size()) std::fprintf(io.err, "%s: ... and %zu more\n", path.c_str(), problems.size() - shown);
}

// Every place looked in, for a tool that found the bundle in none of them.
std::string NoBundleMessage() {
  std::string message = "no plug-in bundle found; looked";
  const std::vector<BundlePlace> places = DefaultBundlePlaces();
  for (size_t i = 0; i < places.size(); ++i) {
    message += (i == 0 ? " " : ", ") + places[i].where + " (" + places[i].path + ")";
  }
  return message + "; install the plug-in or give --bundle PATH";
}

}  // namespace

// Reports a failure on one line, whatever the message holds.
int Fail(const ToolMessages& io, int status, std::string message) {
  std::replace_if(message.begin(), message.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  std::fprintf(io.err, "%s: error: %s\n", io.tool, PrintableText(message).c_str());
  return status;
}

int LoadBundle(const ToolMessages& io, const std::string& bundlePath, bool verbose,
               std::unique_ptr<spwhost::Module>* module, std::unique_ptr<spwhost::Plugin>* plugin) {
  BundlePlace place{bundlePath, "given with --bundle"};
  if (bundlePath.empty() && !FindDefaultBundle(&place)) return Fail(io, kExitFailed, NoBundleMessage());
  const std::string& bundle = place.path;
  if (verbose) {
    std::fprintf(io.err, "%s: loading the plug-in bundle %s (%s)\n", io.tool, bundle.c_str(), place.where.c_str());
  }
  std::string error;
  *module = spwhost::Module::Load(bundle, &error);
  if (!*module) return Fail(io, kExitFailed, "cannot load the plug-in bundle '" + bundle + "': " + error);
  *plugin = (*module)->CreatePlugin(&error);
  if (!*plugin) return Fail(io, kExitFailed, "the bundle '" + bundle + "' cannot create the plug-in: " + error);
  if (!(*plugin)->Initialize(&error, io.tool)) {
    return Fail(io, kExitFailed, "the plug-in does not initialise: " + error);
  }
  return kExitOk;
}

int ListPrograms(const ToolMessages& io, spwhost::Plugin& plugin) {
  ProgramCatalog programs;
  std::string error;
  if (!programs.Read(plugin, &error)) return Fail(io, kExitFailed, error);
  programs.Print(io.out);
  return kExitOk;
}

int ListParams(const ToolMessages& io, spwhost::Plugin& plugin) {
  ParameterCatalog(plugin).Print(io.out);
  return kExitOk;
}

// The programme selection and the settings, at the start, in the order they apply.
bool ResolveStartSettings(const ToolMessages& io, spwhost::Plugin& plugin, const SessionOptions& options,
                          std::vector<AutomationEvent>* events, std::string* programName, std::string* error) {
  if (!options.program.empty()) {
    ProgramCatalog programs;
    int number = 0;
    if (!programs.Read(plugin, error) || !programs.Resolve(options.program, &number, error)) return false;
    AutomationEvent selection;
    selection.change = programs.Selection(number);
    selection.selectsProgram = true;
    selection.programName = programs.Name(number);
    events->push_back(selection);
    *programName = selection.programName;
    if (programs.IsEmptySlot(number)) {
      std::fprintf(io.err, "%s: warning: programme %d is an empty slot: it holds no settings and selecting "
                   "it changes none\n", io.tool, number);
    }
  }
  const ParameterCatalog parameters(plugin);
  for (const auto& setting : options.settings) {
    AutomationEvent event;
    if (!parameters.Resolve(setting.first, setting.second, &event.change, error)) return false;
    events->push_back(event);
  }
  return true;
}

// Reads the timeline and turns it into automation after the start settings; sets
// the render's length from its end unless --duration gave one. Reports every
// problem it finds and returns the exit status.
int LoadTimeline(const ToolMessages& io, spwhost::Plugin& plugin, const SessionOptions& options, int sampleRate,
                 std::vector<AutomationEvent>* automation, double* seconds, const char* doneWord) {
  std::string text, error;
  if (!ReadTextFile(options.timelinePath, kMaxTimelineBytes, &text, &error)) {
    return Fail(io, kExitBadArguments, error);
  }
  Timeline timeline;
  std::vector<TimelineProblem> problems;
  if (!ReadSession(plugin, text, sampleRate, options.durationGiven, &timeline, automation, &problems)) {
    ReportTimelineProblems(io, options.timelinePath, problems);
    return Fail(io, kExitBadArguments, "the timeline '" + options.timelinePath + "' has " +
                                           std::to_string(problems.size()) + " problem" +
                                           (problems.size() == 1 ? "" : "s") + "; nothing was " + doneWord);
  }
  if (!options.durationGiven) *seconds = timeline.endSeconds;
  return kExitOk;
}

}  // namespace spwrender
