// The whole spw_render command against the built bundle: refusals of bad input,
// the listings, and renders checked by ear frequency, length and level.

#include <gtest/gtest.h>
#include <pluginterfaces/vst/ivsteditcontroller.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "audio_readback.h"
#include "command_run.h"
#include "host_path.h"
#include "loaded_plugin.h"
#include "render_command.h"
#include "temp_folder.h"
#include "test_bundle.h"
#include "level.h"
#include "spectrum.h"

#ifndef _WIN32
#include <signal.h>
#include <spawn.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#endif

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#endif

namespace spwrender {
namespace {

bool IsOneErrorLine(const std::string& text) {
  return text.rfind("spw_render: error: ", 0) == 0 && text.find('\n') == text.size() - 1;
}

bool IsOneWarningLine(const std::string& text) {
  return text.rfind("spw_render: warning: ", 0) == 0 && text.find('\n') == text.size() - 1;
}

// Runs args and expects a refusal with status: one error line that mentions reason.
CommandResult ExpectRefused(const std::vector<std::string>& args, int status, const std::string& reason) {
  const CommandResult result = RunCommand(args);
  EXPECT_EQ(result.status, status) << Joined(args);
  EXPECT_TRUE(IsOneErrorLine(result.err)) << Joined(args) << "-> " << result.err;
  EXPECT_NE(result.err.find(reason), std::string::npos) << Joined(args) << "-> " << result.err;
  return result;
}

// A loud render at 8 kHz: "Brownian noise" levels a single carrier slot at 20 Hz
// (grid cell 1 here) far above full scale.
std::vector<std::string> LoudRender(std::vector<std::string> more) {
  std::vector<std::string> args = {"--bundle", TestBundle(), "-p", "Binaural - 10.0 (Manipura chakra)",
                                   "-s", "Slot 1=1", "-s", "Freq Equalizer=Brownian noise", "-s", "Volume=100",
                                   "-d", "3", "-r", "8000"};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Keeps a render next to the test log when a check on it failed.
void KeepOnFailure(const std::string& path, const std::string& name) {
  if (!::testing::Test::HasFailure()) return;
  std::error_code ec;
  std::filesystem::copy_file(path, name, std::filesystem::copy_options::overwrite_existing, ec);
  std::printf("the render is kept as %s\n", name.c_str());
}

// A folder laid out like a bundle whose binary is not a loadable library.
std::string MakeBrokenBundle(const TempFolder& folder) {
#ifdef _WIN32
  const std::string binary = "broken.vst3/Contents/x86_64-win/broken.vst3";
#else
  const std::string binary = "broken.vst3/Contents/x86_64-linux/broken.so";
#endif
  std::filesystem::create_directories(std::filesystem::path(folder.File(binary)).parent_path());
  std::ofstream(folder.File(binary)) << "not a library";
  return folder.File("broken.vst3");
}

// Bad input gives one error line, leaves no file and an older render as it was.
TEST(RenderCommand, BadInputGivesOneErrorLineAndNoFile) {
  TempFolder folder;
  const std::string broken = MakeBrokenBundle(folder);
  const std::string out = folder.File("out.wav"), older = folder.File("older.wav");
  std::ofstream(older) << "an older render";
  const std::string bundle = TestBundle();
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* reasonContains;
  };
  const Case cases[] = {
      {{"--bundle", bundle, "-o", out, "--duration", "-1"}, kExitBadArguments, "--duration"},
      {{"--bundle", bundle, "-o", out, "-p", "No Such Programme"}, kExitBadArguments, "No Such Programme"},
      {{"--bundle", bundle, "-o", out, "-s", "Binaural=99999"}, kExitBadArguments, "out of range"},
      {{"--bundle", bundle, "-o", out, "-s", "Binaural=0x10"}, kExitBadArguments, "not a value of Binaural"},
      {{"--bundle", bundle, "-o", folder.File("missing/out.wav")}, kExitFailed, "missing"},
      {{"--bundle", bundle, "-o", folder.File("")}, kExitFailed, "folder"},
      {{"--bundle", folder.File("missing.vst3"), "-o", out}, kExitFailed, "missing.vst3"},
      {{"--bundle", broken, "-o", out}, kExitFailed, "broken.vst3"},
      {{"--bundle", broken, "--list-programs"}, kExitFailed, "broken.vst3"},
      {{"--bundle", bundle, "-o", older, "-s", "Volume=loud"}, kExitBadArguments, "Volume"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExpectRefused(c.args, c.status, c.reasonContains).out, "") << Joined(c.args);
    std::vector<std::string> entries = folder.Entries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"broken.vst3", "older.wav"})) << Joined(c.args) << ": no file left";
    EXPECT_EQ(ReadWhole(older), "an older render") << Joined(c.args);
  }
}

