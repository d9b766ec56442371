#include "play_command.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "audio_output.h"
#include "chosen_settings.h"
#include "edit_handler.h"
#include "edit_queue.h"
#include "host_window.h"
#include "attached_view.h"
#include "default_bundle.h"
#include "live_automation.h"
#include "parameter_table.h"
#include "play_options.h"
#include "player_engine.h"
#include "program_bar.h"
#include "program_list.h"
#include "program_values.h"
#include "same_file.h"
#include "saved_state.h"
#include "session_setup.h"
#include "sound_library_messages.h"
#include "start_settings.h"
#include "status_line.h"
#include "stop_signals.h"
#include "vst3_host.h"

#ifdef _WIN32
#include <io.h>
#define SPW_ISATTY _isatty
#define SPW_FILENO _fileno
#else
#include <unistd.h>
#define SPW_ISATTY isatty
#define SPW_FILENO fileno
#endif

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

namespace spwplay {
namespace {

using spwrender::AutomationEvent;
using spwrender::Fail;
using spwrender::kExitBadArguments;
using spwrender::kExitFailed;
using spwrender::kExitOk;
using spwrender::ToolMessages;
using Clock = std::chrono::steady_clock;

constexpr int kLoopMs = 20;              // the window's event loop between looks at the rest
constexpr auto kStatusPeriod = std::chrono::milliseconds(250);
constexpr auto kFadeWait = std::chrono::seconds(3);  // far beyond the fade: a stuck output does not hang us
constexpr auto kSilentDevice = std::chrono::seconds(3);  // no callback for this long: the output is gone
constexpr auto kFirstCallback = std::chrono::seconds(2);
constexpr double kPeakFloorDbfs = -200.0;
#ifdef _WIN32
constexpr char kNoSettingsFolder[] = "no settings folder (APPDATA is not set)";
#else
constexpr char kNoSettingsFolder[] = "no settings folder (neither XDG_CONFIG_HOME nor HOME is set)";
#endif

// What plays after the start-up settings: the timeline, its programmes' values, the end.
struct Session {
  std::vector<AutomationEvent> events;
  std::vector<std::vector<double>> programValues;
  int64_t totalFrames = PlayerEngine::kEndless;
};

// Restores the remembered state; a damaged file is reported, moved aside and the defaults used.
void RestoreState(const ToolMessages& io, spwhost::Plugin& plugin, const std::string& path) {
  PluginState state;
  std::string reason;
  ReadResult result = ReadStateFile(path, &state, &reason);
  if (result == ReadResult::kRead && (!plugin.SetState(state.component) ||
                                      !plugin.SetComponentStateOnController(state.component) ||
                                      (!state.controller.empty() && !plugin.SetControllerState(state.controller)))) {
    reason = "is refused by the plug-in";
    result = ReadResult::kDamaged;
  }
  if (result != ReadResult::kDamaged) return;
  const std::string aside = MoveAside(path);
  std::fprintf(io.err, "%s: the remembered settings '%s' %s: %s; starting from the defaults\n", io.tool,
               path.c_str(), reason.c_str(), aside.empty() ? "could not be moved aside" : ("moved to '" + aside + "'").c_str());
}

// The remembered settings' component state when they read whole, else the plug-in's now.
std::vector<uint8_t> RememberedOrNow(spwhost::Plugin& plugin, const std::string& path) {
  PluginState state;
  std::string reason;
  if (path.empty() || ReadStateFile(path, &state, &reason) != ReadResult::kRead) plugin.GetState(&state.component);
  return state.component;
}

bool SaveState(spwhost::Plugin& plugin, const std::string& path, std::string* error) {
  PluginState state;
  if (!plugin.GetState(&state.component)) {
    *error = "the plug-in does not give its state";
    return false;
  }
  plugin.GetControllerState(&state.controller);
  return WriteStateFile(path, state, error);
}

// The programmes' values of the session, read from an instance of the plug-in's own.
bool ReadSessionProgramValues(spwhost::Module& module, const ParameterTable& table, Session* session,
                              std::string* error) {
  const auto& events = session->events;
  if (std::none_of(events.begin(), events.end(), [](const AutomationEvent& e) { return e.selectsProgram; })) return true;
  std::unique_ptr<spwhost::Plugin> scratch = module.CreatePlugin(error);
  return scratch && scratch->Initialize(error, "spw_play") &&
         ReadProgramValues(*scratch, table, events, &session->programValues, error);
}

// The rate to play at: --rate when the device takes it, else the device's own (said in one line).
unsigned ChooseRate(const ToolMessages& io, const OutputDevice& device, const PlayOptions& options) {
  const unsigned own = device.preferredRate ? device.preferredRate
                       : device.rates.empty() ? 48000u
                                              : device.rates.back();
  if (!options.rateGiven) return own;
  const unsigned asked = unsigned(options.sampleRate);
  for (unsigned rate : device.rates) {
    if (rate == asked) return asked;
  }
  if (device.rates.empty()) return asked;
  std::fprintf(io.err, "%s: the device '%s' cannot play at %u Hz: playing at its own rate, %u Hz\n", io.tool,
               device.name.c_str(), asked, own);
  return own;
}

void RenderAudio(void* user, float* left, float* right, int frames, bool underrun) {
  auto* engine = static_cast<PlayerEngine*>(user);
  if (underrun) engine->CountUnderrun();
  engine->Render(left, right, frames);
}

double Dbfs(float level) { return level > 0.0f ? 20.0 * std::log10(double(level)) : kPeakFloorDbfs; }

// Everything that plays, in the order it is made and, reversed, let go of.
struct Player {
  const ToolMessages& io;
  const PlayOptions& options;
  spwhost::Plugin& plugin;
  std::unique_ptr<ParameterTable> table;
  EditQueue edits;
  std::unique_ptr<EditHandler> handler;
  std::unique_ptr<LiveAutomation> automation;
  std::unique_ptr<PlayerEngine> engine;
  std::unique_ptr<AudioOutput> audio = std::make_unique<AudioOutput>();
  ProgramList programmes;            // what the window's bar offers
  std::unique_ptr<ProgramBar> bar;  // outlives the window, which shows it
  std::unique_ptr<spwwin::HostWindow> window;
  spwwin::AttachedView view;
  bool lost = false;

