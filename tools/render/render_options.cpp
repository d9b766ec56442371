#include "render_options.h"

#include <cmath>
#include <cstring>

#include "clock_time.h"
#include "decimal_number.h"
#include "standard_output.h"

namespace spwrender {
namespace {

using Handler = bool (*)(const std::string& value, RenderOptions* options, std::string* error);

struct OptionRow {
  const char* longName;   // without the leading "--"
  char shortName;         // 0: none
  bool takesValue;
  Handler handler;
};

bool ParseWholeNumber(const std::string& text, long min, long max, int* value) {
  double number = 0.0;
  if (!ReadDecimal(text, &number) || number != std::floor(number) || number < min || number > max) return false;
  *value = static_cast<int>(number);
  return true;
}

bool SetDuration(const std::string& value, RenderOptions* options, std::string* error) {
  double seconds = 0.0;
  if (!ParseClockTime(value, &seconds) || seconds <= 0.0 || seconds > kMaxDurationSeconds) {
    *error = "--duration wants a time above 0 and at most " + FormatClockTime(kMaxDurationSeconds) +
             " (seconds, m:ss or h:mm:ss, e.g. 90 or 1:30), not '" + value + "'";
    return false;
  }
  options->durationSeconds = seconds;
  options->durationGiven = true;
  return true;
}

bool SetRate(const std::string& value, RenderOptions* options, std::string* error) {
  if (!ParseWholeNumber(value, kMinSampleRate, kMaxSampleRate, &options->sampleRate)) {
    *error = "--rate wants a whole number of Hz from " + std::to_string(kMinSampleRate) + " to " +
             std::to_string(kMaxSampleRate) + ", not '" + value + "'";
    return false;
  }
  return true;
}

bool SetBlock(const std::string& value, RenderOptions* options, std::string* error) {
  if (!ParseWholeNumber(value, 1, kMaxBlockSize, &options->blockSize)) {
    *error = "--block wants a whole number of frames from 1 to " + std::to_string(kMaxBlockSize) + ", not '" +
             value + "'";
    return false;
  }
  return true;
}

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
  if (!ParseFormatName(value, &options->format)) {
    *error = "unknown format '" + value + "' (choose one of " + FormatNameList() + ")";
    return false;
  }
  return true;
}

bool AddSetting(const std::string& value, RenderOptions* options, std::string* error) {
  const auto eq = value.find('=');
  if (eq == std::string::npos || eq == 0 || eq + 1 == value.size()) {
    *error = "--set wants NAME=VALUE, e.g. --set \"Binaural=7.83\", not '" + value + "'";
    return false;
  }
  options->settings.emplace_back(value.substr(0, eq), value.substr(eq + 1));
  return true;
}

bool SetProgram(const std::string& value, RenderOptions* options, std::string* error) {
  if (value.empty()) {
    *error = "--program wants a programme number or name (see --list-programs)";
    return false;
  }
  options->program = value;
  return true;
}

bool SetTimeline(const std::string& value, RenderOptions* options, std::string* error) {
  if (value.empty()) {
    *error = "--timeline wants the path of a timeline file";
    return false;
  }
  options->timelinePath = value;
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

bool SetBundle(const std::string& value, RenderOptions* options, std::string* error) {
  if (value.empty()) {
    *error = "--bundle wants the path of a .vst3 bundle";
    return false;
  }
  options->bundlePath = value;
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

bool Quiet(const std::string&, RenderOptions* options, std::string*) {
  options->quiet = true;
  return true;
}

bool Help(const std::string&, RenderOptions* options, std::string*) {
  options->action = RenderAction::kHelp;
  return true;
}

const OptionRow kOptions[] = {
    {"program", 'p', true, SetProgram},   {"set", 's', true, AddSetting},
    {"timeline", 't', true, SetTimeline}, {"duration", 'd', true, SetDuration},
    {"rate", 'r', true, SetRate},
    {"block", 'b', true, SetBlock},       {"normalize", 'n', true, SetNormalize},
    {"format", 'f', true, SetFormat},
    {"output", 'o', true, SetOutput},     {"plot", 0, true, SetPlot},
    {"bundle", 0, true, SetBundle},
    {"list-programs", 0, false, ListPrograms}, {"list-params", 0, false, ListParams},
    {"quiet", 'q', false, Quiet},         {"help", 'h', false, Help},
};

// Finds the option an argument names: "--name", "--name=value" or "-x". *inlineValue
// receives the text after '=' of the long form.
const OptionRow* FindOption(const std::string& arg, std::string* inlineValue, bool* hasInline) {
  *hasInline = false;
  if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
    std::string name = arg.substr(2);
    const auto eq = name.find('=');
    if (eq != std::string::npos) {
      *inlineValue = name.substr(eq + 1);
      *hasInline = true;
      name.resize(eq);
    }
    for (const OptionRow& row : kOptions) {
      if (name == row.longName) return &row;
    }
  } else if (arg.size() == 2 && arg[0] == '-') {
    for (const OptionRow& row : kOptions) {
      if (row.shortName != 0 && arg[1] == row.shortName) return &row;
    }
  }
  return nullptr;
}

// Checks what only the whole command line can tell.
bool CheckCombination(RenderOptions* options, bool formatGiven, std::string* error) {
  if (options->action != RenderAction::kRender) return true;
  if (options->outputPath.empty()) {
    *error = "no output file: give one with -o FILE (see --help)";
    return false;
  }
  if (!formatGiven) {
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
  bool formatGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    std::string value;
    bool hasInline = false;
    const OptionRow* row = FindOption(arg, &value, &hasInline);
    if (row == nullptr) {
      *error = "unknown option '" + arg + "' (see --help)";
      return false;
    }
    if (row->takesValue && !hasInline) {
      if (i + 1 >= argc) {
        *error = "option --" + std::string(row->longName) + " needs a value";
        return false;
      }
      value = argv[++i];
    } else if (!row->takesValue && hasInline) {
      *error = "option --" + std::string(row->longName) + " takes no value";
      return false;
    }
    if (!row->handler(value, options, error)) return false;
    if (row->handler == SetFormat) formatGiven = true;
    if (options->action == RenderAction::kHelp) return true;
  }
  return CheckCombination(options, formatGiven, error);
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
         "      --bundle PATH      the stereoPulseWeaver.vst3 bundle (default: the one built with\n"
         "                         this program)\n"
         "      --list-programs    print the plug-in's programmes and exit\n"
         "      --list-params      print the plug-in's parameters and exit\n"
         "  -q, --quiet            no progress bar and no summary\n"
         "  -h, --help             this text\n";
}

}  // namespace spwrender
