// spw_snapshot --window: the same script in a real window, with real events,
// read back from the screen, shows exactly what the headless editor draws.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "editor_session.h"
#include "raster_png.h"
#include "snapshot_options.h"
#include "snapshot_script.h"

namespace {

// The script's picture as spw_snapshot writes it; null when a step fails.
std::unique_ptr<RasterMemBitmap> Snapshot(const std::vector<std::string>& args, const std::string& path) {
  spwsnapshot::SnapshotOptions options;
  std::string error;
  EXPECT_TRUE(spwsnapshot::ParseSnapshotOptions(args, &options, &error)) << error;
  spwsnapshot::EditorSession session(options.window, options.scale);
  if (!session.Start(&error)) {
    ADD_FAILURE() << error;
    return nullptr;
  }
  spwsnapshot::SnapshotScript script(session);
  EXPECT_TRUE(script.Check(options.actions, &error)) << error;
  EXPECT_TRUE(script.RunAll(options.actions, &error)) << error;
  if (!session.WritePng(path)) return nullptr;
  std::ifstream file(path, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return RasterDecodePng(bytes.data(), bytes.size());
}

// The script run headless and in a window gives the same picture.
void ExpectTheSamePicture(const std::vector<std::string>& script) {
  std::vector<std::string> headlessArgs = {"-o", "snapshot_headless.png"};
  std::vector<std::string> windowArgs = {"--window", "-o", "snapshot_window.png"};
  headlessArgs.insert(headlessArgs.end(), script.begin(), script.end());
  windowArgs.insert(windowArgs.end(), script.begin(), script.end());

  const auto headless = Snapshot(headlessArgs, "snapshot_headless.png");
  const auto window = Snapshot(windowArgs, "snapshot_window.png");
  ASSERT_TRUE(headless && window);
  ASSERT_EQ(window->Width(), headless->Width());
  ASSERT_EQ(window->Height(), headless->Height());
  int differing = 0;
  for (int y = 0; y < headless->Height(); ++y) {
    for (int x = 0; x < headless->Width(); ++x) {
      // The screen has no alpha: compare colours.
      differing += (headless->Row(y)[x] & 0xFFFFFFu) != (window->Row(y)[x] & 0xFFFFFFu) ? 1 : 0;
    }
  }
  EXPECT_EQ(differing, 0) << "see snapshot_headless.png and snapshot_window.png";
  if (differing == 0) {
    std::remove("snapshot_headless.png");
    std::remove("snapshot_window.png");
  }
}

}  // namespace

TEST(SnapshotWindow, TheWindowShowsPixelForPixelWhatTheHeadlessEditorDraws) {
  // A programme, a knob dragged, a switch clicked, a cell clicked, a value typed, the
  // panel's thumb dragged out of the editor, a wheel turn, a hover.
  ExpectTheSamePicture({"--program", "104", "--drag", "234,218,0,-30", "--click", "125,97", "--click", "180,300",
                        "--rclick", "234,124", "--type", "2.5", "--drag", "499,290,0,200", "--wheel", "234,124,2",
                        "--hover", "110,168"});
}

TEST(SnapshotWindow, AtOneAndAHalfTheWindowShowsWhatTheHeadlessEditorDrawsAtThatScale) {
  // The host's scale reaches the view before it opens; the actions stay in editor pixels.
  ExpectTheSamePicture({"--scale", "1.5", "--program", "104", "--drag", "234,218,0,-30", "--click", "125,97",
                        "--click", "180,300", "--rclick", "471,120", "--hover", "110,168"});
}
