// The programme bar in spw_play's window, on an X server of the test's own: a
// real click on "next" and an arrow key pressed over the editor each change the
// programme. What the bar shows is what the bar draws for that programme and the
// session's event; what is heard is the renderer's tones of the new programme;
// and the next start plays (and names) the last one chosen.

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include "live_play_fixture.h"
#include "program_bar.h"
#include "player_engine.h"
#include "program_catalog.h"
#include "timeline.h"
#include "vst3_host.h"
#include "x_actions.h"

namespace spwplay {
namespace {

constexpr int kEditorWidth = 520, kEditorHeight = 402;  // the editor at 100 %; the window sits at the origin
constexpr uint32_t kRightArrow = 0xFF53;

// Presses and releases the key of symbol with the pointer at x, y, through XTest.
bool PressKeyAt(int x, int y, uint32_t symbol) {
  xcb_connection_t* conn = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(conn)) {
    xcb_disconnect(conn);
    return false;
  }
  const xcb_setup_t* setup = xcb_get_setup(conn);
  const int codes = setup->max_keycode - setup->min_keycode + 1;
  xcb_get_keyboard_mapping_reply_t* map = xcb_get_keyboard_mapping_reply(
      conn, xcb_get_keyboard_mapping(conn, setup->min_keycode, uint8_t(codes)), nullptr);
  uint8_t code = 0;
  for (int i = 0; map && i < codes && !code; ++i) {
    const xcb_keysym_t first = xcb_get_keyboard_mapping_keysyms(map)[i * map->keysyms_per_keycode];
    if (first == symbol) code = uint8_t(setup->min_keycode + i);
  }
  free(map);
  const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
  for (const uint8_t type : {uint8_t(XCB_MOTION_NOTIFY), uint8_t(XCB_KEY_PRESS), uint8_t(XCB_KEY_RELEASE)}) {
    xcb_test_fake_input(conn, type, type == XCB_MOTION_NOTIFY ? 0 : code, XCB_CURRENT_TIME, root, int16_t(x),
                        int16_t(y), 0);
    free(xcb_get_input_focus_reply(conn, xcb_get_input_focus(conn), nullptr));
  }
  xcb_disconnect(conn);
  return code != 0;
}

// The screen's pixels (0x00RRGGBB) of width x height at the origin.
std::vector<uint32_t> Screen(int width, int height) {
  xcb_connection_t* conn = xcb_connect(nullptr, nullptr);
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(conn)).data->root;
  xcb_get_image_reply_t* image = xcb_get_image_reply(
      conn, xcb_get_image(conn, XCB_IMAGE_FORMAT_Z_PIXMAP, root, 0, 0, uint16_t(width), uint16_t(height), ~0u),
      nullptr);
  std::vector<uint32_t> pixels;
  if (image && xcb_get_image_data_length(image) == width * height * 4) {
    const auto* data = reinterpret_cast<const uint32_t*>(xcb_get_image_data(image));
    for (int i = 0; i < width * height; ++i) pixels.push_back(data[i] & 0xFFFFFF);
  }
  free(image);
  xcb_disconnect(conn);
  return pixels;
}

class ProgramBarWindowTest : public LivePlayTest {
 protected:
  void SetUp() override {
    LivePlayTest::SetUp();
    std::string error;
    module_ = spwhost::Module::Load(BundlePath(), &error);
    ASSERT_TRUE(module_) << error;
    plugin_ = module_->CreatePlugin(&error);
    ASSERT_TRUE(plugin_ && plugin_->Initialize(&error)) << error;
    ASSERT_TRUE(catalog_.Read(*plugin_, &error)) << error;
  }

  // The bar as it draws programme and event, beside the editor at 100 %.
  std::vector<uint32_t> Drawn(int programme, const std::string& event) {
    ProgramBar bar(catalog_.Names(), [](int) {});
    const int height = bar.Layout(kEditorWidth, kEditorHeight);
    bar.Show(programme, event);
    RasterMemBitmap picture(kEditorWidth, height);
    bar.DrawStrip(picture);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < kEditorWidth; ++x) pixels.push_back(picture.Row(y)[x] & 0xFFFFFF);
    }
    return pixels;
  }

  // The label the session gives its event at index.
  std::string Label(const std::string& session, size_t index) {
    spwrender::Timeline timeline;
    std::vector<spwrender::TimelineProblem> problems;
    std::vector<spwrender::AutomationEvent> events;
    EXPECT_TRUE(spwrender::ParseTimeline(session, &timeline, &problems));
    EXPECT_TRUE(spwrender::ResolveTimeline(*plugin_, timeline, kJackRate, &events, &problems));
    return index < events.size() ? events[index].label : std::string();
  }

  std::unique_ptr<spwhost::Module> module_;
  std::unique_ptr<spwhost::Plugin> plugin_;
  spwrender::ProgramCatalog catalog_;
};

