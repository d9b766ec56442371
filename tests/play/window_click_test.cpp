// spw_play with its window, on an X server of the test's own: a real click on a
// free cell of the editor's grid is heard in the recording within 100 ms, and the
// window's close button stops the player as Ctrl-C does.

#include "live_play_fixture.h"
#include "x_actions.h"

namespace spwplay {
namespace {

// "C Major style" lights the fourth grid row; the last cell of the fifth row, 627.19 Hz,
// is free. The player's window sits at the display's origin (no window manager runs).
constexpr int kFreeCellX = 457, kFreeCellY = 375;
constexpr double kCellHz = 627.19;

// The strength of a tone at hz in the 20 ms of channel from frame (long enough to keep
// the programme's tones, 313.6 Hz and below, out).
double StrengthAt(const std::vector<float>& channel, size_t frame, double hz) {
  const std::vector<double> span = Span(channel, double(frame) / kJackRate, 0.02);
  return span.empty() ? 0.0 : ToneMagnitude(HannWindowed(span), hz, kJackRate);
}

TEST_F(LivePlayTest, AClickOnAFreeGridCellIsHeardWithinATenthOfASecond) {
  withWindow_ = true;
  int64_t clickFrame = -1;
  const Heard heard = Play({"--program", "C Major style", "--duration", "5"},
                           [&clickFrame](ChildProcess& player, JackRecorder& recorder) {
                             while (recorder.Seconds() < 2.0 && player.Running()) {
                               std::this_thread::sleep_for(std::chrono::milliseconds(10));
                             }
                             clickFrame = recorder.FrameNow();
                             ASSERT_TRUE(ClickOnScreen(kFreeCellX, kFreeCellY));
                           });
  ASSERT_EQ(heard.status, 0) << heard.messages;
  ASSERT_GT(clickFrame, 0);
  ASSERT_GT(heard.left.size(), size_t(clickFrame) + size_t(kJackRate));
  // Where the new tone starts: the first 20 ms (in 1 ms steps) holding a fiftieth of
  // its strength a second later; its own fade-in raises it from there.
  const double later = StrengthAt(heard.left, size_t(clickFrame) + size_t(kJackRate), kCellHz);
  ASSERT_GT(later, 20.0 * StrengthAt(heard.left, size_t(clickFrame) - size_t(0.2 * kJackRate), kCellHz))
      << "the cell's tone sounds after the click, not before";
  size_t onset = size_t(clickFrame) - size_t(0.1 * kJackRate);
  while (onset < heard.left.size() && StrengthAt(heard.left, onset, kCellHz) < later / 50.0) onset += kJackRate / 1000;
  const double latency = (double(onset) - double(clickFrame)) / kJackRate;
  std::printf("click to sound: %.1f ms\n", latency * 1000.0);
  // A 20 ms window that starts before the click may hold its first sound, and the
  // click's frame is the server's estimate within its 5.3 ms cycle.
  EXPECT_GT(latency, -0.03) << "no sound of the cell before the click";
  EXPECT_LT(latency, 0.1);
}

TEST_F(LivePlayTest, ClosingTheWindowFadesOutAndStopsThePlayer) {
  withWindow_ = true;
  bool closed = false;
  const Heard heard = Play({"--program", "C Major style"}, [&closed](ChildProcess& player, JackRecorder& recorder) {
    while (recorder.Seconds() < 2.0 && player.Running()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    closed = CloseWindowTitled("stereoPulseWeaver");
  });
  ASSERT_TRUE(closed) << "a window titled stereoPulseWeaver";
  EXPECT_EQ(heard.status, 0) << heard.messages;
  EXPECT_NE(heard.messages.find("settings saved"), std::string::npos) << heard.messages;
  ASSERT_GT(heard.left.size(), size_t(kJackRate));
  EXPECT_LT(heard.left.size(), size_t(6 * kJackRate)) << "it stopped soon after";
  EXPECT_LT(Peak(heard.left, heard.right, heard.left.size() - size_t(0.01 * kJackRate)), 1e-3f) << "faded to silence";
}

}  // namespace
}  // namespace spwplay
