// spw_snapshot's command line: actions kept in order, bad input refused with a
// reason, and no file where writing fails.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "editor_session.h"
#include "snapshot_options.h"

namespace {

using spwsnapshot::SnapshotAction;
using spwsnapshot::SnapshotOptions;

TEST(SnapshotOptions, ActionsRunInTheOrderGiven) {
  SnapshotOptions options;
  std::string error;
  ASSERT_TRUE(spwsnapshot::ParseSnapshotOptions({"--set", "Wave=Saw", "-o", "a.png", "--drag", "110,168,0,-30",
                                                 "--wheel", "234,124,-2", "--blocks", "3", "--controls"},
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
      {"-o", "a.png", "--blocks", "0"},
      {"-o", "a.png", "--set", "Wave"},    // no value
      {"-o", "a.png", "--zoom", "2"},
      {"-o", "a.png", "stray"},
  };
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
  EXPECT_FALSE(session.WritePng(path));
  EXPECT_EQ(std::fopen(path.c_str(), "rb"), nullptr);
}

}  // namespace
