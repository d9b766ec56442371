#include "render_command.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
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
#include "vst3_host.h"

namespace spwrender {
namespace {

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

// The programme selection and the settings, in the order they are to be applied.
bool ResolveChanges(const Streams& io, spwhost::Plugin& plugin, const RenderOptions& options,
                    std::vector<ParameterChange>* changes, std::string* programName, std::string* error) {
  if (!options.program.empty()) {
    ProgramCatalog programs;
    int number = 0;
    if (!programs.Read(plugin, error) || !programs.Resolve(options.program, &number, error)) return false;
    changes->push_back(programs.Selection(number));
    *programName = programs.Name(number);
    if (programs.IsEmptySlot(number)) {
      std::fprintf(io.err, "spw_render: warning: programme %d is an empty slot: it holds no settings and selecting "
                   "it changes none\n", number);
    }
  }
  const ParameterCatalog parameters(plugin);
  for (const auto& setting : options.settings) {
    ParameterChange change;
    if (!parameters.Resolve(setting.first, setting.second, &change, error)) return false;
    changes->push_back(change);
  }
  return true;
}

// The clipping warning (always) and the summary line (unless quiet).
void ReportResult(const Streams& io, const RenderOptions& options, const AudioFileWriter& writer,
                  const std::string& programName, double wallSeconds) {
  const double peakDb = PeakDbfs(writer.Peak());
  if (writer.Clipped()) {
    std::fprintf(io.err, "spw_render: warning: the %s file clipped: peak %+.2f dBFS (use --format wav32f, or a lower "
                 "Volume)\n", FormatDescription(options.format), peakDb);
  }
  if (options.quiet) return;
  const double seconds = double(writer.FramesWritten()) / options.sampleRate;
  const std::string of = programName.empty() ? "" : " of \"" + programName + "\"";
  std::fprintf(io.err, "spw_render: wrote %s: %.2f s%s at %d Hz, %s, peak %+.2f dBFS, rendered in %.2f s (%.0fx real "
               "time)\n", options.outputPath.c_str(), seconds, of.c_str(), options.sampleRate,
               FormatDescription(options.format), peakDb, wallSeconds, wallSeconds > 0.0 ? seconds / wallSeconds : 0.0);
}

int Render(const Streams& io, spwhost::Plugin& plugin, const RenderOptions& options) {
  RenderJob job;
  job.sampleRate = options.sampleRate;
  job.blockSize = options.blockSize;
  job.frames = std::max<int64_t>(1, std::llround(options.durationSeconds * options.sampleRate));
  std::string programName, error;
  if (!ResolveChanges(io, plugin, options, &job.changes, &programName, &error)) return Fail(io, kExitBadArguments, error);

  auto writer = AudioFileWriter::Create(options.outputPath, options.format, options.sampleRate, job.frames, &error);
  if (!writer) return Fail(io, kExitFailed, error);
  ProgressBar progress(io.err, !options.quiet && ProgressBar::IsTerminal(io.err), job.frames, job.sampleRate);
  const auto start = std::chrono::steady_clock::now();
  if (!RenderToFile(plugin, job, *writer, progress, &error) || !writer->Commit(&error)) {
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
