#pragma once
// The renderer's command line. Parsing checks the syntax and the ranges that do not
// depend on the plug-in; programme and parameter names are checked against the
// loaded plug-in later.

#include <string>

#include "output_format.h"
#include "session_options.h"

namespace spwrender {

enum class RenderAction { kRender, kListPrograms, kListParams, kHelp };

// The shared options (session_options.h), then the renderer's own.
struct RenderOptions : SessionOptions {
  RenderAction action = RenderAction::kRender;
  bool normalize = false;                 // scale the whole render so that its peak sits at normalizeDbfs
  double normalizeDbfs = 0.0;
  OutputFormat format = OutputFormat::kWavFloat;
  bool formatGiven = false;
  std::string outputPath;
  std::string plotPath;                   // a PNG picture of the render; empty: none
  bool fadeOut = true;                    // the last half second fades to silence
};

// Limit of --normalize.
constexpr double kMinNormalizeDbfs = -100.0;

// Parses argv[1..argc-1]. On failure returns false with a one-line reason in *error.
bool ParseRenderOptions(int argc, const char* const* argv, RenderOptions* options, std::string* error);

// The --help text.
std::string RenderUsage();

}  // namespace spwrender
