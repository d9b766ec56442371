// The person's zoom: the background's menu of 100 % to 200 %, what a choice
// does to the editor (and not to the plug-in's state), and the small settings
// file that remembers it for the user.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "editor_fixture.h"
#include "raster_bitmap.h"
#include "scratch_folder.h"
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

TEST_F(Zoom, TheBackgroundsMenuOffersFiveZoomsAndAChoiceScalesTheEditorButNotThePluginsState) {
  StateChunk before, after;
  ASSERT_TRUE(Plug().SaveState(before));
  session.Click(kBackgroundX, kBackgroundY, true);
  ASSERT_NE(Popup(), nullptr);
  ASSERT_EQ(Popup()->EntryCount(), 5);
  EXPECT_EQ(Popup()->Selected(), 0) << "100 %";
  session.Click(kBackgroundX, kBackgroundY, false);  // a click elsewhere closes it, nothing changes
  EXPECT_EQ(Popup(), nullptr);
  EXPECT_EQ(Graphics().Scale(), 1.0);

  Choose(2);
  EXPECT_EQ(Popup(), nullptr);
  EXPECT_EQ(Graphics().Zoom(), 1.5);
  EXPECT_EQ(Graphics().Scale(), 1.5);
  EXPECT_EQ(Graphics().Surface()->Width(), 780);
  EXPECT_EQ(Graphics().Surface()->Height(), 603);
  ASSERT_TRUE(Plug().SaveState(after));
  ASSERT_EQ(after.Size(), 192);
  ASSERT_EQ(after.Size(), before.Size());
  EXPECT_EQ(std::memcmp(after.Data(), before.Data(), 192), 0) << "the plug-in's state, byte for byte";
  // At 150 % the menu opens again under a right click at the same editor place.
  Choose(0);
  EXPECT_EQ(Graphics().Scale(), 1.0);
}

// Escape closes the zoom menu as it closes the other menus, and chooses nothing.
TEST_F(Zoom, EscapeClosesEveryMenuAndChoosesNothing) {
  const struct {
    const char* menu;
    int x, y;  // where a right click opens it
  } menus[] = {{"zoom", kBackgroundX, kBackgroundY}, {"Wave", 471, 120}};
  for (const auto& m : menus) {
    StateChunk before, after;
    ASSERT_TRUE(Plug().SaveState(before));
    session.Click(m.x, m.y, true);
    ASSERT_NE(Graphics().OpenPopup(), nullptr) << m.menu;
    Graphics().KeyDown(m.x, m.y, EKey::Escape);
    EXPECT_EQ(Graphics().OpenPopup(), nullptr) << m.menu;
    EXPECT_EQ(Graphics().Zoom(), 1.0) << m.menu;
    ASSERT_TRUE(Plug().SaveState(after));
    ASSERT_EQ(after.Size(), before.Size());
    EXPECT_EQ(std::memcmp(after.Data(), before.Data(), size_t(after.Size())), 0) << m.menu;
    // The next right click opens the menu again.
    session.Click(m.x, m.y, true);
    EXPECT_NE(Graphics().OpenPopup(), nullptr) << m.menu;
    Graphics().KeyDown(m.x, m.y, EKey::Escape);
  }
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
  ScratchFolder scratch{"spw_zoom_"};
  const std::string folder = scratch.path.u8string();
  const fs::path file = scratch.path / "settings.ini";
};

TEST_F(ZoomSetting, ASavedZoomIsReadBackAndNothingTemporaryIsLeft) {
  EXPECT_EQ(LoadZoom(folder), 100) << "no file yet";
  for (int percent : {150, 200, 125}) {
    ASSERT_TRUE(SaveZoom(folder, percent));
    EXPECT_EQ(LoadZoom(folder), percent);
  }
  EXPECT_EQ(ScratchFolder::Entries(scratch.path), 1);
}

TEST_F(ZoomSetting, AFileThatCannotBeReadCountsAs100AndAZoomThatCannotBeSavedLeavesTheOldOne) {
  fs::create_directories(scratch.path);
  for (const char* text : {"zoom=151\n", "zoom=abc\n", "", "size=150\n", "zoom=150x\n"}) {
    std::ofstream(file, std::ios::trunc) << text;
    EXPECT_EQ(LoadZoom(folder), 100) << text;
  }
  std::ofstream(file, std::ios::trunc) << "zoom=175\r\n";  // edited on Windows
  EXPECT_EQ(LoadZoom(folder), 175);
  const struct {
    std::string folder;
    int percent;
    const char* why;
  } refused[] = {
      {folder, 300, "not offered"}, {"", 150, "no folder"}, {(file / "below").u8string(), 150, "a file in the way"}};
  for (const auto& r : refused) {
    EXPECT_FALSE(SaveZoom(r.folder, r.percent)) << r.why;
    EXPECT_EQ(LoadZoom(folder), 175) << r.why << ": the old setting stays";
  }
}

}  // namespace