  Player(const ToolMessages& messages, const PlayOptions& opts, spwhost::Plugin& p)
      : io(messages), options(opts), plugin(p) {}
  ~Player() {
    view.Close();
    window.reset();
    plugin.Controller()->setComponentHandler(nullptr);
  }

  void Wait(int ms) {
    if (window) {
      window->Pump(ms);
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
  }

  // The session's current event, "" when none.
  std::string EventLabel() const {
    if (!automation || automation->CurrentEvent() < 0) return std::string();
    return automation->Events()[size_t(automation->CurrentEvent())].label;
  }

  // The bar shows what plays now: a session's programme or event may have changed it.
  void ShowOnBar() {
    if (bar && bar->Show(programmes.Playing(*table), EventLabel())) window->RedrawStrip();
  }

  // A programme chosen in the bar goes to the plug-in as a host's programme change
  // does (through the edit queue, as the editor's edits go), and is the person's choice.
  void Choose(int programme) {
    const spwrender::ParameterChange change = programmes.Selection(programme);
    handler->performEdit(change.id, change.normalized);
  }

  StatusFigures Figures() {
    StatusFigures figures;
    figures.elapsedSeconds = double(engine->Frame()) / engine->SampleRate();
    if (engine->TotalFrames() != PlayerEngine::kEndless) {
      figures.totalSeconds = double(engine->TotalFrames()) / engine->SampleRate();
    }
    figures.event = EventLabel();
    figures.peakDbfs = Dbfs(engine->TakePeak());
    figures.limitingDb = Dbfs(engine->TakeLowestGain());
    return figures;
  }

  // The output asks for its first block within a moment.
  bool Sounding() {
    const Clock::time_point deadline = Clock::now() + kFirstCallback;
    while (engine->Frame() == 0 && !audio->Lost() && Clock::now() < deadline) Wait(kLoopMs);
    return engine->Frame() > 0;
  }

  bool StopAsked() { return StopRequested() || (window && window->CloseRequested()) || engine->Faded(); }

  // The output went away, or stopped asking for sound without a word.
  bool OutputLost(int64_t* lastFrame, Clock::time_point* lastMove) {
    const int64_t frame = engine->Frame();
    if (frame != *lastFrame) {
      *lastFrame = frame;
      *lastMove = Clock::now();
    }
    return audio->Lost() || Clock::now() - *lastMove > kSilentDevice;
  }

  // Plays until asked to stop or the session ends, then fades out; a second request ends the fade at once.
  void Run(StatusLine& status) {
    Clock::time_point shown = Clock::now(), moved = Clock::now();
    int64_t frame = -1;
    while (!StopAsked()) {
      Wait(kLoopMs);
      ShowOnBar();
      if ((lost = OutputLost(&frame, &moved))) return;
      if (Clock::now() - shown >= kStatusPeriod) {
        status.Show(Figures());
        shown = Clock::now();
      }
    }
    engine->RequestFade();
    const Clock::time_point deadline = Clock::now() + kFadeWait;
    while (!engine->Faded() && !StopUrgent() && Clock::now() < deadline && !(lost = OutputLost(&frame, &moved))) {
      Wait(kLoopMs);
    }
  }

  // Ends the output, then hands the plug-in what the editor did in the last moment
  // (a click the window had not yet passed on, an edit the faded callback left in
  // the queue), so that it is saved. False when the output would not end: the
  // plug-in may still be playing, and only the save is safe.
  bool End() {
    if (window) window->Pump(0);
    const AudioOutput::Ending ending = lost           ? AudioOutput::Ending::kGone
                                       : StopUrgent() ? AudioOutput::Ending::kAtOnce
                                                      : AudioOutput::Ending::kDrain;
    if (!audio->End(ending, StopUrgent)) return false;
    engine->ApplyQueuedEdits();
    engine->Stop();
    return true;
  }
};

// The editor's window, at the desktop's scale where one is set, as a host tells a view before it opens.
bool OpenWindow(Player& player, std::string* error) {
  if (!player.view.Create(player.plugin.Controller(), error)) return false;
  int width = 0, height = 0;
  if (!player.view.Size(&width, &height)) {
    *error = "the editor does not say its size";
    return false;
  }
  player.window = spwwin::HostWindow::Create(width, height, "stereoPulseWeaver", error);
  if (!player.window) return false;
  const double scale = player.window->DesktopScale();
  Steinberg::FUnknownPtr<Steinberg::IPlugViewContentScaleSupport> scaling(player.view.View());
  if (scale > 0.0 && scaling && scaling->setContentScaleFactor(static_cast<float>(scale)) == Steinberg::kResultOk &&
      player.view.Size(&width, &height)) {
    player.window->Resize(width, height);
  }
  if (!player.programmes.Empty()) {
    player.bar = std::make_unique<ProgramBar>(player.programmes.Names(), [&player](int n) { player.Choose(n); });
    player.bar->Show(player.programmes.Playing(*player.table), player.EventLabel());
    player.window->ShowStrip(player.bar.get(), player.view.View());
  }
  return player.view.Attach(player.window->Frame(), player.window->ParentHandle(), player.window->PlatformType(), error);
}

// For the window's bar: the programmes, and which of them the remembered settings are.
bool ReadProgrammes(Player& player, spwhost::Module& module, std::string* error) {
  if (!player.programmes.Read(module, player.plugin, *player.table, error)) return false;
  if (player.options.program.empty() && player.options.timelinePath.empty()) {
    player.programmes.FindRestored(player.plugin, *player.table);
  }
  const ProgramList& programmes = player.programmes;
  if (!programmes.Empty()) player.engine->FollowProgrammes(programmes.ParameterId(), &programmes.Values());
  return true;
}

// Prepares the session at rate and opens the output. Returns the exit status.
int Prepare(Player& player, spwhost::Module& module, const OutputDevice& device, unsigned rate) {
  const ToolMessages& io = player.io;
  Session session;
  double seconds = player.options.durationSeconds;
  if (!player.options.timelinePath.empty()) {
    const int status = spwrender::LoadTimeline(io, player.plugin, player.options, int(rate), &session.events, &seconds,
                                               "played");
    if (status != kExitOk) return status;
  }
  if (player.options.durationGiven || !player.options.timelinePath.empty()) {
    session.totalFrames = std::max<int64_t>(1, std::llround(seconds * rate));
  }
  player.table = std::make_unique<ParameterTable>(player.plugin);
  std::string error;
  if (!ReadSessionProgramValues(module, *player.table, &session, &error)) return Fail(io, kExitFailed, error);
  if (!session.events.empty()) {
    player.automation = std::make_unique<LiveAutomation>(std::move(session.events), std::move(session.programValues),
                                                         *player.table, std::max(1, int(rate) / spwrender::kSlidePointsPerSecond));
  }
  player.handler = std::make_unique<EditHandler>(*player.table, player.edits);
  player.plugin.Controller()->setComponentHandler(player.handler.get());
  player.engine = std::make_unique<PlayerEngine>(player.plugin, *player.table, player.edits, player.automation.get(),
                                                 session.totalFrames);
  if (!player.options.noWindow && !ReadProgrammes(player, module, &error)) return Fail(io, kExitFailed, error);
  // A device that asks for longer blocks gets them in pieces of this size.
  if (!player.engine->Start(int(rate), player.options.blockSize, &error)) return Fail(io, kExitFailed, error);
  if (!player.options.noWindow && !OpenWindow(player, &error)) return Fail(io, kExitFailed, error);
  return kExitOk;
}

bool OpenOutput(Player& player, const OutputDevice& device, unsigned rate, std::string* error) {
  unsigned block = unsigned(player.options.blockSize);
  if (!player.audio->Open(device, rate, &block, RenderAudio, player.engine.get(), error) || !player.audio->Start(error)) {
    return false;
  }
  if (!player.options.quiet) {
    std::fprintf(player.io.err, "%s: playing through '%s' (%s) at %u Hz\n", player.io.tool, device.name.c_str(),
                 player.audio->SystemName().c_str(), rate);
  }
  return true;
}

// What a started output that plays nothing said for itself.
std::string SilenceText(const AudioOutput& audio, const std::string& device) {
  const std::string why = audio.FailureText();
  return "the sound output '" + device + "' (" + audio.SystemName() + ") " +
         (why.empty() ? "asks for no sound" : "fails: " + why);
}

// Opens and starts the output; one that plays nothing (WASAPI under wine) gives
// way to the fallback's device of the same name, else its default, on a stream of
// its own. Returns the exit status.
int StartOutput(Player& player, const OutputDevice& device, unsigned rate) {
  const ToolMessages& io = player.io;
  std::string error;
  if (!OpenOutput(player, device, rate, &error)) return Fail(io, kExitFailed, error);
  if (player.Sounding()) return kExitOk;
  const std::string silence = SilenceText(*player.audio, device.name);
  player.audio->Close();
  if (!AudioOutput::HasFallback()) return Fail(io, kExitFailed, silence);
  player.audio = std::make_unique<AudioOutput>(/*fallback=*/true);
  OutputDevice other;
  if (!player.audio->Find(device.name, &other) && !player.audio->Find("", &other)) {
    return Fail(io, kExitFailed, silence + ", and " + player.audio->SystemName() + " has no output");
  }
  std::fprintf(io.err, "%s: %s; trying %s\n", io.tool, silence.c_str(), player.audio->SystemName().c_str());
  if (!OpenOutput(player, other, rate, &error)) return Fail(io, kExitFailed, error);
  if (!player.Sounding()) return Fail(io, kExitFailed, SilenceText(*player.audio, other.name));
  return kExitOk;
}

// Saves the settings and says in one line what was played. Returns the exit status.
// keptBase: for a session run, the settings what is kept starts from (empty otherwise).
int SaveAndSay(Player& player, const std::string& statePath, const std::vector<uint8_t>& keptBase) {
  const ToolMessages& io = player.io;
  std::string error;
  const bool saved =
      !statePath.empty() &&
      (keptBase.empty() ||
       ReturnToChoices(io, player.plugin, keptBase, player.options, player.handler->ByHand(), &error)) &&
      SaveState(player.plugin, statePath, &error);
  if (player.lost) {
    const std::string why = player.audio ? player.audio->FailureText() : std::string();
    return Fail(io, kExitFailed, "the sound output went away while playing" + (why.empty() ? "" : " (" + why + ")") +
                                     (saved ? "; the settings are saved" : ""));
  }
  const uint64_t underruns = player.engine->Underruns(), dropped = player.edits.Dropped();
  if (!player.options.quiet || underruns > 0 || dropped > 0) {
    const double played = double(player.engine->Frame()) / player.engine->SampleRate();
    std::string line = "played " + ClockText(std::round(played)) + "; " + Counted(underruns, "underrun");
    if (dropped > 0) line += "; " + Counted(dropped, "edit") + " lost (the sound fell behind)";
    if (saved) line += "; settings saved in " + statePath;
    std::fprintf(io.err, "%s: %s\n", io.tool, line.c_str());
  }
  if (!saved && !statePath.empty()) return Fail(io, kExitFailed, "the settings were not saved: " + error);
  return kExitOk;
}

int Play(const ToolMessages& io, spwhost::Module& module, spwhost::Plugin& plugin, const PlayOptions& options) {
  Player player(io, options, plugin);
  OutputDevice device;
  if (player.audio->Devices().empty()) {
    return Fail(io, kExitFailed, "no sound output device: no sound server (PulseAudio, PipeWire, JACK) or sound card "
                                 "answers");
  }
  if (!player.audio->Find(options.device, &device)) {
    std::fprintf(io.err, "%s: error: no sound output '%s'; the outputs (%s) are:\n", io.tool, options.device.c_str(),
                 player.audio->SystemName().c_str());
    player.audio->PrintDevices(io.err);
    return kExitBadArguments;
  }
  const unsigned rate = ChooseRate(io, device, options);
  const std::string folder = SettingsFolder();
  const std::string statePath = folder.empty() ? std::string() : StateFilePath(folder);
  if (statePath.empty()) std::fprintf(io.err, "%s: %s: the settings will not be kept\n", io.tool, kNoSettingsFolder);
  if (options.program.empty() && options.timelinePath.empty() && !statePath.empty()) RestoreState(io, plugin, statePath);
  // A session plays from the defaults, as rendered; what it keeps starts from the remembered settings.
  std::vector<uint8_t> keptBase;
  if (!options.timelinePath.empty()) keptBase = RememberedOrNow(plugin, statePath);
  std::string error;
  if (!ApplyStartSettings(io, plugin, options, &error)) return Fail(io, kExitBadArguments, error);
  const int prepared = Prepare(player, module, device, rate);
  if (prepared != kExitOk) return prepared;
  CatchStopSignals();
  const int started = StartOutput(player, device, rate);
  if (started != kExitOk) return started;
  CatchStopSignals();  // again: a JACK client blocks SIGPIPE on the thread that opens it
  StatusLine status(io.err, !options.quiet && SPW_ISATTY(SPW_FILENO(io.err)));
  bool ended = false;
  {
    const SilencedCerr quiet;  // the player says what happened in its own one line
    player.Run(status);
    status.Finish();
    ended = player.End();
  }
  const int exitStatus = SaveAndSay(player, statePath, keptBase);
  ReportStopped();
  if (!ended) {
    // The output's own threads may still be inside the plug-in: nothing may be
    // unloaded under them. The settings are saved; the process ends here.
    std::fflush(nullptr);
    std::_Exit(exitStatus);
  }
  return exitStatus;
}

// The remembered settings are written when the player stops: never over the
// timeline or into the bundle it reads, whatever links lead there.
bool CheckSettingsFileApart(const PlayOptions& options, std::string* error) {
  const std::string folder = SettingsFolder();
  if (folder.empty()) return true;
  const std::string bundle = options.bundlePath.empty() ? spwrender::DefaultBundlePath() : options.bundlePath;
  if (spwhost::CheckDistinctFiles({{"the remembered settings", StateFilePath(folder)},
                                   {"the timeline", options.timelinePath},
                                   {"the bundle", bundle, true}},
                                  error)) {
    return true;
  }
  *error += "; nothing was played or written";
  return false;
}

int Run(const ToolMessages& io, spwhost::Module& module, spwhost::Plugin& plugin, const PlayOptions& options) {
  switch (options.action) {
    case PlayAction::kListPrograms:
      return spwrender::ListPrograms(io, plugin);
    case PlayAction::kListParams:
      return spwrender::ListParams(io, plugin);
    default:
      return Play(io, module, plugin, options);
  }
}

}  // namespace

int RunPlayCommand(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
  const ToolMessages io{"spw_play", out, err};
  PlayOptions options;
  std::string error;
  if (!ParsePlayOptions(argc, argv, &options, &error)) return Fail(io, kExitBadArguments, error);
  if (options.action == PlayAction::kHelp) {
    std::fputs(PlayUsage().c_str(), io.out);
    return kExitOk;
  }
  if (options.action == PlayAction::kListDevices) {
    AudioOutput audio;
    if (audio.Devices().empty()) return Fail(io, kExitFailed, "no sound output device");
    audio.PrintDevices(io.out);
    return kExitOk;
  }
  if (!CheckSettingsFileApart(options, &error)) return Fail(io, kExitBadArguments, error);
  const std::string folder = SettingsFolder();
  if (!folder.empty() && !CheckStatePath(StateFilePath(folder), &error)) {
    return Fail(io, kExitFailed, error + "; nothing was played");
  }
  std::unique_ptr<spwhost::Module> module;
  std::unique_ptr<spwhost::Plugin> plugin;  // declared after the module, so destroyed before it
  const int loaded = spwrender::LoadBundle(io, options.bundlePath, options.verbose, &module, &plugin);
  if (loaded != kExitOk) return loaded;
  return Run(io, *module, *plugin, options);
}

}  // namespace spwplay
