// The Windows build's spw_play under wine, whose sound goes to PulseAudio: a
// PulseAudio server of the test's own with a null sink, the player through its
// default device, the sink's monitor recorded with parec; then, with no sound
// server at all, the clear error. Needs the Windows build (scripts/build.sh makes
// it before the tests run); without it there is nothing to test.

#include <sys/stat.h>

#include "live_play_fixture.h"

namespace spwplay {
namespace {

std::string WindowsPlayer() { return SPW_WINDOWS_PLAYER; }

class WinePlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access(WindowsPlayer().c_str(), X_OK) != 0 && access(WindowsPlayer().c_str(), R_OK) != 0) {
      GTEST_SKIP() << "no Windows build of the player at " << WindowsPlayer();
    }
    mkdir(folder_.File("runtime").c_str(), 0700);
    env_ = {"XDG_RUNTIME_DIR=" + folder_.File("runtime"), "WINEPREFIX=" + folder_.File("wine"), "WINEDEBUG=-all",
            "WINEDLLOVERRIDES=mscoree,mshtml=", "DISPLAY="};
    // A fresh prefix takes its time; made before anything is recorded.
    ChildProcess boot;
    ASSERT_TRUE(boot.Start("wineboot", {"--init"}, env_, folder_.File("wineboot.log")));
    ASSERT_EQ(boot.Wait(180.0), 0) << ReadText(folder_.File("wineboot.log"));
  }

  void TearDown() override {
    ChildProcess stop;
    if (stop.Start("wineserver", {"-k"}, env_, folder_.File("wineserver.log"))) stop.Wait(30.0);
  }

  bool StartPulse() {
    if (!pulse_.Start("pulseaudio", {"--daemonize=no", "--exit-idle-time=-1", "-n",
                                     "--load=module-null-sink sink_name=null rate=48000",
                                     "--load=module-native-protocol-unix"},
                      env_, folder_.File("pulse.log"))) {
      return false;
    }
    for (int i = 0; i < 150; ++i) {
      ChildProcess info;
      if (info.Start("pactl", {"info"}, env_, folder_.File("pactl.log")) && info.Wait(10.0) == 0) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
  }

  // Runs the Windows player with args; returns its exit status, its messages in *messages.
  int PlayUnderWine(const std::vector<std::string>& args, std::string* messages) {
    std::vector<std::string> all = {WindowsPlayer(), "--no-window"};
    all.insert(all.end(), args.begin(), args.end());
    ChildProcess player;
    if (!player.Start("wine", all, env_, folder_.File("player.log"))) return -3;
    const int status = player.Wait(120.0);
    *messages = ReadText(folder_.File("player.log"));
    return status;
  }

  TempFolder folder_;
  std::vector<std::string> env_;
  ChildProcess pulse_;
};

TEST_F(WinePlayTest, PlaysTheRenderersTonesIntoPulseAudioAndWithoutAServerSaysSo) {
  ASSERT_TRUE(StartPulse()) << ReadText(folder_.File("pulse.log"));
  ChildProcess recorder;
  ASSERT_TRUE(recorder.Start("parec", {"-d", "null.monitor", "--file-format=wav", "--format=float32le", "--rate=48000",
                                       "--channels=2", folder_.File("heard.wav")},
                             env_, folder_.File("parec.log")));
  // A block of 1024 frames: wine's DirectSound path on a loaded machine drops
  // 256-frame buffers often enough to leave no clean second to measure.
  std::string messages;
  EXPECT_EQ(PlayUnderWine({"--program", "C Major style", "--duration", "8", "--block", "1024"}, &messages), 0) << messages;
  recorder.Signal(SIGINT);
  recorder.Wait(10.0);
  const AudioReadback heard = ReadAudio(folder_.File("heard.wav"));
  ASSERT_TRUE(heard.opened);
  const double start = SoundStarts(heard.left);
  ASSERT_GE(start, 0.0) << "something was heard";

  // The renderer's tones for the same programme, a second in the middle of the sound.
  const AudioReadback file =
      RenderedBySpwRender(folder_.File("reference.wav"), {"--program", "C Major style", "--duration", "4"});
  for (const auto& ear : {std::make_pair(&heard.left, &file.left), std::make_pair(&heard.right, &file.right)}) {
    const std::vector<double> rendered = Tones(*ear.second, 2.0, 1.0, 150, 340);
    ASSERT_EQ(rendered.size(), 7u);
    ExpectTonesHeard(*ear.first, start + 1.5, start + 7.4, rendered, "under wine");
  }

  // No sound server: one clear line, exit status 1, and no hang.
  pulse_.Signal(SIGTERM);
  pulse_.Wait(20.0);
  EXPECT_EQ(PlayUnderWine({"--duration", "1"}, &messages), 1) << messages;
  EXPECT_NE(messages.find("spw_play: error: no sound output device"), std::string::npos) << messages;
}

}  // namespace
}  // namespace spwplay
