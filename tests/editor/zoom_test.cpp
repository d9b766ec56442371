// The person's zoom: the background's menu of 100 % to 200 %, what a choice
// does to the editor (and not to the plug-in's state), and the small settings
// file that remembers it for the user.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "editor_fixture.h"
#include "raster_bitmap.h"
#include "state_chunk.h"
#include "zoom_setting.h"

namespace {

namespace fs = std::filesystem;
using spw_editor::LoadZoom;
using spw_editor::SaveZoom;

constexpr int kBackgroundX = 3, kBackgroundY = 3;  // a corner where no control lies

class Zoom : public EditorFixture {
 protected:
  // Opens the background's menu and chooses the entry.
  void Choose(int entry) {
    session.Click(kBackgroundX, kBackgroundY, true);
    ASSERT_NE(Popup(), nullptr);
    const IArea r = Popup()->EntryRect(entry);
    session.Click((r.left + r.right) / 2, (r.top + r.bottom) / 2, false);
  }
};

TEST_F(Zoom, TheBackgroundsMenuOffersFiveZoomsWithTheCurrentOneSelected) {
  session.Click(kBackgroundX, kBackgroundY, true);
  ASSERT_NE(Popup(), nullptr);
  ASSERT_EQ(Popup()->EntryCount(), 5);
  EXPECT_EQ(Popup()->Selected(), 0) << "100 %";
  session.Click(kBackgroundX, kBackgroundY, false);  // a click elsewhere closes it, nothing changes
  EXPECT_EQ(Popup(), nullptr);
  EXPECT_EQ(Graphics().Scale(), 1.0);
}

TEST_F(Zoom, AChoiceScalesTheEditorButNotThePluginsState) {
  StateChunk before;
  ASSERT_TRUE(Plug().SaveState(before));
  Choose(2);
  EXPECT_EQ(Popup(), nullptr);
  EXPECT_EQ(Graphics().Zoom(), 1.5);
  EXPECT_EQ(Graphics().Scale(), 1.5);
  EXPECT_EQ(Graphics().Surface()->Width(), 780);
  EXPECT_EQ(Graphics().Surface()->Height(), 603);
  StateChunk after;
  ASSERT_TRUE(Plug().SaveState(after));
  EXPECT_EQ(after.Size(), 192);
  EXPECT_EQ(after.Size(), before.Size());
  // At 150 % the menu opens again under a right click at the same editor place.
  Choose(0);
  EXPECT_EQ(Graphics().Scale(), 1.0);
}

TEST_F(Zoom, TheHostsScaleTimesTheZoomStaysWithin100And200Percent) {
  const struct {
    double host, zoom, scale;
  } cases[] = {{1.0, 1.25, 1.25}, {1.5, 1.25, 1.875}, {1.5, 1.5, 2.0}, {2.0, 2.0, 2.0}, {0.75, 1.0, 1.0}, {0.75, 2.0, 1.5}};
  for (const auto& c : cases) {
    Graphics().SetHostScale(c.host);
    Graphics().SetZoom(c.zoom);
    EXPECT_DOUBLE_EQ(Graphics().Scale(), c.scale) << c.host << " x " << c.zoom;
    EXPECT_EQ(Graphics().Surface()->Width(), Graphics().DeviceWidth());
  }
  const double kept = Graphics().Scale();
  for (double nonsense : {0.0, -1.5, std::nan("")}) {
    Graphics().SetHostScale(nonsense);
    Graphics().SetZoom(nonsense);
    EXPECT_EQ(Graphics().Scale(), kept) << nonsense;
  }
}

class ZoomSetting : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = (fs::temp_directory_path() / ("spw_zoom_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                 .u8string();
    fs::remove_all(fs::u8path(folder));
  }
  void TearDown() override { fs::remove_all(fs::u8path(folder)); }
  fs::path File() const { return fs::u8path(folder) / "settings.ini"; }
  std::string folder;
};

TEST_F(ZoomSetting, ASavedZoomIsReadBackAndNothingTemporaryIsLeft) {
  EXPECT_EQ(LoadZoom(folder), 100) << "no file yet";
  for (int percent : {150, 200, 125}) {
    ASSERT_TRUE(SaveZoom(folder, percent));
    EXPECT_EQ(LoadZoom(folder), percent);
  }
  int files = 0;
  for (const auto& entry : fs::directory_iterator(fs::u8path(folder))) files += entry.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 1);
}

TEST_F(ZoomSetting, AFileThatCannotBeReadCountsAs100AndAZoomNotOfferedIsNotSaved) {
  const char* contents[] = {"zoom=151\n", "zoom=abc\n", "", "size=150\n", "zoom=150x\n"};
  fs::create_directories(fs::u8path(folder));
  for (const char* text : contents) {
    std::ofstream(File(), std::ios::trunc) << text;
    EXPECT_EQ(LoadZoom(folder), 100) << text;
  }
  std::ofstream(File(), std::ios::trunc) << "zoom=175\r\n";  // edited on Windows
  EXPECT_EQ(LoadZoom(folder), 175);
  EXPECT_FALSE(SaveZoom(folder, 300));
  EXPECT_EQ(LoadZoom(folder), 175) << "the old setting stays";
  EXPECT_FALSE(SaveZoom("", 150));
}

TEST_F(ZoomSetting, AFolderThatCannotBeMadeKeepsNothingAndReportsIt) {
  fs::create_directories(fs::u8path(folder));
  std::ofstream(fs::u8path(folder) / "file") << "in the way";
  EXPECT_FALSE(SaveZoom((fs::u8path(folder) / "file" / "below").u8string(), 150));
}

}  // namespace
