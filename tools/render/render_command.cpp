#include "render_command.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "audio_file_writer.h"
#include "default_bundle.h"
#include "parameter_catalog.h"
#include "program_catalog.h"
#include "progress_bar.h"
#include "render_loop.h"
#include "render_options.h"
#include "same_file.h"
#include "standard_output.h"
#include "sample_scratch.h"
#include "session_analysis.h"
#include "session_plot.h"
#include "staged_file.h"
#include "text_file.h"
#include "timeline.h"
#include "vst3_host.h"

namespace spwrender {
namespace {

// A timeline is a few kilobytes of text; anything far beyond that is not one.
constexpr size_t kMaxTimelineBytes = size_t(16) << 20;
// Problems of a timeline listed before the rest are only counted.
constexpr size_t kMaxProblemsShown = 100;

// Where the messages go.
struct Streams {
  std::FILE* out;
  std::FILE* err;
};

// Reports a failure on one line, whatever the message holds.
int Fail(const Streams& io, int status, std::string message) {
  std::replace_if(message.begin(), message.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  std::fprintf(io.err, "spw_render: error: %s\n", message.c_str());
  return status;
}

// The programme selection and the settings, at the start, in the order they apply.
bool ResolveStartSettings(const Streams& io, spwhost::Plugin& plugin, const RenderOptions& options,
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
      std::fprintf(io.err, "spw_render: warning: programme %d is an empty slot: it holds no settings and selecting "
                   "it changes none\n", number);
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

// Prints the problems of a timeline, as "FILE:LINE: message", in line order.
void ReportTimelineProblems(const Streams& io, const std::string& path, std::vector<TimelineProblem> problems) {
  // Problems of the whole file (line 0) come after those of its lines.
  const auto order = [](const TimelineProblem& p) { return p.line > 0 ? p.line : std::numeric_limits<int>::max(); };
  std::stable_sort(problems.begin(), problems.end(),
                   [&order](const TimelineProblem& a, const TimelineProblem& b) { return order(a) < order(b); });
  const size_t shown = std::min(problems.size(), kMaxProblemsShown);
  for (size_t i = 0; i < shown; ++i) {
    const std::string where = problems[i].line > 0 ? path + ":" + std::to_string(problems[i].line) : path;
    // The message quotes the file, which may hold anything: no control characters reach the terminal.
    std::string message = problems[i].message;
    std::replace_if(message.begin(), message.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; }, '?');
    std::fprintf(io.err, "%s: %s\n", where.c_str(), message.c_str());
  }
  if (shown < problems.size()) std::fprintf(io.err, "%s: ... and %zu more\n", path.c_str(), problems.size() - shown);
}

// Reads the timeline and turns it into automation after the start settings; sets
// the render's length from its end unless --duration gave one. Reports every
// problem it finds and returns the exit status.
int LoadTimeline(const Streams& io, spwhost::Plugin& plugin, const RenderOptions& options, RenderJob* job,
                 double* seconds) {
  std::string text, error;
  if (!ReadTextFile(options.timelinePath, kMaxTimelineBytes, &text, &error)) {
    return Fail(io, kExitBadArguments, error);
  }
  Timeline timeline;
  std::vector<TimelineProblem> problems;
  ParseTimeline(text, &timeline, &problems);
  ResolveTimeline(plugin, timeline, job->sampleRate, &job->automation, &problems);
  if (!options.durationGiven && !timeline.hasEnd) {
    problems.push_back({0, "the timeline has no end: add a line \"TIME end\", or give --duration"});
  } else if (!options.durationGiven && timeline.endSeconds <= 0.0) {
    problems.push_back({0, "the timeline ends at 0: nothing to render"});
  }
  if (!problems.empty()) {
    ReportTimelineProblems(io, options.timelinePath, problems);
    return Fail(io, kExitBadArguments, "the timeline '" + options.timelinePath + "' has " +
                                           std::to_string(problems.size()) + " problem" +
                                           (problems.size() == 1 ? "" : "s") + "; nothing was rendered");
  }
  if (!options.durationGiven) *seconds = timeline.endSeconds;
  return kExitOk;
}

// The clipping warning (always) and the summary line (unless quiet).
void ReportResult(const Streams& io, const RenderOptions& options, const AudioFileWriter& writer,
                  const std::string& programName, double wallSeconds) {
  const double peakDb = PeakDbfs(writer.Peak());
  if (writer.Clipped()) {
    std::fprintf(io.err, "spw_render: warning: the %s file clipped: peak %+.2f dBFS (render it with --normalize -1 "
                 "to fit it below full scale, or use --format wav32f)\n", FormatDescription(options.format), peakDb);
  }
  if (options.quiet) return;
  const double seconds = double(writer.FramesWritten()) / options.sampleRate;
  const std::string of = !options.timelinePath.empty() ? " of the session " + options.timelinePath
                         : programName.empty()          ? ""
                                                        : " of \"" + programName + "\"";
  std::fprintf(io.err, "spw_render: wrote %s: %.2f s%s at %d Hz, %s, peak %+.2f dBFS, rendered in %.2f s (%.0fx real "
               "time)\n", options.outputPath.c_str(), seconds, of.c_str(), options.sampleRate,
               FormatDescription(options.format), peakDb, wallSeconds, wallSeconds > 0.0 ? seconds / wallSeconds : 0.0);
}

// The one gain that puts peak at dbfs; 1 for silence, which no gain can raise.
double NormalizingGain(double peak, double dbfs) { return peak > 0.0 ? std::pow(10.0, dbfs / 20.0) / peak : 1.0; }

void ReportGain(const Streams& io, const RenderOptions& options, double peak, double gain) {
  if (options.quiet) return;
  if (peak <= 0.0) {
    std::fprintf(io.err, "spw_render: the render is silent: nothing to normalise\n");
    return;
  }
  std::fprintf(io.err, "spw_render: normalised by %+.2f dB (x%.4f): peak %+.2f dBFS before, %+.2f dBFS after\n",
               PeakDbfs(gain), gain, PeakDbfs(peak), options.normalizeDbfs);
}

// The programme selections of the render, for the picture.
std::vector<PlotMarker> ProgrammeMarkers(const RenderJob& job) {
  std::vector<PlotMarker> markers;
  for (const AutomationEvent& event : job.automation) {
    if (event.selectsProgram) markers.push_back({double(event.frame) / job.sampleRate, event.programName});
  }
  return markers;
}

std::string PlotTitle(const RenderOptions& options, const std::string& programName) {
  const std::string what = !options.timelinePath.empty() ? "session " + options.timelinePath
                           : programName.empty()          ? "start-up settings"
                                                          : "\"" + programName + "\"";
  return "stereoPulseWeaver, " + what + ", at " + std::to_string(options.sampleRate) + " Hz" +
         (options.normalize ? ", normalised" : "");
}

bool StagePlot(const RenderOptions& options, const RenderJob& job, SessionAnalysis& analysis,
               const std::string& programName, double gain, StagedFile* picture, std::string* error) {
  analysis.Finish();
  const SessionPlotInput plot = {&analysis, ProgrammeMarkers(job), PlotTitle(options, programName), PeakDbfs(gain),
                                 IsIntegerFormat(options.format) && !options.normalize};
  std::vector<uint8_t> png;
  if (!EncodeSessionPlot(plot, &png)) {
    *error = "cannot make the picture '" + options.plotPath + "'";
    return false;
  }
  return picture->Stage(options.plotPath, std::move(png), error);
}

int Render(const Streams& io, spwhost::Plugin& plugin, const RenderOptions& options) {
  RenderJob job;
  job.sampleRate = options.sampleRate;
  job.blockSize = options.blockSize;
  std::string programName, error;
  if (!ResolveStartSettings(io, plugin, options, &job.automation, &programName, &error)) {
    return Fail(io, kExitBadArguments, error);
  }
  double seconds = options.durationSeconds;
  if (!options.timelinePath.empty()) {
    const int status = LoadTimeline(io, plugin, options, &job, &seconds);
    if (status != kExitOk) return status;
  }
  job.frames = std::max<int64_t>(1, std::llround(seconds * options.sampleRate));

  auto writer = AudioFileWriter::Create(options.outputPath, options.format, options.sampleRate, job.frames, &error);
  if (!writer) return Fail(io, kExitFailed, error);
  // Normalising needs the whole render's peak before the first sample is written.
  SampleScratch scratch;
  if (options.normalize && !scratch.Create(WorkFolder(writer->Target()), options.outputPath, &error)) {
    return Fail(io, kExitFailed, error);
  }
  std::vector<AudioSink*> sinks = {options.normalize ? static_cast<AudioSink*>(&scratch) : writer.get()};
  SessionAnalysis analysis(options.sampleRate, job.frames, &plugin);
  if (!options.plotPath.empty()) sinks.push_back(&analysis);
  ProgressBar progress(io.err, !options.quiet && ProgressBar::IsTerminal(io.err), job.frames, job.sampleRate);
  const auto start = std::chrono::steady_clock::now();
  if (!RenderInto(plugin, job, sinks, progress, &error)) return Fail(io, kExitFailed, error);
  double gain = 1.0;
  if (options.normalize) {
    gain = NormalizingGain(scratch.Peak(), options.normalizeDbfs);
    if (!scratch.CopyScaled(gain, *writer, &error)) return Fail(io, kExitFailed, error);
    ReportGain(io, options, scratch.Peak(), gain);
  }
  // The picture is made before the audio file is finished, and put in place after.
  StagedFile picture;
  if (!options.plotPath.empty() && !StagePlot(options, job, analysis, programName, gain, &picture, &error)) {
    return Fail(io, kExitFailed, error);
  }
  if (!writer->Commit(&error) || (!options.plotPath.empty() && !picture.Deliver(&error))) {
    return Fail(io, kExitFailed, error);
  }
  const double wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ReportResult(io, options, *writer, programName, wallSeconds);
  return kExitOk;
}

int Run(const Streams& io, spwhost::Plugin& plugin, const RenderOptions& options) {
  std::string error;
  switch (options.action) {
    case RenderAction::kListPrograms: {
      ProgramCatalog programs;
      if (!programs.Read(plugin, &error)) return Fail(io, kExitFailed, error);
      programs.Print(io.out);
      return kExitOk;
    }
    case RenderAction::kListParams:
      ParameterCatalog(plugin).Print(io.out);
      return kExitOk;
    default:
      return Render(io, plugin, options);
  }
}

}  // namespace

int RunRenderCommand(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
  const Streams io{out, err};
  RenderOptions options;
  std::string error;
  if (!ParseRenderOptions(argc, argv, &options, &error)) return Fail(io, kExitBadArguments, error);
  if (options.action == RenderAction::kHelp) {
    std::fputs(RenderUsage().c_str(), io.out);
    return kExitOk;
  }
  const std::string bundle = options.bundlePath.empty() ? DefaultBundlePath() : options.bundlePath;
  if (options.action == RenderAction::kRender) {
    // Nothing the user has is overwritten: the output never lands on an input or the picture.
    const std::vector<spwhost::NamedFile> files = {{"the output", options.outputPath},
                                                   {"the plot", options.plotPath},
                                                   {"the timeline", options.timelinePath},
                                                   {"the bundle", bundle, true}};
    if (!spwhost::CheckDistinctFiles(files, &error)) {
      return Fail(io, kExitBadArguments, error + "; nothing was written");
    }
    if (options.outputPath == kStandardOutput && !StandardOutputTakesAudio(&error)) {
      return Fail(io, kExitBadArguments, error);
    }
  }
  const std::unique_ptr<spwhost::Module> module = spwhost::Module::Load(bundle, &error);
  if (!module) return Fail(io, kExitFailed, "cannot load the plug-in bundle '" + bundle + "': " + error);
  // Declared after the module, so destroyed before it.
  const std::unique_ptr<spwhost::Plugin> plugin = module->CreatePlugin(&error);
  if (!plugin) return Fail(io, kExitFailed, "the bundle '" + bundle + "' cannot create the plug-in: " + error);
  if (!plugin->Initialize(&error, "spw_render")) {
    return Fail(io, kExitFailed, "the plug-in does not initialise: " + error);
  }
  return Run(io, *plugin, options);
}

}  // namespace spwrender
