#pragma once
// The renderer's command line. Parsing checks the syntax and the ranges that do not
// depend on the plug-in; programme and parameter names are checked against the
// loaded plug-in later.

#include <string>
#include <utility>
#include <vector>

#include "output_format.h"

namespace spwrender {

enum class RenderAction { kRender, kListPrograms, kListParams, kHelp };

struct RenderOptions {
  RenderAction action = RenderAction::kRender;
  std::string bundlePath;                 // empty: the bundle built beside the program
  std::string program;                    // number or exact name; empty: the plug-in's own start-up values
  std::vector<std::pair<std::string, std::string>> settings;  // (parameter name, value text), in order
  std::string timelinePath;               // a session to play after the programme and settings; empty: none
  double durationSeconds = 10.0;          // the timeline's end instead, when one is given and this is not
  bool durationGiven = false;
  int sampleRate = 48000;                 // Hz
  int blockSize = 512;                    // frames per process call
  bool normalize = false;                 // scale the whole render so that its peak sits at normalizeDbfs
  double normalizeDbfs = 0.0;
  OutputFormat format = OutputFormat::kWavFloat;
  std::string outputPath;
  std::string plotPath;                   // a PNG picture of the render; empty: none
  bool quiet = false;                     // no progress bar, no summary
};

// Limits of the numeric options.
constexpr double kMaxDurationSeconds = 24.0 * 3600.0;
constexpr int kMinSampleRate = 8000;      // Hz
constexpr int kMaxSampleRate = 384000;    // Hz
constexpr int kMaxBlockSize = 8192;       // frames
constexpr double kMinNormalizeDbfs = -100.0;

// Parses argv[1..argc-1]. On failure returns false with a one-line reason in *error.
bool ParseRenderOptions(int argc, const char* const* argv, RenderOptions* options, std::string* error);

// The --help text.
std::string RenderUsage();

}  // namespace spwrender
