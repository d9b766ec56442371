#include "render_options.h"

#include <cmath>

#include "command_line.h"
#include "decimal_number.h"
#include "standard_output.h"

namespace spwrender {
namespace {

bool SetNormalize(const std::string& value, RenderOptions* options, std::string* error) {
  double dbfs = 0.0;
  if (!ReadDecimal(value, &dbfs) || dbfs < kMinNormalizeDbfs || dbfs > 0.0) {
    *error = "--normalize wants a peak level in dBFS from " + std::to_string(int(kMinNormalizeDbfs)) +
             " to 0, e.g. --normalize -1, not '" + value + "'";
    return false;
  }
  options->normalize = true;
  options->normalizeDbfs = dbfs;
  return true;
}

bool SetFormat(const std::string& value, RenderOptions* options, std::string* error) {
  options->formatGiven = true;
  if (!ParseFormatName(value, &options->format)) {
    *error = "unknown format '" + value + "' (choose one of " + FormatNameList() + ")";
    return false;
  }
  return true;
}

bool SetOutput(const std::string& value, RenderOptions* options, std::string*) {
  options->outputPath = value == "-" ? kStandardOutput : value;
  return true;
}

bool SetPlot(const std::string& value, RenderOptions* options, std::string* error) {
  if (LowerExtension(value) != ".png") {
    *error = "--plot wants the name of a .png file, not '" + value + "'";
    return false;
  }
  options->plotPath = value;
  return true;
}

bool NoFade(const std::string&, RenderOptions* options, std::string*) {
  options->fadeOut = false;
  return true;
}

bool ListPrograms(const std::string&, RenderOptions* options, std::string*) {
  options->action = RenderAction::kListPrograms;
  return true;
}

bool ListParams(const std::string&, RenderOptions* options, std::string*) {
  options->action = RenderAction::kListParams;
  return true;
}

bool Help(const std::string&, RenderOptions* options, std::string*) {
  options->action = RenderAction::kHelp;
  return true;
}

using Row = OptionRow<RenderOptions>;
const Row kOptions[] = {
    {"program", 'p', true, Shared<RenderOptions, SetProgramOption>},
    {"set", 's', true, Shared<RenderOptions, AddSettingOption>},
    {"timeline", 't', true, Shared<RenderOptions, SetTimelineOption>},
    {"duration", 'd', true, Shared<RenderOptions, SetDurationOption>},
    {"rate", 'r', true, Shared<RenderOptions, SetRateOption>},
    {"block", 'b', true, Shared<RenderOptions, SetBlockOption>},
    {"normalize", 'n', true, SetNormalize},
    {"format", 'f', true, SetFormat},
    {"output", 'o', true, SetOutput},     {"plot", 0, true, SetPlot},
    {"no-fade", 0, false, NoFade},
    {"bundle", 0, true, Shared<RenderOptions, SetBundleOption>},
    {"list-programs", 0, false, ListPrograms}, {"list-params", 0, false, ListParams},
    {"quiet", 'q', false, Shared<RenderOptions, SetQuietOption>},
    {"verbose", 'v', false, Shared<RenderOptions, SetVerboseOption>},
    {"help", 'h', false, Help},
};

bool AsksForHelp(const RenderOptions& options) { return options.action == RenderAction::kHelp; }

// Checks what only the whole command line can tell.
bool CheckCombination(RenderOptions* options, std::string* error) {
  if (options->action != RenderAction::kRender) return true;
  if (options->outputPath.empty()) {
    *error = "no output file: give one with -o FILE (see --help)";
    return false;
  }
  if (!options->formatGiven) {
    if (!FormatForPath(options->outputPath, &options->format)) {
      *error = "cannot tell the format from the file name '" + options->outputPath +
               "': spw_render writes .wav and .flac files (or choose one with --format)";
      return false;
    }
  } else if (!ExtensionFits(options->outputPath, options->format)) {
    *error = std::string("format ") + FormatName(options->format) + " does not fit the file name '" +
             options->outputPath + "'";
    return false;
  }
  return true;
}

}  // namespace

bool ParseRenderOptions(int argc, const char* const* argv, RenderOptions* options, std::string* error) {
  *options = RenderOptions();
  if (!ParseOptionTable(argc, argv, kOptions, options, AsksForHelp, error)) return false;
  return AsksForHelp(*options) || CheckCombination(options, error);
}

std::string RenderUsage() {
  return "usage: spw_render [options] -o FILE\n"
         "Renders stereoPulseWeaver offline, through its VST 3 bundle, into an audio file.\n"
         "\n"
         "  -p, --program N|NAME   factory programme by number or exact name (see --list-programs);\n"
         "                         without it the plug-in plays its start-up settings\n"
         "  -s, --set NAME=VALUE   set a parameter by its name, in its own units or by one of its\n"
         "                         value texts, e.g. --set \"Binaural=7.83\" --set \"Wave=Golden Sine\";\n"
         "                         repeatable, applied in order after the programme\n"
         "  -t, --timeline FILE    play a session: timed programme changes, settings and slides,\n"
         "                         one per line (see the README), after --program and --set\n"
         "  -d, --duration TIME    length of the render: seconds, m:ss or h:mm:ss (default: the\n"
         "                         timeline's end; without a timeline 10 s)\n"
         "  -r, --rate HZ          sample rate (default 48000)\n"
         "  -b, --block FRAMES     frames per process call (default 512)\n"
         "  -n, --normalize DBFS   scale the whole render by one gain so that its peak sits at\n"
         "                         DBFS (e.g. -1), so that no file clips; the gain is reported\n"
         "  -f, --format FORMAT    " + FormatNameList() + "\n"
         "                         (default: flac24 for a .flac file name, wav32f for .wav;\n"
         "                         a name with another extension needs it)\n"
         "  -o, --output FILE      the file to write; it appears only when the render succeeds;\n"
         "                         - for standard output (a pipe or a file, not a terminal)\n"
         "      --plot FILE.png    also draw the render: each ear's tones, their beats and the\n"
         "                         level over time, measured from the audio\n"
         "      --no-fade          end the file at full level, for joining files (by default\n"
         "                         its last half second fades to silence, as the player stops)\n"
         + BundleOptionUsage() +
         "      --list-programs    print the plug-in's programmes and exit\n"
         "      --list-params      print the plug-in's parameters and exit\n"
         "  -q, --quiet            no progress bar and no summary\n"
         "  -h, --help             this text\n";
}

}  // namespace spwrender