// Paths beyond ASCII, as a user's folder name has them: on Windows they arrive in the
// active code page, and the bundle, the file and its temporary must all be found by them.
TEST(RenderCommand, PathsBeyondAsciiWork) {
  namespace fs = std::filesystem;
  TempFolder folder;
  const fs::path base = spwhost::NativePath(folder.File("")) / fs::u8path("J\xc3\xbcrgen \xe2\x82\xac");  // Jürgen €
  const fs::path file = base / fs::u8path("T\xc3\xb6ne \xe2\x82\xac.wav");  // Töne €.wav
  const fs::path bundle = base / spwhost::NativePath(TestBundle()).filename();
  if (spwhost::NativePath(spwhost::NarrowPath(file)) != file) GTEST_SKIP() << "the code page lacks ü or €";
  fs::create_directories(base);
  fs::copy(spwhost::NativePath(TestBundle()), bundle, fs::copy_options::recursive);

  const CommandResult result = RunCommand(
      {"--bundle", spwhost::NarrowPath(bundle), "-d", "0.5", "-o", spwhost::NarrowPath(file), "-q"});
  EXPECT_EQ(result.status, kExitOk) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_TRUE(fs::is_regular_file(file));
  EXPECT_EQ(std::distance(fs::directory_iterator(base), fs::directory_iterator()), 2) << "no temporary file left";
}

#ifdef _WIN32
// A library Windows refuses to load is explained in the system's words, not by a
// bare error number.
TEST(RenderCommand, ABrokenBundleIsExplainedInTheSystemsWords) {
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 ERROR_BAD_EXE_FORMAT, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  ASSERT_NE(text, nullptr);
  std::string words(text);
  LocalFree(text);
  // Its first line, and of that the longer side of a file name insert ("%1").
  words.erase(std::min(words.find_first_of("\r\n"), words.size()));
  const size_t insert = words.find("%1");
  if (insert != std::string::npos) {
    words = insert >= words.size() - insert - 2 ? words.substr(0, insert) : words.substr(insert + 2);
  }
  words.erase(0, words.find_first_not_of(' '));
  words.erase(words.find_last_not_of(" .") + 1);
  ASSERT_FALSE(words.empty());

  TempFolder folder;
  ExpectRefused({"--bundle", MakeBrokenBundle(folder), "--list-programs"}, kExitFailed, words);
}
#endif

