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
#include "progress_bar.h"
#include "render_loop.h"
#include "render_options.h"
#include "same_file.h"
#include "standard_output.h"
#include "sample_scratch.h"
#include "session_setup.h"
#include "session_analysis.h"
#include "session_plot.h"
#include "silent_settings.h"
#include "terminal_text.h"
#include "clock_time.h"
#include "staged_file.h"
#include "vst3_host.h"

namespace spwrender {
namespace {

// The clipping warning (always) and the summary line (unless quiet).
void ReportResult(const ToolMessages& io, const RenderOptions& options, const AudioFileWriter& writer,
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

// A change the plug-in's other settings make silent is said to be so, with where it
// was made when that was in a timeline.
void WarnIfSilent(const ToolMessages& io, spwhost::Plugin& plugin, const RenderJob& job, const AutomationEvent& event) {
  const std::string note = SilentSettingNote(plugin, event);
  if (note.empty()) return;
  const std::string where =
      event.label.empty() ? "" : "at " + FormatClockTime(double(event.frame) / job.sampleRate) + " (" + event.label + "): ";
  std::fprintf(io.err, "%s: warning: %s%s\n", io.tool, PrintableText(where).c_str(), note.c_str());
}

// The one gain that puts peak at dbfs; 1 for silence, which no gain can raise.
double NormalizingGain(double peak, double dbfs) { return peak > 0.0 ? std::pow(10.0, dbfs / 20.0) / peak : 1.0; }

void ReportGain(const ToolMessages& io, const RenderOptions& options, double peak, double gain) {
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

int Render(const ToolMessages& io, spwhost::Plugin& plugin, const RenderOptions& options) {
  RenderJob job;
  job.sampleRate = options.sampleRate;
  job.blockSize = options.blockSize;
  job.fadeOut = options.fadeOut;
  std::string programName, error;
  if (!ResolveStartSettings(io, plugin, options, &job.automation, &programName, &error)) {
    return Fail(io, kExitBadArguments, error);
  }
  double seconds = options.durationSeconds;
  if (!options.timelinePath.empty()) {
    const int status = LoadTimeline(io, plugin, options, job.sampleRate, &job.automation, &seconds, "rendered");
    if (status != kExitOk) return status;
  }
  job.frames = std::max<int64_t>(1, std::llround(seconds * options.sampleRate));
  job.applied = [&io, &plugin, &job](const AutomationEvent& event) { WarnIfSilent(io, plugin, job, event); };

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

int Run(const ToolMessages& io, spwhost::Plugin& plugin, const RenderOptions& options) {
  switch (options.action) {
    case RenderAction::kListPrograms:
      return ListPrograms(io, plugin);
    case RenderAction::kListParams:
      return ListParams(io, plugin);
    default:
      return Render(io, plugin, options);
  }
}

}  // namespace

int RunRenderCommand(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
  const ToolMessages io{"spw_render", out, err};
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
  std::unique_ptr<spwhost::Module> module;
  std::unique_ptr<spwhost::Plugin> plugin;  // declared after the module, so destroyed before it
  const int loaded = LoadBundle(io, options.bundlePath, options.verbose, &module, &plugin);
  if (loaded != kExitOk) return loaded;
  return Run(io, *plugin, options);
}

}  // namespace spwrender
