// The slot panel played with the mouse as spw_snapshot plays it: which slot a
// click gives, what a refused click and a release show, what a point beside
// the cells hits, how far the thumb and the wheel scroll, and when the grid's
// work runs with and without an editor window.

#include <gtest/gtest.h>

#include <mutex>

#include "editor_fixture.h"

namespace {

using spw_editor::kLeftEarCaptionControl;
using spw_editor::kRightEarCaptionControl;

class SlotPanel : public EditorFixture {
 protected:
  float SlotHz(int slot) {
    std::lock_guard<std::recursive_mutex> lock(Plug().Mutex());
    return Plug().Engine().bank.slotFrequency[slot];
  }
  void ScrollToTop() { session.Drag(499, 300, 0, -200); }
};

TEST_F(SlotPanel, ClicksTakeTheLowestFreeSlotARightClickReleasesAndTheThirteenthIsRefused) {
  ASSERT_EQ(SlotParam(0), 22);  // out of the box: 256 Hz, row 3, column 0
  ClickCell(1, 0);              // 35.92 Hz
  EXPECT_EQ(SlotParam(1), 2);
  ClickCell(0, 3);              // an occupied cell only shows its pair: 256 Hz centred on a 4 Hz beat
  EXPECT_EQ(Text(kLeftEarCaptionControl), "254.00Hz");
  EXPECT_EQ(Text(kRightEarCaptionControl), "258.00Hz");
  ClickCell(0, 3, true);        // released: the captions show the highest slot still sounding
  EXPECT_EQ(SlotParam(0), 0);
  EXPECT_EQ(Text(kLeftEarCaptionControl), "33.92Hz");
  EXPECT_EQ(Text(kRightEarCaptionControl), "37.92Hz");
  ClickCell(2, 0);              // the freed first slot comes first
  EXPECT_EQ(SlotParam(0), 3);

  for (int column = 0; column < 7; ++column) ClickCell(column, 1);
  for (int column = 0; column < 3; ++column) ClickCell(column, 2);
  ASSERT_EQ(Grid().OccupiedCount(), 12);
  ClickCell(3, 2);  // the thirteenth
  EXPECT_FALSE(Grid().Occupied(2 * 7 + 3));
  for (int slot = 0; slot < 12; ++slot) EXPECT_NE(SlotParam(slot), 2 * 7 + 4) << "slot " << slot;
  EXPECT_EQ(Plug().Engine().activeSlotCount, 12);
  EXPECT_EQ(Plug().Engine().phaseSync.ActiveTones(), 12);
  EXPECT_EQ(Status(), "Set base frequencies");  // the panel's own text, nothing more
}

TEST_F(SlotPanel, PointsBesideTheCellsHitNothingAndLeaveHoverAndStatusAlone) {
  struct Point {
    const char* where;
    int x, y;
  };
  const Point points[] = {
      {"left of the first column", 13, CellY(1)},
      {"between two columns", CellX(0) + 34, CellY(1)},
      {"between two rows", CellX(2), 263 + 2 + 22 + 1},
      {"right of the seventh column", 492, CellY(1)},
      {"beside the thumb", 506, CellY(1)},
      {"below the fifth row", CellX(2), 388},
  };
  session.Hover(CellX(3), CellY(2));
  ASSERT_EQ(Panel().Hovered(), 3 + 7 * 2);
  Plug().ShowStatus("unchanged");
  for (const Point& p : points) {
    SCOPED_TRACE(p.where);
    Graphics().MouseOver(p.x, p.y, IMouseKeys());
    EXPECT_EQ(Panel().Hovered(), 3 + 7 * 2);
    EXPECT_EQ(Status(), "unchanged");
    Graphics().MouseDown(p.x, p.y, Left());
    EXPECT_EQ(Grid().HeldCell(), -1);
    Graphics().MouseUp(p.x, p.y, IMouseKeys());
    session.Step();
    EXPECT_EQ(Grid().OccupiedCount(), 1);
  }
}

TEST_F(SlotPanel, TheThumbTravels84PixelsAndTheWheelStepsThreeOrTwoRows) {
  EXPECT_EQ(Panel().Track(), 84);
  session.Drag(499, 290, 0, 300);  // beyond the end
  EXPECT_EQ(Panel().ScrollOffset(), 84);
  EXPECT_TRUE(Panel().ThumbRect() == IArea(494, 348, 504, 388));
  EXPECT_EQ(Panel().FirstVisibleRow(), 5);  // the last five of ten rows
  session.Drag(499, 360, 0, -300);
  EXPECT_EQ(Panel().ScrollOffset(), 0);
  session.Click(499, 380, false);  // below the thumb: it jumps, centred on the click as far as it goes
  EXPECT_EQ(Panel().ScrollOffset(), 84);

  struct Case {
    int reference;  // 0 slots hold carriers (ten rows), 1 slots hold beats (fourteen rows)
    int notches;    // positive away from the user
    int firstRow;   // shown at the top afterwards
  };
  const Case cases[] = {{0, -1, 3}, {0, -1, 5}, {0, 1, 2}, {1, -1, 2}, {1, -3, 8}, {1, -1, 9}, {1, 2, 5}};
  int reference = -1;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "reference " << c.reference << ", " << c.notches << " notches");
    if (c.reference != reference) {
      Queue(kReference, c.reference);
      session.Step();
      ScrollToTop();
      reference = c.reference;
    }
    session.Wheel(CellX(3), CellY(2), c.notches);
    EXPECT_EQ(Panel().FirstVisibleRow(), c.firstRow);
  }
}