// An output that would land on an input or on the other output is refused before
// anything is written, by whatever name it is reached; the user's files stay as they were.
TEST(RenderCommand, NothingTheUserHasIsOverwritten) {
  TempFolder folder;
  const std::string session = folder.File("session.txt"), picture = folder.File("same.png");
  const std::string bundleCopy = folder.File("copy.vst3");
  std::ofstream(session, std::ios::binary) << "0 program 1\n0:01 end\n";
  std::ofstream(picture, std::ios::binary) << "the user's picture";
  std::filesystem::copy(TestBundle(), bundleCopy, std::filesystem::copy_options::recursive);
  // As it is where no relative path leads there (on Windows, another drive).
  std::string relativeSession = std::filesystem::relative(session, std::filesystem::current_path()).string();
  if (relativeSession.empty()) relativeSession = session;
  struct Case {
    std::vector<std::string> args;
    const char* reasonContains;
  } cases[] = {
      {{"-o", picture, "--format", "wav16", "--plot", picture}, "the output"},
      {{"--timeline", session, "-o", session, "--format", "wav16"}, "the timeline"},
      {{"--timeline", relativeSession, "-o", session, "--format", "wav16"}, "the timeline"},
      {{"--timeline", session, "-o", folder.File("sub/../session.txt"), "--format", "wav16"}, "the timeline"},
      {{"-o", folder.File("a.wav"), "--plot", picture, "--timeline", picture}, "the plot"},
      {{"--bundle", bundleCopy, "-o", bundleCopy + "/Contents/new.wav"}, "lies inside the bundle"},
#ifndef _WIN32
      {{"--timeline", session, "-o", folder.File("link.wav"), "--format", "wav16"}, "the timeline"},
#endif
  };
#ifndef _WIN32
  std::filesystem::create_symlink(session, folder.File("link.wav"));
#endif
  std::filesystem::create_directory(folder.File("sub"));
  const std::vector<std::string> before = folder.Entries();
  for (Case& c : cases) {
    if (c.args[0] != "--bundle") c.args.insert(c.args.begin(), {"--bundle", TestBundle()});
    const std::string line = Joined(c.args);
    const CommandResult result = ExpectRefused(c.args, kExitBadArguments, c.reasonContains);
    EXPECT_NE(result.err.find("nothing was written"), std::string::npos) << line << "-> " << result.err;
    EXPECT_EQ(ReadWhole(session), "0 program 1\n0:01 end\n") << line;
    EXPECT_EQ(ReadWhole(picture), "the user's picture") << line;
    EXPECT_EQ(folder.Entries(), before) << line;
  }
}

// Slots 157 to 159 hold no programme: selecting one changes nothing, which is said.
TEST(RenderCommand, AnEmptyProgrammeSlotIsSaidToBeEmpty) {
  TempFolder folder;
  const std::string warning =
      "spw_render: warning: programme 157 is an empty slot: it holds no settings and selecting it changes none\n";
  for (const std::string programme : {"156", "157"}) {
    const CommandResult result =
        RunCommand({"--bundle", TestBundle(), "-p", programme, "-d", "0.1", "-q", "-o", folder.File("out.wav")});
    EXPECT_EQ(result.status, kExitOk) << result.err;
    EXPECT_EQ(result.err, programme == "157" ? warning : "");
  }
}

#ifndef _WIN32
// The renderer itself, started as a shell would start it, with the given signal at
// its default action.
pid_t StartRenderer(const std::vector<std::string>& args, int sig) {
  std::vector<std::string> all = {ExecutableFolder() + SPW_TEST_RENDERER};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : all) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, sig);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], nullptr, &attributes, argv.data(), environ) != 0) pid = -1;
  posix_spawnattr_destroy(&attributes);
  return pid;
}

// Waits for the process to end, at most a while; -1 when it would not.
int WaitForEnd(pid_t pid) {
  for (int tries = 0; tries < 2000; ++tries) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return status;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return -1;
}

// "-o -" sends the finished file down standard output, as into any pipe; no file
// named "-" appears.
TEST(RenderCommand, ADashWritesTheAudioToStandardOutput) {
  TempFolder folder;
  const std::string command = "cd '" + folder.File("") + "' && '" + ExecutableFolder() + SPW_TEST_RENDERER +
                              "' --bundle '" + TestBundle() + "' -d 0.25 -q -o - --format wav16";
  std::FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string bytes;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) bytes.append(buffer, n);
  EXPECT_EQ(pclose(pipe), 0);
  ASSERT_GT(bytes.size(), 44u);
  EXPECT_EQ(bytes.substr(0, 4), "RIFF");
  EXPECT_EQ(bytes.size(), 44u + 12000u * 2u * 2u) << "a quarter second of 16-bit stereo at 48 kHz";
  EXPECT_TRUE(folder.Entries().empty());
}