TEST_F(ProgramBarWindowTest, NextAndAnArrowKeyChangeTheProgrammeSeenHeardAndKept) {
  withWindow_ = true;
  constexpr int kFirst = 6;  // "Golden waves", then "C Major style", then "Zig Zag harmonics"
  const std::string text = "0 program " + std::to_string(kFirst) + "\n0:01 set Fade=2\n0:09 end\n";
  const std::string session = WriteFile("session.txt", text);
  const std::string event = Label(text, 1);
  const int bar = ProgramBarLayout(kEditorWidth, kEditorHeight).BarHeight();
  const RasterRect next = ProgramBarLayout(kEditorWidth, kEditorHeight).Next();
  std::vector<uint32_t> before, afterClick, afterKey;
  double clicked = 0.0, pressed = 0.0;
  const Heard heard = Play({"--timeline", session}, [&](ChildProcess& player, JackRecorder& recorder) {
    const auto settle = [] { std::this_thread::sleep_for(std::chrono::milliseconds(300)); };
    WaitForRecording(player, recorder, 2.5);
    before = Screen(kEditorWidth, bar);
    clicked = recorder.Seconds();
    ASSERT_TRUE(ClickOnScreen(next.x + next.w / 2, next.y + next.h / 2));
    settle();
    afterClick = Screen(kEditorWidth, bar);
    WaitForRecording(player, recorder, 5.5);
    pressed = recorder.Seconds();
    ASSERT_TRUE(PressKeyAt(kEditorWidth / 2, bar + kEditorHeight / 2, kRightArrow)) << "over the editor";
    settle();
    afterKey = Screen(kEditorWidth, bar);
  });
  ASSERT_EQ(heard.status, 0) << heard.messages;
  EXPECT_EQ(before, Drawn(kFirst, event)) << "the session's programme and event";
  EXPECT_EQ(afterClick, Drawn(kFirst + 1, event)) << "next";
  EXPECT_EQ(afterKey, Drawn(kFirst + 2, event)) << "the right arrow";

  // Heard: the tones the renderer plays for the same changes at the same moments of
  // the session, once the plug-in's glides into each are over. A change of
  // programme keeps the tones the new one shares (C Major style to Zig Zag
  // harmonics leaves two behind), which a start from the programme would not.
  const double start = SoundStarts(heard.left) - PlayerEngine::kLeadSeconds;  // the session's 0 in the recording
  char changes[160];
  std::snprintf(changes, sizeof changes, "0 program %d\n0:01 set Fade=2\n%.3f program %d\n%.3f program %d\n0:09 end\n",
                kFirst, clicked - start, kFirst + 1, pressed - start, kFirst + 2);
  const AudioReadback rendered = Render({"--timeline", WriteFile("same.txt", changes)});
  const double settled = 1.0;  // seconds after a change
  const double from[] = {start + 0.5, clicked + settled, pressed + settled};
  const double to[] = {clicked, pressed, pressed + 3.0};
  std::vector<std::vector<double>> tones;
  for (double t : from) tones.push_back(Tones(rendered.left, t - start, 1.0, 100, 700));
  // The best of a few seconds (a loaded machine's dropout smears one).
  const auto miss = [&](size_t span, const std::vector<double>& expected) {
    double least = HUGE_VAL;
    for (double t = from[span]; t + 1.0 <= to[span]; t += 0.25) {
      least = std::min(least, WorstToneMiss(Tones(heard.left, t, 1.0, 100, 700), expected));
    }
    return least;
  };
  for (size_t p = 0; p < 3; ++p) {
    EXPECT_LE(miss(p, tones[p]), 0.5) << "programme " << kFirst + int(p);
    EXPECT_GT(miss(p, tones[(p + 1) % 3]), 2.0) << "not programme " << kFirst + int((p + 1) % 3) << " then";
  }

  // Kept: the next plain start plays the programme chosen last, and names it.
  std::vector<uint32_t> shown;
  const Heard later = Play({"--duration", "3"}, [&](ChildProcess& player, JackRecorder& recorder) {
    WaitForRecording(player, recorder, 1.5);
    shown = Screen(kEditorWidth, bar);
  });
  ASSERT_EQ(later.status, 0) << later.messages;
  EXPECT_EQ(shown, Drawn(kFirst + 2, "")) << "named at the next start";
  const std::vector<double> fresh =
      Tones(Render({"--program", std::to_string(kFirst + 2), "--duration", "3"}).left, 1.0, 1.0, 100, 700);
  double least = HUGE_VAL;
  const double again = SoundStarts(later.left);
  for (double t = again + 0.5; t + 1.0 <= again + 2.5; t += 0.25) {
    least = std::min(least, WorstToneMiss(Tones(later.left, t, 1.0, 100, 700), fresh));
  }
  EXPECT_LE(least, 0.5) << "played at the next start";
}

}  // namespace
}  // namespace spwplay
