// The popup menu of a switch or an enumerated knob, opened with a right
// click: its rows, scrollbar and place, what a click chooses, and the typed
// value entry of a real-valued knob.

#include <gtest/gtest.h>

#include "editor_fixture.h"

namespace {

IArea CentreOf(const IArea& r) { return IArea((r.left + r.right) / 2, (r.top + r.bottom) / 2, 0, 0); }

class PopupMenu : public EditorFixture {
 protected:
  void ClickAt(const IArea& point, bool right = false) { session.Click(point.left, point.top, right); }
};

TEST_F(PopupMenu, SevenWavesShowFiveRowsWithAScrollbarAndTheCurrentWaveInView) {
  Queue(kWave, 6);
  session.Step();
  session.Click(471, 120, true);  // the "Wave" slider
  PromptPopup* popup = Popup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->EntryCount(), 7);
  EXPECT_EQ(popup->VisibleRows(), 5);
  EXPECT_EQ(popup->Rect().H(), 105);
  EXPECT_EQ(popup->ThumbLength(), 95);
  EXPECT_EQ(popup->Track(), 8);
  EXPECT_EQ(popup->Selected(), 6);
  EXPECT_EQ(popup->FirstVisible(), 2);  // the last five: the current wave at the bottom
  EXPECT_EQ(popup->ScrollOffset(), 8);

  const IArea middle = CentreOf(popup->EntryRect(2));
  session.Wheel(middle.left, middle.top, 1);  // three pixels back
  EXPECT_EQ(popup->ScrollOffset(), 5);
  EXPECT_EQ(popup->FirstVisible(), 1);
  session.Click(middle.left, popup->Rect().bottom, false);  // the bottom edge: below the last row
  ASSERT_EQ(Popup(), popup);
  EXPECT_EQ(Value(kWave), 6.0);
  ClickAt(CentreOf(popup->EntryRect(0)));  // "Triangle", now at the top
  EXPECT_EQ(Value(kWave), 1.0);
  EXPECT_EQ(Popup(), nullptr);
  EXPECT_EQ(Graphics().ControlCount(), 22);
}

TEST_F(PopupMenu, TwoEntriesAreCentredOnTheirSwitchSixPixelsInsideTheEditorAtMost) {
  struct Case {
    const char* where;
    IArea switchRect;
    IArea menu;  // 95 x 42: "By Volume" widens the column to 91, plus the margin
  };
  const Case cases[] = {
      {"at its place", IArea(209, 153, 259, 171), IArea(187, 141, 282, 183)},
      {"in the bottom right corner", IArea(480, 380, 520, 402), IArea(419, 354, 514, 396)},
      {"in the top left corner", IArea(0, 0, 30, 20), IArea(6, 6, 101, 48)},
  };
  IControl& fadeSwitch = *Graphics().ControlAt(spw_editor::kStartStopFadeSwitch);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    fadeSwitch.SetRect(c.switchRect);
    ClickAt(CentreOf(c.switchRect), true);
    PromptPopup* popup = Popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->Rect() == c.menu);
    EXPECT_EQ(popup->ThumbLength(), 0);
    EXPECT_EQ(popup->Selected(), 0);
    ClickAt(CentreOf(popup->EntryRect(0)));  // the selected entry again: chosen, and the menu goes
    EXPECT_EQ(Popup(), nullptr);
    EXPECT_EQ(Value(kStartStopFade), 0.0);
  }
}

TEST(PopupMenuHover, OnlyARowThatIsDrawnWithAnEntryInItHovers) {
  // Three columns of seven entries: rows of 3, 3 and 1; 70 pixels a column, 21 a row.
  PromptPopup popup(nullptr, 10, 20, 70, 3, ITextStyle("Arial", 15, IRgba(200, 255, 255, 255)),
                    IRgba(245, 50, 50, 50), IRgba(75, 20, 180, 220));
  for (const char* text : {"Sine", "Tri", "Saw", "Gold 1", "Gold 2", "Gold 3", "Gold 4"}) {
    popup.AddEntry(text);
  }
  ASSERT_TRUE(popup.Rect() == IArea(10, 20, 10 + 3 * 70 + 4, 20 + 63));
  struct Point {
    int x, y;
    int hovered;
  };
  const Point points[] = {
      {20, 25, 0}, {100, 50, 4}, {200, 50, 5}, {20, 75, 6},
      {100, 75, PromptPopup::kNoEntry},  // past the last entry
      {20, 83, PromptPopup::kNoEntry},   // the bottom edge
  };
  for (const Point& p : points) {
    popup.MouseOver(p.x, p.y, IMouseKeys());
    EXPECT_EQ(popup.Hovered(), p.hovered) << p.x << "," << p.y;
  }
}

TEST_F(PopupMenu, ARealValuedKnobTakesATypedValueInstead) {
  Script({"--rclick", "234,124", "--type", "2.5"});  // the "Fade" knob
  EXPECT_EQ(Popup(), nullptr);
  EXPECT_EQ(Graphics().PendingEntry(), nullptr);
  EXPECT_EQ(Value(kFade), 2.5);
}

}  // namespace
