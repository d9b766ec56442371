#pragma once
// spw_play as a listener meets it: the program itself playing into a JACK server
// of the test's own on the dummy driver, its output ports recorded by a small JACK
// client, and what spw_render writes offline for the same settings to compare.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "audio_readback.h"
#include "bundle_location.h"
#include "jack_rig.h"
#include "render_command.h"
#include "level.h"
#include "spectrum.h"
#include "temp_folder.h"

namespace spwplay {

inline constexpr double kWindowSeconds = 0.005;  // level envelope resolution

inline std::string PlayerPath() { return TestProgramFolder() + SPW_TEST_PLAYER; }

struct Heard {
  int status = -1;
  std::string messages;
  std::vector<float> left, right;
};

// The file the player keeps its settings in, in the test's folder.
inline constexpr char kStateFile[] = "config/stereoPulseWeaver/spw_play-state.bin";

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// What spw_render writes into out for args, through the built bundle.
inline AudioReadback RenderedBySpwRender(const std::string& out, std::vector<std::string> args) {
  args.insert(args.begin(), {"spw_render", "--bundle", BundlePath(), "-q", "-o", out});
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  EXPECT_EQ(spwrender::RunRenderCommand(int(argv.size()), argv.data(), stdout, stderr), 0);
  return ReadAudio(out);
}

class LivePlayTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.Start(folder_.File("jackd.log"))) << ReadText(folder_.File("jackd.log")); }

  // Runs spw_play with args into the server, recording its ports; during runs while it plays.
  // soundless: the player is expected to end before it plays.
  Heard Play(std::vector<std::string> args, const std::function<void(ChildProcess&, JackRecorder&)>& during = {},
             bool soundless = false) {
    Heard heard;
    JackRecorder recorder(server_.Name());
    EXPECT_TRUE(recorder.Ready());
    args.insert(args.begin(), {"--bundle", BundlePath()});
    if (!withWindow_) args.insert(args.begin(), "--no-window");
    std::vector<std::string> env = server_.ClientEnvironment();
    env.push_back("XDG_CONFIG_HOME=" + folder_.File("config"));
    env.insert(env.begin(), env_.begin(), env_.end());  // the first of a name counts
    ChildProcess player;
    const std::string log = folder_.File("player.log");
    EXPECT_TRUE(player.Start(PlayerPath(), args, env, log));
    const bool recording = !soundless && recorder.RecordFrom("spw_play", 20.0);
    EXPECT_TRUE(recording || soundless) << "the player's ports are recorded";
    if (recording && during) during(player, recorder);
    heard.status = player.Wait(60.0);
    heard.messages = ReadText(log);
    heard.left = recorder.Left();
    heard.right = recorder.Right();
    return heard;
  }

  // The same settings rendered offline by spw_render at the server's rate and block.
  AudioReadback Render(std::vector<std::string> args) {
    args.insert(args.begin(), {"-r", std::to_string(kJackRate), "-b", "256"});
    return RenderedBySpwRender(folder_.File("reference.wav"), args);
  }

  // Until seconds are recorded, or the player has ended (a test then fails on what it heard, not ctest's timeout).
  static void WaitForRecording(ChildProcess& player, const JackRecorder& recorder, double seconds) {
    while (recorder.Seconds() < seconds && player.Running()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }

  std::string WriteFile(const std::string& name, const std::string& text) {
    std::ofstream(folder_.File(name), std::ios::binary) << text;
    return folder_.File(name);
  }

  TempFolder folder_;
  JackServer server_;
  bool withWindow_ = false;  // the editor's window too (the test needs a display)
  std::vector<std::string> env_;  // "NAME=VALUE" for the player, over the test's own
};

// seconds of channel from second t.
inline std::vector<double> Span(const std::vector<float>& channel, double t, double seconds) {
  const size_t first = size_t(std::max(0.0, t) * kJackRate);
  const size_t count = size_t(seconds * kJackRate);
  if (first + count > channel.size()) return {};
  return std::vector<double>(channel.begin() + long(first), channel.begin() + long(first + count));
}

inline std::vector<double> Tones(const std::vector<float>& channel, double t, double seconds, double low, double high) {
  return FindTones(Span(channel, t, seconds), low, high, 0.25, kJackRate);
}

// The first sample louder than -40 dBFS, in seconds.
inline double SoundStarts(const std::vector<float>& channel) {
  for (size_t i = 0; i < channel.size(); ++i) {
    if (std::fabs(channel[i]) > 0.01f) return double(i) / kJackRate;
  }
  return -1.0;
}

// The largest distance from a tone of expected to the nearest tone heard.
inline double WorstToneMiss(const std::vector<double>& heard, const std::vector<double>& expected) {
  if (heard.empty()) return HUGE_VAL;
  double worst = 0.0;
  for (double tone : expected) {
    double nearest = heard.front();
    for (double h : heard) nearest = std::fabs(h - tone) < std::fabs(nearest - tone) ? h : nearest;
    worst = std::max(worst, std::fabs(nearest - tone));
  }
  return worst;
}

// Every tone of expected is heard within 0.1 Hz in one second of channel between
// from and to (a steady stretch). A loaded machine may drop or repeat a buffer, and
// a second holding that glitch smears every tone; one clean second among those
// tried, a quarter second apart, shows what was played.
inline void ExpectTonesHeard(const std::vector<float>& channel, double from, double to,
                             const std::vector<double>& expected, const char* ear) {
  double best = HUGE_VAL, bestAt = from;
  for (double t = from; t + 1.0 <= to && best > 0.1; t += 0.25) {
    const double miss = WorstToneMiss(Tones(channel, t, 1.0, 150, 340), expected);
    if (miss < best) best = miss, bestAt = t;
  }
  EXPECT_LE(best, 0.1) << ear << ": in the best second, from " << bestAt << " s, a tone is " << best
                       << " Hz from the renderer's";
}

// RMS of channel in windows of kWindowSeconds.
inline std::vector<double> Envelope(const std::vector<float>& channel) {
  const size_t n = size_t(kWindowSeconds * kJackRate);
  std::vector<double> rms;
  for (size_t at = 0; at + n <= channel.size(); at += n) rms.push_back(Rms(channel, at, n));
  return rms;
}

// The second at which sound returns after the first gap of silence at least 0.3 s
// long (a dropout of a loaded machine is far shorter): the first window above half
// the level before the gap.
inline double SoundReturns(const std::vector<float>& channel) {
  const std::vector<double> env = Envelope(channel);
  const size_t settled = size_t(0.3 / kWindowSeconds), gap = size_t(0.3 / kWindowSeconds);
  if (env.size() <= settled) return -1.0;
  const double level = env[settled];
  size_t quiet = 0;
  for (size_t i = settled; i < env.size(); ++i) {
    if (env[i] <= level * 0.01) {
      ++quiet;
    } else if (quiet >= gap && env[i] >= level * 0.5) {
      return double(i) * kWindowSeconds;
    } else if (env[i] >= level * 0.5) {
      quiet = 0;
    }
  }
  return -1.0;
}

// The second from which a tone at hz holds half its strength at end: 50 ms Goertzel windows every 5 ms.
inline double ToneArrives(const std::vector<float>& channel, double hz, double from, double end) {
  const double window = 0.05;
  auto strength = [&](double t) { return ToneMagnitude(HannWindowed(Span(channel, t, window)), hz, kJackRate); };
  const double final = strength(end);
  for (double t = from; t < end; t += kWindowSeconds) {
    if (strength(t) >= 0.5 * final) return t + window / 2;
  }
  return -1.0;
}

}  // namespace spwplay
