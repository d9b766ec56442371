// The harmonic grid: start frequency, rows, cell frequencies and labels, and
// the grid operations (assign, release, refresh, re-link, slot parameters).
#include <gtest/gtest.h>

#include <string>

#include "caption_format.h"
#include "engine_rig.h"

namespace {

class EngineGrid : public ::testing::Test {
 protected:
  EngineRig rig;
  ToneEngine& engine = rig.engine;
  HarmonicGrid& grid = rig.grid;

  std::string Label(int cell) {
    char text[kHzCaptionSize];
    grid.CellLabel(cell, text);
    return text;
  }
  float SlotHz(int slot) const { return engine.bank.slotFrequency[slot]; }
  int LastWriteCell(int slot) const {
    for (auto w = rig.writer.writes.rbegin(); w != rig.writer.writes.rend(); ++w) {
      if (w->slot == slot) return w->cell;
    }
    return -100;
  }
};

TEST_F(EngineGrid, CarrierGridOnAFourHertzBeat) {
  EXPECT_EQ(grid.StartFrequency(), 32.0f);  // 4 doubled to 256, halved three times
  EXPECT_EQ(grid.RowCount(), 10);           // 32 .. 16384 Hz
  EXPECT_EQ(grid.CellFrequency(0), 32.0f);
  EXPECT_EQ(grid.CellFrequency(1), 35.92f);  // cell 2: 32 x 1.122462048309 = 35.9188
  EXPECT_EQ(grid.CellFrequency(6), 57.02f);  // 32 x 1.78179743628 = 57.0175
  EXPECT_EQ(grid.CellFrequency(9 * 7), 16384.0f);
  EXPECT_EQ(Label(1), "35.92Hz");
  EXPECT_EQ(Label(21), "256.00Hz");
  EXPECT_TRUE(grid.CellInRange(9 * 7 + 1));   // 18390.42 Hz
  EXPECT_FALSE(grid.CellInRange(9 * 7 + 6));  // 29193 Hz, above 20000
  EXPECT_EQ(Label(9 * 7 + 6), "--");
}

TEST_F(EngineGrid, BeatGridOnAFourHundredHertzCarrier) {
  rig.effects.ApplyReference(1);
  EXPECT_EQ(grid.StartFrequency(), 0.1953125f);  // 400 halved to 25, then seven more times
  EXPECT_EQ(grid.RowCount(), 14);
  EXPECT_EQ(grid.CellFrequency(13 * 7), 1600.0f);
  EXPECT_FLOAT_EQ(grid.CellFrequency(0), 0.2f);  // 0.1953125 to 0.01 Hz
  EXPECT_EQ(Label(13 * 7), "1600.00Hz");
  rig.effects.ApplyPan(4);  // beats without a beat: every label is "--"
  EXPECT_EQ(Label(13 * 7), "--");
  EXPECT_EQ(Label(0), "--");
}

TEST_F(EngineGrid, StartFrequencyLandsInTheAnchorOctaveThenDescendsToTheFloor) {
  HarmonicGrid::Limits carriers{1000.0f, 500.0, 20.0, 20000.0};
  EXPECT_EQ(HarmonicGrid::StartFrequencyFor(carriers), 31.25f);
  carriers.reference = 500.0f;  // at the anchor: stays, then four halvings
  EXPECT_EQ(HarmonicGrid::StartFrequencyFor(carriers), 31.25f);
  carriers.reference = 4.99f;
  EXPECT_FLOAT_EQ(HarmonicGrid::StartFrequencyFor(carriers), 39.92f);
  carriers.reference = 5.0f;
  EXPECT_EQ(HarmonicGrid::StartFrequencyFor(carriers), 20.0f);
  EXPECT_EQ(HarmonicGrid::RowCountFor(20.0f, 20000.0), 10);  // 10240 is the last below 20000
  EXPECT_EQ(HarmonicGrid::RowCountFor(20000.0f, 20000.0), 0);
}

TEST_F(EngineGrid, AssignGivesTheLowestFreeSlotAndReleaseFreesIt) {
  ASSERT_TRUE(grid.AssignCell(21));
  ASSERT_TRUE(grid.AssignCell(28));
  EXPECT_EQ(grid.SlotOfCell(21), 0);
  EXPECT_EQ(grid.SlotOfCell(28), 1);
  EXPECT_EQ(engine.slotCell[0], 22);
  EXPECT_EQ(LastWriteCell(1), 29);
  EXPECT_EQ(SlotHz(1), 512.0f);
  EXPECT_EQ(grid.OccupiedCount(), 2);

  grid.ReleaseCell(21);
  EXPECT_FALSE(grid.Occupied(21));
  EXPECT_EQ(grid.OccupiedCount(), 1);
  EXPECT_EQ(engine.bank.slotActive[0], 0);
  EXPECT_EQ(LastWriteCell(0), 0);
  EXPECT_EQ(engine.slotCell[0], 0);
  EXPECT_STREQ(static_cast<TextHolder*>(engine.leftEarCaption)->Text(), "510.00Hz");  // slot 1 shown

  ASSERT_TRUE(grid.AssignCell(2));  // the freed slot 0 comes first again
  EXPECT_EQ(grid.SlotOfCell(2), 0);
}

TEST_F(EngineGrid, ThirteenthCellAndCellsAboveTheCeilingAreRefused) {
  EXPECT_FALSE(grid.AssignCell(9 * 7 + 6));
  for (int cell = 0; cell < 12; ++cell) ASSERT_TRUE(grid.AssignCell(cell));
  const size_t writes = rig.writer.writes.size();
  EXPECT_FALSE(grid.AssignCell(20));
  EXPECT_FALSE(grid.Occupied(20));
  EXPECT_EQ(grid.OccupiedCount(), 12);
  EXPECT_EQ(rig.writer.writes.size(), writes);
}

TEST_F(EngineGrid, PressesArePerformedByPassesAndHoldOffRequests) {
  grid.PressCell(21, false);
  grid.RunPass();
  EXPECT_EQ(grid.SlotOfCell(21), 0);
  grid.RunPass();  // still held: the cell is occupied now, only shown
  EXPECT_EQ(grid.OccupiedCount(), 1);
  grid.Refresh(false);
  EXPECT_FALSE(grid.PassPending());
  grid.EndPress();
  grid.PressCell(21, true);
  grid.RunPass();
  EXPECT_FALSE(grid.Occupied(21));
  grid.EndPress();
}

TEST_F(EngineGrid, PassesWaitForTheFirstBlockAndForTheEditorWhenDeferred) {
  EngineRig cold;
  cold.engine.initialised.store(0);
  cold.effects.ApplySlotParameter(0, 22);
  EXPECT_FALSE(cold.grid.RunPass());
  EXPECT_EQ(cold.engine.bank.slotActive[0], 0);
  EXPECT_TRUE(cold.grid.PassPending());
  cold.engine.initialised.store(1);
  EXPECT_TRUE(cold.grid.RunPass());
  EXPECT_EQ(cold.engine.bank.slotFrequency[0], 256.0f);

  grid.SetPassesDeferred(true);
  rig.effects.ApplySlotParameter(3, 29);
  EXPECT_EQ(engine.bank.slotActive[3], 0);
  EXPECT_TRUE(grid.PassPending());
  grid.RunPass();
  EXPECT_EQ(engine.bank.slotFrequency[3], 512.0f);
  EXPECT_EQ(engine.phaseSync.ActiveTones(), 1);
}

TEST_F(EngineGrid, SlotParametersShareACellUntilTheLastOneLetsGo) {
  rig.effects.ApplySlotParameter(0, 22);
  EXPECT_EQ(grid.SlotOfCell(21), 0);
  EXPECT_EQ(SlotHz(0), 256.0f);
  rig.effects.ApplySlotParameter(1, 22);  // taken: recorded for the slot only
  EXPECT_EQ(engine.slotCell[1], 22);
  EXPECT_EQ(grid.SlotOfCell(21), 0);
  EXPECT_EQ(engine.bank.slotActive[1], 0);
  rig.effects.ApplySlotParameter(0, 0);  // slot 1 still records the cell
  EXPECT_TRUE(grid.Occupied(21));
  rig.effects.ApplySlotParameter(1, 0);
  EXPECT_FALSE(grid.Occupied(21));
  EXPECT_EQ(grid.OccupiedCount(), 0);

  rig.effects.ApplySlotParameter(2, 200);  // beyond the grid: recorded, never assigned
  EXPECT_EQ(engine.slotCell[2], 200);
  EXPECT_EQ(grid.OccupiedCount(), 0);

  rig.effects.ApplySlotParameter(4, 22);
  rig.effects.ApplySlotParameter(4, 29);  // moves: old cell freed, pitch glides to the new one
  EXPECT_FALSE(grid.Occupied(21));
  EXPECT_EQ(grid.SlotOfCell(28), 4);
  EXPECT_EQ(SlotHz(4), 512.0f);
  EXPECT_NE(engine.bank.slotActive[4], 0);
  EXPECT_TRUE(rig.writer.writes.empty());  // parameter changes are never written back
}

TEST_F(EngineGrid, YesAndUpDownCrossesAnOctaveWithoutJumpingAnOctave) {
  rig.effects.ApplyLinkMode(2);
  rig.effects.ApplyBinaural(499);
  EXPECT_FLOAT_EQ(grid.StartFrequency(), 39.92f);
  ASSERT_TRUE(grid.AssignCell(21));
  ASSERT_TRUE(grid.AssignCell(30));
  const float before = SlotHz(0);
  rig.effects.ApplyBinaural(500);
  EXPECT_EQ(grid.StartFrequency(), 20.0f);
  EXPECT_EQ(grid.LastRowMove(), 1);
  EXPECT_EQ(grid.SlotOfCell(28), 0);
  EXPECT_EQ(grid.SlotOfCell(37), 1);
  EXPECT_FALSE(grid.Occupied(21));
  EXPECT_EQ(LastWriteCell(0), 29);
  EXPECT_EQ(engine.slotCell[1], 38);
  EXPECT_NEAR(SlotHz(0) / before, 5.0 / 4.99, 1e-4);

  rig.effects.ApplyBinaural(499);  // and back down
  EXPECT_EQ(grid.LastRowMove(), -1);
  EXPECT_EQ(grid.SlotOfCell(21), 0);
  EXPECT_EQ(SlotHz(0), before);
}

TEST_F(EngineGrid, YesKeepsTheCellSoTheSameChangeDropsAlmostAnOctave) {
  rig.effects.ApplyBinaural(499);
  ASSERT_TRUE(grid.AssignCell(21));
  const float before = SlotHz(0);
  rig.effects.ApplyBinaural(500);
  EXPECT_EQ(grid.SlotOfCell(21), 0);
  EXPECT_EQ(grid.LastRowMove(), 0);
  EXPECT_NEAR(SlotHz(0) / before, 0.5 * 5.0 / 4.99, 1e-4);
}

TEST_F(EngineGrid, MovingOntoAnOccupiedCellReleasesItsSlot) {
  rig.effects.ApplyLinkMode(2);
  rig.effects.ApplyBinaural(500);
  ASSERT_TRUE(grid.AssignCell(0));  // row 0: stays when the cells move down
  ASSERT_TRUE(grid.AssignCell(7));  // moves down onto it
  rig.effects.ApplyBinaural(499);
  EXPECT_EQ(grid.LastRowMove(), -1);
  EXPECT_EQ(grid.SlotOfCell(0), 1);
  EXPECT_FALSE(grid.Occupied(7));
  EXPECT_EQ(engine.bank.slotActive[0], 0);
  EXPECT_EQ(engine.slotCell[0], 0);
  EXPECT_EQ(engine.slotCell[1], 1);
  EXPECT_EQ(grid.OccupiedCount(), 1);
}

TEST_F(EngineGrid, RelinkReleasesCellsAboveTheCeilingAndRefillsThemWhenBackInRange) {
  ASSERT_TRUE(grid.AssignCell(9 * 7 + 1));  // 18390.42 Hz at 4 Hz
  rig.effects.ApplyBinaural(488);           // start 39.04: the cell is at 22436 Hz
  EXPECT_TRUE(grid.Occupied(9 * 7 + 1));
  EXPECT_EQ(grid.SlotOfCell(9 * 7 + 1), -1);
  EXPECT_EQ(engine.bank.slotActive[0], 0);
  EXPECT_EQ(LastWriteCell(0), 0);
  rig.effects.ApplyBinaural(400);
  EXPECT_EQ(grid.SlotOfCell(9 * 7 + 1), 0);
  EXPECT_EQ(engine.slotCell[0], 9 * 7 + 2);
  EXPECT_EQ(SlotHz(0), grid.CellFrequency(9 * 7 + 1));
}

TEST_F(EngineGrid, RefreshOnlyForgetsTheSlotOfACellAboveTheCeiling) {
  rig.effects.ApplyLinkMode(0);
  rig.effects.ApplyUnlinkRef(400);
  rig.effects.ApplySlotParameter(0, 9 * 7 + 2);
  EXPECT_EQ(SlotHz(0), 18390.42f);
  rig.effects.ApplyUnlinkRef(488);
  rig.effects.ApplyPan(2);  // a refresh
  EXPECT_EQ(grid.SlotOfCell(9 * 7 + 1), -1);
  EXPECT_NE(engine.bank.slotActive[0], 0);
  EXPECT_EQ(SlotHz(0), 18390.42f);
}

TEST_F(EngineGrid, ReferenceChangeResetsWhatTheNextRelinkComparesWith) {
  rig.effects.ApplyLinkMode(0);
  rig.effects.ApplyReference(1);
  EXPECT_EQ(grid.PreviousReference(), 0.0f);
  EXPECT_EQ(grid.PreviousStart(), 0.0f);
  rig.effects.ApplyReference(0);
  EXPECT_EQ(grid.PreviousReference(), 20000.0f);
  EXPECT_EQ(grid.PreviousStart(), 20000.0f);
  rig.effects.ApplyLinkMode(1);  // re-links and remembers the new reference
  EXPECT_EQ(grid.PreviousReference(), 4.0f);
  EXPECT_EQ(grid.PreviousStart(), 32.0f);
}

}  // namespace
