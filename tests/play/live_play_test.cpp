// spw_play with --no-window playing into JACK: each ear's tones and the level,
// the moments of a session's events, stopping with Ctrl-C and starting again, and
// the faults a listener may meet.

#include <filesystem>

#include "live_play_fixture.h"
#include "peak_limiter.h"

namespace spwplay {
namespace {

TEST_F(LivePlayTest, SessionEventsLandWhereTheRendererPutsThem) {
  // One tone; a gap of silence marks the session's time in the recording; then a
  // slide of the beat and a programme change, each measured from the gap.
  const std::string session = WriteFile("session.txt",
                                        "0 program \"Default with play anyway\"\n"
                                        "0 set Link Freq=No\n"
                                        "0 set Fade=0.01\n"
                                        "1 set Volume=0\n"
                                        "1.5 set Volume=75\n"
                                        "2 slide Binaural=24 over 1\n"
                                        "3.5 program \"C Major style\"\n"
                                        "5.5 end\n");
  const Heard heard = Play({"--timeline", session});
  ASSERT_EQ(heard.status, 0) << heard.messages;
  const AudioReadback reference = Render({"--timeline", session});
  const double liveMark = SoundReturns(heard.left), fileMark = SoundReturns(reference.left);
  ASSERT_GT(liveMark, 0.0) << "the gap is heard";
  ASSERT_NEAR(fileMark, 1.5, 0.05);
  // Half way through the slide the beat is 14 Hz; 50 ms off it would be 1 Hz off.
  const double liveBeat = Tones(heard.right, liveMark + 0.9, 0.2, 200, 350).front() -
                          Tones(heard.left, liveMark + 0.9, 0.2, 200, 350).front();
  const double fileBeat = Tones(reference.right, fileMark + 0.9, 0.2, 200, 350).front() -
                          Tones(reference.left, fileMark + 0.9, 0.2, 200, 350).front();
  EXPECT_NEAR(fileBeat, 14.0, 0.5);
  EXPECT_NEAR(liveBeat, fileBeat, 1.0);
  // The programme's lowest tone arrives at the same moment after the mark.
  const double liveArrival = ToneArrives(heard.left, 176.0, liveMark + 1.5, liveMark + 3.5) - liveMark;
  const double fileArrival = ToneArrives(reference.left, 176.0, fileMark + 1.5, fileMark + 3.5) - fileMark;
  ASSERT_GT(fileArrival, 1.9);
  EXPECT_NEAR(liveArrival, fileArrival, 0.05);
}

TEST_F(LivePlayTest, CtrlCFadesOutExitsCleanlyAndTheNextStartPlaysTheSameLimitedTones) {
  const Heard first = Play({"--program", "C Major style"}, [](ChildProcess& player, JackRecorder& recorder) {
    WaitForRecording(player, recorder, 4.0);
    player.Signal(SIGINT);
  });
  ASSERT_EQ(first.status, 0) << first.messages;
  EXPECT_NE(first.messages.find("settings saved"), std::string::npos) << first.messages;
  ASSERT_GT(first.left.size(), size_t(3.5 * kJackRate));
  // No step between samples larger than the tones' own make while they play. A
  // dropout of a loaded machine (the server's silence for a cycle the player missed:
  // exact zeros, which the sounding player never sends) is no step of the player's.
  float own = 0.0f, fade = 0.0f;
  const size_t split = size_t(3.0 * kJackRate);
  for (size_t i = size_t(2.0 * kJackRate); i < first.left.size(); ++i) {
    const bool dropout = (first.left[i] == 0.0f) != (first.left[i - 1] == 0.0f);
    if (dropout) continue;
    const float step = std::max(std::fabs(first.left[i] - first.left[i - 1]), std::fabs(first.right[i] - first.right[i - 1]));
    (i < split ? own : fade) = std::max(i < split ? own : fade, step);
  }
  EXPECT_LE(fade, own * 1.05f);
  // It fades over about half a second, and ends silent.
  const std::vector<double> env = Envelope(first.left);
  size_t loud = 0, silent = env.size();
  for (size_t i = 0; i < env.size(); ++i) {
    if (env[i] > 0.5 * env[size_t(2.5 / kWindowSeconds)]) loud = i;
  }
  for (size_t i = loud; i < env.size(); ++i) {
    if (env[i] < 1e-6) {
      silent = i;
      break;
    }
  }
  ASSERT_LT(silent, env.size()) << "the recording ends in silence";
  EXPECT_NEAR(double(silent - loud) * kWindowSeconds, 0.3, 0.2) << "from half level to silence";
  // Started again without a programme, it plays what it played: each ear the
  // renderer's seven tones, within 0.1 Hz.
  const Heard second = Play({"--duration", "4"});
  ASSERT_EQ(second.status, 0) << second.messages;
  const AudioReadback reference = Render({"--program", "C Major style", "--duration", "4"});
  for (const Heard* run : {&first, &second}) {
    const double start = SoundStarts(run->left);
    ASSERT_GE(start, 0.0);
    for (const auto& [heard, rendered] : {std::pair{&run->left, &reference.left}, std::pair{&run->right, &reference.right}}) {
      const std::vector<double> expected = Tones(*rendered, 2.0, 1.0, 150, 340);
      ASSERT_EQ(expected.size(), 7u);
      ExpectTonesHeard(*heard, start + 1.5, start + 3.4, expected, run == &first ? "first start" : "next start");
    }
  }
  // The programme peaks above full scale in the file; live it peaks at the limiter's ceiling.
  EXPECT_GT(Peak(reference.left, reference.right), 1.0f);
  const float peak = Peak(first.left, first.right);
  EXPECT_LE(peak, PeakLimiter::Ceiling());
  EXPECT_GT(20 * std::log10(peak), -1.5) << "limited, not turned down";
  // A damaged memory is said in one line and moved aside, and the player starts afresh.
  const std::string memory = WriteFile(kStateFile, "not a state");
  const Heard third = Play({"--duration", "1"});
  EXPECT_EQ(third.status, 0) << third.messages;
  EXPECT_NE(third.messages.find("moved to '" + memory + ".damaged'; starting from the defaults"), std::string::npos)
      << third.messages;
  EXPECT_EQ(ReadText(memory + ".damaged"), "not a state");
}

// A closed terminal, SIGQUIT and a closed pipe stop the player as Ctrl-C does: the
// fade, the save, status 0. A second Ctrl-C ends the fade at once, still saving.
TEST_F(LivePlayTest, EveryWayOutFadesAndSavesAndASecondCtrlCEndsAtOnce) {
  struct Case {
    const char* what;
    std::vector<int> signals;
    bool fades;
  };
  const Case cases[] = {
      {"the terminal closed", {SIGHUP}, true},
      {"SIGQUIT", {SIGQUIT}, true},
      {"a closed pipe", {SIGPIPE}, true},
      {"Ctrl-C twice", {SIGINT, SIGINT}, false},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(folder_.File(kStateFile));
    double exitSeconds = -1.0;
    const Heard heard = Play({"--program", "C Major style"}, [&](ChildProcess& player, JackRecorder& recorder) {
      WaitForRecording(player, recorder, 1.5);
      for (int sig : c.signals) {
        player.Signal(sig);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
      }
      const auto sent = std::chrono::steady_clock::now();
      while (player.Running() && std::chrono::steady_clock::now() - sent < std::chrono::seconds(10)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
      exitSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - sent).count();
    });
    EXPECT_EQ(heard.status, 0) << c.what << ": " << heard.messages;
    EXPECT_NE(heard.messages.find("settings saved"), std::string::npos) << c.what << ": " << heard.messages;
    EXPECT_TRUE(std::filesystem::is_regular_file(folder_.File(kStateFile))) << c.what;
    if (c.fades) {
      EXPECT_GT(exitSeconds, 0.3) << c.what << ": the fade takes half a second";
      ASSERT_GT(heard.left.size(), size_t(kJackRate)) << c.what;
      EXPECT_LT(Peak(heard.left, heard.right, heard.left.size() - size_t(0.01 * kJackRate)), 1e-3f)
          << c.what << ": faded to silence";
    } else {
      EXPECT_LT(exitSeconds, 0.4) << c.what << ": no fade, no wait for the output";
    }
  }
  // Without a home it plays, says once that nothing is kept, and ends well.
  env_ = {"HOME=", "XDG_CONFIG_HOME="};
  const Heard homeless = Play({"--duration", "1"});
  EXPECT_EQ(homeless.status, 0) << homeless.messages;
  const size_t said = homeless.messages.find("the settings will not be kept");
  EXPECT_NE(said, std::string::npos) << homeless.messages;
  EXPECT_EQ(homeless.messages.find("settings", said + 30), std::string::npos) << "said once: " << homeless.messages;
}

TEST_F(LivePlayTest, UnknownDeviceOrRateAndAServerThatGoesAwayEachGetOneClearLine) {
  const Heard unknown = Play({"--device", "no such device", "--duration", "1"}, {}, /*soundless=*/true);
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.messages.find("no sound output 'no such device'"), std::string::npos) << unknown.messages;
  EXPECT_NE(unknown.messages.find("system"), std::string::npos) << "the list names the server's device";