// Ctrl-C or a termination request half way through a long render ends it as such a
// signal would, and takes its temporary file along.
TEST(RenderCommand, AnInterruptedRenderLeavesNoFile) {
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(strsignal(sig));
    TempFolder folder;
    const pid_t pid = StartRenderer({"--bundle", TestBundle(), "-d", "86400", "-q", "-o", folder.File("day.wav")}, sig);
    ASSERT_GT(pid, 0);
    // Under way once its file has grown.
    bool writing = false;
    for (int tries = 0; tries < 2000 && !writing; ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      for (const auto& entry : std::filesystem::directory_iterator(folder.File(""))) {
        std::error_code ec;
        writing = writing || std::filesystem::file_size(entry.path(), ec) > (1u << 20);
      }
    }
    EXPECT_TRUE(writing);
    kill(pid, sig);
    const int status = WaitForEnd(pid);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << "status " << status;
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{});
  }
}
#endif

#ifdef _WIN32
// Where there is no /dev/stdout "-o -" still sends the finished file down standard
// output, byte for byte (no text-mode line ends), and no file named "-" appears.
TEST(RenderCommand, ADashWritesTheAudioToStandardOutput) {
  TempFolder folder;
  const std::string captured = folder.File("captured.wav");
  std::fflush(stdout);
  const int console = _dup(_fileno(stdout));
  std::FILE* file = std::fopen(captured.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  _dup2(_fileno(file), _fileno(stdout));
  const CommandResult result =
      RunCommand({"--bundle", TestBundle(), "-d", "0.25", "-q", "-o", "-", "--format", "wav16", "--no-fade"});
  std::fflush(stdout);
  _dup2(console, _fileno(stdout));
  _close(console);
  _setmode(_fileno(stdout), _O_TEXT);
  std::fclose(file);
  EXPECT_EQ(result.status, 0) << result.err;
  const AudioReadback audio = ReadAudio(captured);
  ASSERT_TRUE(audio.opened);
  EXPECT_EQ(std::filesystem::file_size(captured), 44u + 12000u * 2u * 2u) << "a quarter second of 16-bit stereo at 48 kHz";
  EXPECT_GT(Rms(audio.left), 0.01) << "the default programme sounds";
  EXPECT_FALSE(std::filesystem::exists("-"));
}
#endif

TEST_F(LoadedPlugin, ListingsShowWhatThePluginPublishes) {
  int32_t listId = 0;
  std::string listName;
  std::vector<std::string> names;
  ASSERT_TRUE(plugin().ProgramList(&listId, &listName, &names));
  const CommandResult programs = RunCommand({"--bundle", TestBundle(), "--list-programs"});
  EXPECT_EQ(programs.status, kExitOk) << programs.err;
  // One numbering: an empty slot, which the plug-in names by its 1-based number, is
  // listed as empty under its number.
  for (size_t i = 0; i < names.size(); ++i) {
    const bool empty = i >= 157;
    const std::string listed = std::to_string(i) + "  " + (empty ? "(empty slot)" : names[i]) + "\n";
    EXPECT_NE(programs.out.find(listed), std::string::npos) << names[i];
    if (empty) {
      EXPECT_EQ(programs.out.find(names[i]), std::string::npos) << names[i];
    }
  }

  const CommandResult params = RunCommand({"--bundle", TestBundle(), "--list-params"});
  EXPECT_EQ(params.status, kExitOk) << params.err;
  for (int i = 0; i < plugin().ParameterCount(); ++i) {
    spwhost::ParameterInfo info;
    ASSERT_TRUE(plugin().GetParameterInfo(i, &info));
    const bool listed = params.out.find("  " + info.title + " ") != std::string::npos;
    const bool selectsProgrammes = (info.flags & Steinberg::Vst::ParameterInfo::kIsProgramChange) != 0;
    EXPECT_EQ(listed, !selectsProgrammes) << info.title;
  }
}

// "Binaural - 10.0 (Manipura chakra)" plays one carrier slot at grid cell 22 with a
// 10 Hz beat. Its grid starts at 20 Hz (10 Hz doubled up to 320 Hz, below the 500 Hz
// anchor, then halved while at least 20 Hz), so cell 22, the first of the fourth
// octave row, is 160 Hz. "Binaural Pan" "Right" puts the carrier on the left ear and
// carrier + beat on the right: 160 Hz left, 170 Hz right.
TEST(RenderCommand, RendersTheProgrammeAtItsEarFrequencies) {
  constexpr int kRate = 44100;
  constexpr double kSeconds = 5.5;
  constexpr double kLeftHz = 160.0, kRightHz = 170.0;
  TempFolder folder;
  const std::string out = folder.File("manipura.wav");
  const CommandResult result =
      RunCommand({"--bundle", TestBundle(), "-p", "Binaural - 10.0 (Manipura chakra)", "-s",
                  "Binaural Pan=Right", "-d", "5.5", "-r", std::to_string(kRate), "-b", "300", "-o", out, "-q"});
  ASSERT_EQ(result.status, kExitOk) << result.err;
  EXPECT_EQ(result.err, "");

  const AudioReadback audio = ReadAudio(out);
  ASSERT_TRUE(audio.opened);
  EXPECT_EQ(audio.info.channels, 2);
  EXPECT_EQ(audio.info.samplerate, kRate);
  EXPECT_EQ(audio.info.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
  ASSERT_EQ(audio.info.frames, std::llround(kSeconds * kRate));

  // The last two seconds, well after the one-second fade-in.
  const size_t count = 2 * kRate, first = audio.left.size() - count;
  for (const auto& [ear, own, other] :
       {std::tuple(&audio.left, kLeftHz, kRightHz), std::tuple(&audio.right, kRightHz, kLeftHz)}) {
    EXPECT_GT(Rms(*ear, first, count), 0.05) << own << " Hz ear";
    EXPECT_GT(ToneShare(*ear, first, count, own, kRate), 0.9) << own << " Hz ear";
    EXPECT_LT(ToneShare(*ear, first, count, other, kRate), 0.05) << own << " Hz ear";
  }
  KeepOnFailure(out, "render_command_test_ear_frequencies.wav");
}

// The figure that err gives right after text; NaN, and a failure, when it has no such text.
double ReportedFigure(const std::string& err, const std::string& text) {
  const auto at = err.find(text);
  if (at == std::string::npos) {
    ADD_FAILURE() << "no \"" << text << "\" in: " << err;
    return std::nan("");
  }
  return std::atof(err.c_str() + at + text.size());
}

// A render beyond full scale: a float file keeps it, a 16-bit file clips it and
// reports the peak. --normalize scales the whole render by one gain: every sample of
// the float render times the reported gain, with the peak at the asked level and
// nothing clipped, whatever the file format.
TEST(RenderCommand, ALoudRenderClipsOnlyInIntegerFilesAndNormalizeScalesItByOneGain) {
  TempFolder folder;
  const CommandResult kept = RunCommand(LoudRender({"-o", folder.File("hot.wav")}));
  ASSERT_EQ(kept.status, kExitOk) << kept.err;
  EXPECT_EQ(kept.err.find("clipped"), std::string::npos) << kept.err;
  const AudioReadback reference = ReadAudio(folder.File("hot.wav"));
  const double referencePeak = Peak(reference.left, reference.right);
  EXPECT_GT(referencePeak, 1.0);
  const CommandResult clipped = RunCommand(LoudRender({"-f", "wav16", "-o", folder.File("hot16.wav")}));
  ASSERT_EQ(clipped.status, kExitOk) << clipped.err;
  EXPECT_NEAR(ReportedFigure(clipped.err, "spw_render: warning: the 16-bit WAV file clipped: peak +"),
              20.0 * std::log10(referencePeak), 0.01);

  struct Case {
    const char* level;
    const char* format;
    double tolerance;  // of a sample against the scaled reference, in full scale
  };
  const Case cases[] = {{"-1", "wav32f", 1e-6}, {"-0.1", "wav16", 1.0 / 32768}, {"-6", "wav24", 1.0 / 8388608}};
  for (const Case& c : cases) {
    const std::string out = folder.File(std::string("normalized-") + c.format + ".wav");
    const CommandResult result = RunCommand(LoudRender({"-n", c.level, "-f", c.format, "-o", out}));
    ASSERT_EQ(result.status, kExitOk) << result.err;
    EXPECT_EQ(result.err.find("clipped"), std::string::npos) << result.err;
    const double gain = std::pow(10.0, ReportedFigure(result.err, "normalised by ") / 20.0);

    const AudioReadback audio = ReadAudio(out);
    ASSERT_EQ(audio.left.size(), reference.left.size());
    const double peak = Peak(audio.left, audio.right);
    double worst = 0.0;
    for (size_t i = 0; i < audio.left.size(); ++i) {
      worst = std::fmax(worst, std::fabs(audio.left[i] - reference.left[i] * gain));
      worst = std::fmax(worst, std::fabs(audio.right[i] - reference.right[i] * gain));
    }
    EXPECT_NEAR(20.0 * std::log10(peak), std::atof(c.level), 0.01) << c.format;
    // The reported gain has two decimals in dB: 0.005 dB is 0.06 % of a sample.
    EXPECT_LT(worst, c.tolerance + 0.0006 * peak) << c.format;
  }
}

// Whether two files hold the same samples (their headers may differ: a float WAV
// file's peak chunk carries the time it was written).
bool SameSamples(const std::string& a, const std::string& b) {
  const AudioReadback x = ReadAudio(a), y = ReadAudio(b);
  return x.opened && y.opened && x.left == y.left && x.right == y.right;
}

// The largest step between samples in the last 50 ms of a render, counting the step
// from its last sample to the silence after it: a click where the file ends.
double LargestClosingStep(const AudioReadback& audio, int rate) {
  double largest = 0.0;
  for (const std::vector<float>* channel : {&audio.left, &audio.right}) {
    const size_t first = channel->size() - size_t(rate / 20);
    for (size_t i = first; i < channel->size(); ++i) largest = std::fmax(largest, std::fabs((*channel)[i] - (*channel)[i - 1]));
    largest = std::fmax(largest, std::fabs(channel->back()));
  }
  return largest;
}

// A file ends with the player's half-second fade, not on a click, in any format and
// block size; --no-fade (for joining files) ends it at full level; a session that
// already ends in silence is written the same either way.
TEST(RenderCommand, AFileEndsWithoutAClickUnlessAskedTo) {
  constexpr int kRate = 8000;
  TempFolder folder;
  const std::string session = folder.File("released.txt");
  std::ofstream(session, std::ios::binary) << "0 program 57\n0 set Fade=0.01\n1 set Slot 1=0\n3 end\n";
  struct Case {
    std::vector<std::string> args;
    bool fades;
  } cases[] = {
      {{"-p", "57", "-d", "3"}, true},
      {{"-p", "57", "-d", "3", "-f", "wav16", "-b", "999"}, true},
      {{"-p", "57", "-d", "0.3"}, true},  // shorter than the fade: all of it fades
      {{"-p", "57", "-d", "3", "-n", "-1"}, true},
      {{"-p", "57", "-d", "3", "--no-fade"}, false},
      {{"-t", session}, true},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"--bundle", TestBundle(), "-r", std::to_string(kRate), "-q", "-o", folder.File("end.wav")};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CommandResult result = RunCommand(args);
    ASSERT_EQ(result.status, kExitOk) << Joined(args) << ": " << result.err;
    const AudioReadback audio = ReadAudio(folder.File("end.wav"));
    ASSERT_GT(audio.left.size(), size_t(kRate / 20)) << Joined(args);
    const double step = LargestClosingStep(audio, kRate);
    // A 170 Hz tone at full level moves by up to 0.13 a sample; 4 % of that is inaudible.
    if (c.fades) EXPECT_LT(step, 0.005) << Joined(args);
    else EXPECT_GT(step, 0.02) << Joined(args);
  }
  // The released tone has faded out long before the end: the fade finds silence.
  const std::vector<std::string> base = {"--bundle", TestBundle(), "-r", std::to_string(kRate), "-q", "-t", session};
  std::vector<std::string> faded = base, joined = base;
  faded.insert(faded.end(), {"-o", folder.File("faded.wav")});
  joined.insert(joined.end(), {"--no-fade", "-o", folder.File("joined.wav")});
  ASSERT_EQ(RunCommand(faded).status, kExitOk);
  ASSERT_EQ(RunCommand(joined).status, kExitOk);
  EXPECT_TRUE(SameSamples(folder.File("faded.wav"), folder.File("joined.wav")));
}

// A setting that the others make silent is said to be so, naming the one that would
// make it count, and is truly not heard: the file is the same without it.
TEST(RenderCommand, ASettingThatChangesNothingAudibleSaysSo) {
  TempFolder folder;
  const std::string session = folder.File("session.txt");
  std::ofstream(session, std::ios::binary) << "0 program 57\n0:01 slide Base Freq=800 over 0:01\n0:02.5 end\n";
  const std::string baseFreq = "\"Base Freq\" changes nothing audible while \"Reference\" is \"Base Freq\": set "
                               "\"Reference=Binaural Freq\" for it to count\n";
  struct Case {
    std::vector<std::string> args, without;  // without: the same, less the silent setting
    std::string warning;                     // "" for none
  } cases[] = {
      {{"-p", "57", "-s", "Base Freq=5000"}, {"-p", "57"}, baseFreq},
      {{"-p", "57", "-s", "Reference=Binaural Freq", "-s", "Binaural=3"},
       {"-p", "57", "-s", "Reference=Binaural Freq"},
       "\"Binaural\" changes nothing audible while \"Reference\" is \"Binaural Freq\": set \"Reference=Base Freq\""},
      {{"-p", "57", "-s", "Link Freq=No", "-s", "Binaural Pan=Null", "-s", "Binaural=5"},
       {"-p", "57", "-s", "Link Freq=No", "-s", "Binaural Pan=Null"},
       "\"Binaural\" changes nothing audible while \"Binaural Pan\" is \"Null\": set \"Binaural Pan=Center Right\""},
      {{"-p", "57", "-s", "Reference=Binaural Freq", "-s", "Freq Equalizer=Linear"},
       {"-p", "57", "-s", "Reference=Binaural Freq"},
       "\"Freq Equalizer\" changes nothing audible while \"Reference\" is \"Binaural Freq\""},
      {{"-t", session}, {}, "at 0:01 (slide Base Freq=800 over 0:01): " + baseFreq},
      {{"-p", "57", "-s", "Reference=Binaural Freq", "-s", "Base Freq=500"}, {}, ""},
      {{"-p", "57", "-s", "Binaural=5"}, {}, ""},
      // Linked, "Binaural" retunes the tones even without a beat.
      {{"-p", "57", "-s", "Binaural Pan=Null", "-s", "Binaural=5"}, {}, ""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"--bundle", TestBundle(), "-d", "2.5", "-r", "8000", "-q"};
    std::vector<std::string> without = args;
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.insert(args.end(), {"-o", folder.File("with.wav")});
    const CommandResult result = RunCommand(args);
    ASSERT_EQ(result.status, kExitOk) << Joined(args) << ": " << result.err;
    if (c.warning.empty()) {
      EXPECT_EQ(result.err, "") << Joined(args);
      continue;
    }
    EXPECT_TRUE(IsOneWarningLine(result.err)) << Joined(args) << " -> " << result.err;
    EXPECT_NE(result.err.find(c.warning), std::string::npos) << Joined(args) << " -> " << result.err;
    if (c.without.empty()) continue;
    without.insert(without.end(), c.without.begin(), c.without.end());
    without.insert(without.end(), {"-o", folder.File("without.wav")});
    ASSERT_EQ(RunCommand(without).status, kExitOk) << Joined(without);
    EXPECT_TRUE(SameSamples(folder.File("with.wav"), folder.File("without.wav")))
        << Joined(args) << ": the file differs without the setting";
  }
}

}  // namespace
}  // namespace spwrender