TEST_F(SlotPanel, ScrolledDownNoHiddenCellIsEverPressed) {
  session.Drag(499, 290, 0, 300);
  ASSERT_EQ(Panel().FirstVisibleRow(), 5);
  for (double beat : {5.0, 6.0, 4.0}) {  // passes with re-links and refreshes
    Queue(kBinaural, beat);
    session.Step();
    session.Step();
  }
  EXPECT_EQ(Grid().OccupiedCount(), 1);
  EXPECT_FALSE(Grid().Occupied(4 * 7 + 6));  // the cell just above the view
  session.Click(CellX(6), CellY(4), false);  // the last cell of the last row: above 20000 Hz
  EXPECT_EQ(Grid().OccupiedCount(), 1);
}

TEST_F(SlotPanel, WithAWindowOpenTheGridWorksOnTheTimerTickPaintedOrNot) {
  Plug().EditorOpened();
  Queue(kBinaural, 5.0);  // the grid now starts at 20 Hz: slot 1 ("Yes", fixed cell) drops to 160 Hz
  session.RenderBlock();
  EXPECT_EQ(SlotHz(0), 256.0f);  // waits for the editor
  const int paints = Graphics().PaintCount();
  Graphics().TimerTick();
  EXPECT_EQ(SlotHz(0), 160.0f);
  EXPECT_EQ(Graphics().PaintCount(), paints);

  // A quick click, let go before the next tick, is performed once.
  Graphics().MouseDown(CellX(1), CellY(0), Left());
  Graphics().MouseUp(CellX(1), CellY(0), IMouseKeys());
  session.Step();
  session.Step();
  EXPECT_EQ(SlotParam(1), 2);
  EXPECT_EQ(Grid().OccupiedCount(), 2);

  // A reference change while the button is held is not lost.
  Graphics().MouseDown(CellX(2), CellY(0), Left());
  session.Step();
  Queue(kBinaural, 4.0);
  session.Step();
  Graphics().MouseUp(CellX(2), CellY(0), IMouseKeys());
  session.Step();
  EXPECT_EQ(SlotHz(0), 256.0f);
  EXPECT_EQ(SlotParam(2), 3);

  // A refresh in the same block after an up/down re-link leaves the re-link
  // to be done: crossing 5 Hz moves every cell a row up.
  Queue(kLinkFreq, 2);
  Queue(kBinaural, 4.99);
  session.Step();
  Queue(kBinaural, 5.0);
  Queue(kSlot1 + 11, 50);
  session.Step();
  EXPECT_EQ(SlotParam(0), 22 + 7);
  EXPECT_EQ(SlotHz(0), 320.0f);  // was 319.36 Hz; the cell it left now plays 160 Hz

  Plug().EditorClosed();  // without a window, work runs where it is asked for
  Queue(kBinaural, 4.0);
  session.RenderBlock();
  EXPECT_EQ(SlotHz(0), 256.0f);
}

TEST_F(SlotPanel, WhenYesAndUpDownMovesTheCellsARowTheViewFollows) {
  Queue(kLinkFreq, 2);
  Queue(kBinaural, 4.99);  // the grid starts at 39.92 Hz
  session.Step();
  ClickCell(0, 4);         // cell 29, row 4
  ClickCell(0, 3, true);   // the programme's cell 22 let go: row 4 holds the lowest cell
  Queue(kBinaural, 5.0);   // the start halves to 20 Hz: every cell a row up, to row 5
  session.Step();
  ASSERT_EQ(SlotParam(1), 36);
  EXPECT_EQ(Panel().FirstVisibleRow(), 1);  // row 5 the last one shown
  session.Drag(499, 300, 0, 50);            // row 4 at the top
  ASSERT_EQ(Panel().FirstVisibleRow(), 4);
  Queue(kBinaural, 4.99);  // back a row down, to row 4: it becomes the second row shown
  session.Step();
  EXPECT_EQ(SlotParam(1), 29);
  EXPECT_EQ(Panel().FirstVisibleRow(), 3);
}

TEST(SlotPanelBeforeAudio, APressHeldIntoTheFirstBlockIsPerformedAReleasedOneIsLost) {
  for (bool held : {true, false}) {
    SCOPED_TRACE(held ? "held" : "released");
    spwsnapshot::EditorSession session;
    IGraphicsHeadless& graphics = session.Graphics();
    IMouseKeys left;
    left.left = true;
    graphics.MouseWheel(CellX(2), CellY(0), IMouseKeys(), -3);  // nothing to scroll yet
    graphics.MouseDown(CellX(2), CellY(0), left);  // on the blank panel
    if (!held) graphics.MouseUp(CellX(2), CellY(0), IMouseKeys());
    std::string error;
    ASSERT_TRUE(session.Start(&error)) << error;
    graphics.MouseUp(CellX(2), CellY(0), IMouseKeys());
    session.Step();
    EXPECT_EQ(session.Plug().Grid().Occupied(2), held);
    EXPECT_EQ(session.Plug().ParamAt(kSlot1)->Value(), 22.0);  // the programme's slot keeps its place
    EXPECT_EQ(session.Plug().ParamAt(kSlot1 + 1)->Value(), held ? 3.0 : 0.0);
  }
}

}  // namespace