  const Heard rate = Play({"--rate", "44100", "--duration", "1"});
  EXPECT_EQ(rate.status, 0) << rate.messages;
  EXPECT_NE(rate.messages.find("cannot play at 44100 Hz: playing at its own rate, 48000 Hz"), std::string::npos)
      << rate.messages;

  // No sound system answers: one line of the player's own, none of the libraries'.
  env_ = {"JACK_DEFAULT_SERVER=no-such-server", "PULSE_SERVER=unix:/nonexistent",
          "ALSA_CONFIG_PATH=" + WriteFile("empty-alsa.conf", "")};
  const Heard none = Play({"--duration", "1"}, {}, /*soundless=*/true);
  env_.clear();
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.messages.rfind("spw_play: error: no sound output device", 0), 0u) << none.messages;
  EXPECT_EQ(std::count(none.messages.begin(), none.messages.end(), '\n'), 1) << none.messages;

  const Heard lost = Play({"--program", "C Major style"}, [this](ChildProcess& player, JackRecorder& recorder) {
    WaitForRecording(player, recorder, 1.0);
    server_.Stop();
  });
  EXPECT_EQ(lost.status, 1) << lost.messages;
  EXPECT_NE(lost.messages.find("spw_play: error: the sound output went away"), std::string::npos) << lost.messages;
  EXPECT_NE(lost.messages.find("settings are saved"), std::string::npos) << lost.messages;
  EXPECT_EQ(std::count(lost.messages.begin(), lost.messages.end(), '\n'), 2) << "the start's line and the error's: "
                                                                              << lost.messages;
}

}  // namespace
}  // namespace spwplay
