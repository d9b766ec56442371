#include "play_options.h"

#include "command_line.h"

namespace spwplay {
namespace {

using spwrender::Shared;

bool SetDevice(const std::string& value, PlayOptions* options, std::string* error) {
  if (value.empty()) {
    *error = "--device wants a device number or name (see --list-devices)";
    return false;
  }
  options->device = value;
  return true;
}

template <PlayAction kAction>
bool SetAction(const std::string&, PlayOptions* options, std::string*) {
  options->action = kAction;
  return true;
}

bool NoWindow(const std::string&, PlayOptions* options, std::string*) {
  options->noWindow = true;
  return true;
}

const spwrender::OptionRow<PlayOptions> kOptions[] = {
    {"program", 'p', true, Shared<PlayOptions, spwrender::SetProgramOption>},
    {"set", 's', true, Shared<PlayOptions, spwrender::AddSettingOption>},
    {"timeline", 't', true, Shared<PlayOptions, spwrender::SetTimelineOption>},
    {"duration", 'd', true, Shared<PlayOptions, spwrender::SetDurationOption>},
    {"device", 0, true, SetDevice},
    {"list-devices", 0, false, SetAction<PlayAction::kListDevices>},
    {"rate", 'r', true, Shared<PlayOptions, spwrender::SetRateOption>},
    {"block", 'b', true, Shared<PlayOptions, spwrender::SetBlockOption>},
    {"no-window", 0, false, NoWindow},
    {"bundle", 0, true, Shared<PlayOptions, spwrender::SetBundleOption>},
    {"list-programs", 0, false, SetAction<PlayAction::kListPrograms>},
    {"list-params", 0, false, SetAction<PlayAction::kListParams>},
    {"quiet", 'q', false, Shared<PlayOptions, spwrender::SetQuietOption>},
    {"verbose", 'v', false, Shared<PlayOptions, spwrender::SetVerboseOption>},
    {"help", 'h', false, SetAction<PlayAction::kHelp>},
};

bool AsksForHelp(const PlayOptions& options) { return options.action == PlayAction::kHelp; }

}  // namespace

bool ParsePlayOptions(int argc, const char* const* argv, PlayOptions* options, std::string* error) {
  *options = PlayOptions();
  return spwrender::ParseOptionTable(argc, argv, kOptions, options, AsksForHelp, error);
}

std::string PlayUsage() {
  return "usage: spw_play [options]\n"
         "Plays stereoPulseWeaver live through the computer's sound output, with its editor in a\n"
         "window, loaded from its VST 3 bundle. Stop with the window's close button or Ctrl-C: the\n"
         "sound fades out, and the settings are remembered for the next start.\n"
         "\n"
         "  -p, --program N|NAME   factory programme by number or exact name (see --list-programs)\n"
         "  -s, --set NAME=VALUE   set a parameter by its name, in its own units or by one of its\n"
         "                         value texts, e.g. --set \"Binaural=7.83\"; repeatable\n"
         "  -t, --timeline FILE    play a session: timed programme changes, settings and slides\n"
         "                         (see the README); it stops at the session's end\n"
         "  -d, --duration TIME    a sleep timer: stop after TIME (seconds, m:ss or h:mm:ss)\n"
         "      --device N|NAME    the sound output (see --list-devices; default: the system's)\n"
         "      --list-devices     print the sound outputs and exit\n"
         "  -r, --rate HZ          sample rate (default: the device's own)\n"
         "  -b, --block FRAMES     frames per audio callback (default 256)\n"
         "      --no-window        play without the editor's window (terminal only)\n"
         + spwrender::BundleOptionUsage() +
         "      --list-programs    print the plug-in's programmes and exit\n"
         "      --list-params      print the plug-in's parameters and exit\n"
         "  -q, --quiet            no status line and no summary\n"
         "  -h, --help             this text\n"
         "\n"
         "Without --program or --timeline it starts with the settings it had when it last stopped.\n";
}

}  // namespace spwplay
