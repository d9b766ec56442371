// spw_play with its window, on an X server of the test's own: a real click on a
// free cell of the editor's grid is heard in the recording within 100 ms, the
// window fits the editor at the desktop's scale and at every zoom, a cell clicked
// in the last moment is kept, and the window's close button stops the player as
// Ctrl-C does.

#include "live_play_fixture.h"
#include "x_actions.h"

#include <functional>
#include <utility>

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
                             WaitForRecording(player, recorder, 2.0);
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

// The top-left corner of what changed on the screen near the origin after action, or {-1, -1}.
std::pair<int, int> FirstChange(XDisplay& display, int extent, const std::function<void()>& action) {
  std::vector<uint32_t> before;
  for (int y = 0; y < extent; ++y) {
    for (int x = 0; x < extent; ++x) before.push_back(display.Pixel(x, y));
  }
  action();
  for (int y = 0; y < extent; ++y) {
    for (int x = 0; x < extent; ++x) {
      if (display.Pixel(x, y) != before[size_t(y * extent + x)]) return {x, y};
    }
  }
  return {-1, -1};
}

// The desktop at 150 % (Xft.dpi 144): the window opens around the editor at that
// scale, and a zoom of 125 % chosen in the editor's menu (187.5 % in all) takes
// the window and its size hints along. A cell clicked there just before two
// Ctrl-C sounds at the next start.
TEST_F(LivePlayTest, TheWindowFitsTheEditorAtTheDesktopsScaleAndItsZoomAndALastClickIsKept) {
  withWindow_ = true;
  XDisplay display;
  ASSERT_TRUE(display.Ok());
  display.SetResources("Xft.antialias:\t1\nXft.dpi:\t144\n");
  constexpr double kOpened = 1.5, kZoomed = 1.875;
  constexpr int kMenuRow = 21;  // editor pixels per menu entry
  XDisplay::Size opened, zoomed;
  std::pair<int, int> menu;
  const Heard heard = Play({"--program", "C Major style"}, [&](ChildProcess& player, JackRecorder& recorder) {
    WaitForRecording(player, recorder, 1.5);
    opened = display.WindowSize("stereoPulseWeaver");
    const auto settle = [] { std::this_thread::sleep_for(std::chrono::milliseconds(300)); };
    menu = FirstChange(display, 90, [&] {
      ClickOnScreen(3, 3, 3);
      settle();
    });
    const int row = int(kMenuRow * kOpened);
    ClickOnScreen(menu.first + row, menu.second + row + row / 2);  // the second entry, 125 %
    settle();
    zoomed = display.WindowSize("stereoPulseWeaver");
    ClickOnScreen(int(kFreeCellX * kZoomed), int(kFreeCellY * kZoomed));
    player.Signal(SIGINT);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    player.Signal(SIGINT);
  });
  display.SetResources("");
  EXPECT_EQ(heard.status, 0) << heard.messages;
  for (const auto& [size, scale] : {std::pair{opened, kOpened}, std::pair{zoomed, kZoomed}}) {
    const int width = int(std::lround(520 * scale)), height = int(std::lround(402 * scale));
    EXPECT_EQ(size.width, width) << scale;
    EXPECT_EQ(size.height, height) << scale;
    EXPECT_EQ(size.minWidth, width) << scale;
    EXPECT_EQ(size.maxHeight, height) << scale;
  }
  EXPECT_GE(menu.first, 0) << "the menu opened";
  withWindow_ = false;
  const Heard next = Play({"--duration", "3"});
  ASSERT_EQ(next.status, 0) << next.messages;
  // The programme's own harmonics reach 627 Hz too, far weaker than the cell's tone.
  // The strongest of a second's windows: a loaded machine's dropout empties one.
  const auto strongest = [](const std::vector<float>& channel, double from) {
    double most = 0.0;
    for (double t = from; t < from + 1.0; t += 0.05) most = std::max(most, StrengthAt(channel, size_t(t * kJackRate), kCellHz));
    return most;
  };
  const double programme = strongest(heard.left, 0.5);
  const double kept = strongest(next.left, SoundStarts(next.left) + 1.0);
  EXPECT_GT(kept, 20.0 * programme) << "the cell's tone at the next start";
}

TEST_F(LivePlayTest, ClosingTheWindowFadesOutAndStopsThePlayer) {
  withWindow_ = true;
  bool closed = false;
  const Heard heard = Play({"--program", "C Major style"}, [&closed](ChildProcess& player, JackRecorder& recorder) {
    WaitForRecording(player, recorder, 2.0);
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
