// spw_snapshot's command line: actions kept in order, bad input refused with a
// reason, no file where writing fails, and the listings' lines.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "editor_listing.h"
#include "editor_session.h"
#include "graphics_headless.h"
#include "stereo_pulse_weaver.h"
#include "snapshot_options.h"
#include "snapshot_script.h"

namespace {

using spwsnapshot::SnapshotAction;
using spwsnapshot::SnapshotOptions;

TEST(SnapshotOptions, ActionsRunInTheOrderGiven) {
  SnapshotOptions options;
  std::string error;
  ASSERT_TRUE(spwsnapshot::ParseSnapshotOptions({"--set", "Wave=Saw", "-o", "a.png", "--drag", "110,168,0,-30",
                                                 "--wheel", "234,124,-2", "--blocks", "3", "--controls", "--scale", "1.5"},
                                                &options, &error))
      << error;
  EXPECT_EQ(options.output, "a.png");
  EXPECT_TRUE(options.listControls);
  EXPECT_FALSE(options.listParams);
  ASSERT_EQ(options.actions.size(), 4u);
  EXPECT_EQ(options.actions[0].kind, SnapshotAction::Kind::Set);
  EXPECT_EQ(options.actions[0].text, "Wave=Saw");
  EXPECT_EQ(options.actions[1].dy, -30);
  EXPECT_EQ(options.actions[2].count, -2);
  EXPECT_EQ(options.actions[3].count, 3);
  EXPECT_EQ(options.scale, 1.5);
}

TEST(SnapshotOptions, BadInputIsRefusedWithOneReason) {
  SnapshotOptions nothing;
  std::string reason;
  ASSERT_TRUE(spwsnapshot::ParseSnapshotOptions({"--blocks", "2"}, &nothing, &reason));
  EXPECT_FALSE(nothing.HasWork());  // the tool refuses: no file, no listing
  const std::vector<std::vector<std::string>> bad = {
      {"-o"},                              // no file name
      {"-o", "a.png", "--click", "10"},    // one number
      {"-o", "a.png", "--click", "10,x"},  // not a number
      {"-o", "a.png", "--click", "520,0"}, // outside the editor
      {"-o", "a.png", "--drag", "1,2,3"},  // three of four
      {"-o", "a.png", "--wheel", "234,124,274"},          // would wrap a 16-bit wheel delta
      {"-o", "a.png", "--wheel", "234,124,-2147483648"},  // would overflow the scroll arithmetic
      {"-o", "a.png", "--drag", "1,2,2147483647,0"},
      {"-o", "a.png", "--drag", "1,2,0,-40000"},           // beyond a 16-bit pointer position
      {"-o", "a.png", "--blocks", "0"},
      {"-o", "a.png", "--set", "Wave"},    // no value
      {"-o", "a.png", "--zoom", "2"},
      {"-o", "a.png", "--scale", "2.5"},   // above 200 %
      {"-o", "a.png", "--scale", "0.5"},
      {"-o", "a.png", "--scale", "2x"},
      {"-o", "a.png", "stray"},
      {"-o", "a.jpg"},                     // not a PNG name
      {"-o", "editor"},
  };
  SnapshotOptions limits;
  EXPECT_TRUE(spwsnapshot::ParseSnapshotOptions(
      {"-o", "a.png", "--wheel", "234,124,-100", "--drag", "1,2,4000,-4000"}, &limits, &reason)) << reason;
  for (const auto& args : bad) {
    SnapshotOptions options;
    std::string error;
    EXPECT_FALSE(spwsnapshot::ParseSnapshotOptions(args, &options, &error)) << args.size();
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error.find('\n'), std::string::npos);
  }
}

TEST(SnapshotOptions, AnUnwritableFileIsNotLeftBehind) {
  spwsnapshot::EditorSession session;
  std::string error;
  ASSERT_TRUE(session.Start(&error)) << error;
  const std::string path = "no-such-folder/editor.png";
  EXPECT_FALSE(session.WritePng(path, &error));
  EXPECT_EQ(std::fopen(path.c_str(), "rb"), nullptr);
  // The system's own reason, after the file's name.
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_NE(error.find(std::strerror(ENOENT)), std::string::npos) << error;
}

// --type needs an open value entry and a text that is one of its values; else the
// run stops with the reason, and the parameter keeps its value.
TEST(SnapshotOptions, TypingNeedsAnOpenEntryAndAValue) {
  struct Case {
    std::vector<std::string> args;
    const char* reason;  // empty: it runs
  } cases[] = {
      {{"--type", "2.5"}, "no value entry is open"},
      {{"--rclick", "234,124", "--type", "soft"}, "not a value of"},
      {{"--rclick", "234,124", "--type", "2.5"}, ""},
  };
  for (const Case& c : cases) {
    SnapshotOptions options;
    std::string error;
    ASSERT_TRUE(spwsnapshot::ParseSnapshotOptions(c.args, &options, &error)) << error;
    spwsnapshot::EditorSession session;
    ASSERT_TRUE(session.Start(&error)) << error;
    spwsnapshot::SnapshotScript script(session);
    error.clear();
    EXPECT_EQ(script.RunAll(options.actions, &error), *c.reason == '\0') << c.args.back();
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    EXPECT_EQ(session.Graphics().PendingEntry(), nullptr) << "no entry is left open";
  }
}

// The lines a listing printed.
template <class Print>
std::vector<std::string> Lines(Print print) {
  std::FILE* file = std::tmpfile();
  print(file);
  std::rewind(file);
  std::vector<std::string> lines;
  char line[256];
  while (std::fgets(line, sizeof line, file)) lines.emplace_back(line, std::strcspn(line, "\n"));
  std::fclose(file);
  return lines;
}

TEST(SnapshotListings, ControlsAndParametersOneLineEach) {
  spwsnapshot::EditorSession session;
  std::string error;
  ASSERT_TRUE(session.Start(&error)) << error;
  const auto controls = Lines([&](std::FILE* f) { spwsnapshot::PrintControls(session.Graphics(), f); });
  ASSERT_EQ(controls.size(), 22u);
  EXPECT_EQ(controls[10], "10\tIKnobRotVal\t64\t122\t156\t226\t1\t1");  // "Base Freq", hidden
  EXPECT_EQ(controls[19], "19\tISwitchLbl\t335\t231\t413\t240\t5\t0");
  EXPECT_EQ(controls[20], "20\tPHASE\t479\t238\t508\t255\t-1\t0");
  EXPECT_EQ(controls[21], "21\tNOTES\t12\t263\t508\t388\t-1\t0");
  const auto params = Lines([&](std::FILE* f) { spwsnapshot::PrintParameters(session.Plug(), f); });
  ASSERT_EQ(params.size(), 24u);
  EXPECT_EQ(params[5], "Binaural Pan\t0.500000\tCenter Right");
  EXPECT_EQ(params[10], "Volume\t0.750000\t75 %");
  EXPECT_EQ(params[23], "Slot 12\t0.000000\t0");
}

}  // namespace
