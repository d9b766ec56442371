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
};

TEST_F(EngineGrid, CarrierGridOnAFourHertzBeat) {
  EXPECT_EQ(grid.StartFrequency(), 32.0f);  // 4 doubled to 256, halved three times
  EXPECT_EQ(grid.RowCount(), 10);           // 32 .. 16384 Hz
  EXPECT_EQ(grid.CellFrequency(0), 32.0f);
  EXPECT_EQ(grid.CellFrequency(1), 35.92f);  // cell 2: 32 x 1.122462048309 = 35.9188
  EXPECT_EQ(grid.CellFrequency(9 * 7), 16384.0f);
  EXPECT_EQ(Label(1), "35.92Hz");
  EXPECT_TRUE(grid.CellInRange(9 * 7 + 1));  // 18390.42 Hz
  EXPECT_EQ(Label(9 * 7 + 6), "--");         // 29193 Hz, above 20000
}

TEST_F(EngineGrid, BeatGridOnAFourHundredHertzCarrier) {
  rig.effects.ApplyReference(1);
  EXPECT_EQ(grid.StartFrequency(), 0.1953125f);  // 400 halved to 25, then seven more times
  EXPECT_EQ(grid.RowCount(), 14);
  EXPECT_EQ(grid.CellFrequency(13 * 7), 1600.0f);
  EXPECT_EQ(Label(13 * 7), "1600.00Hz");
  rig.effects.ApplyPan(4);  // beats without a beat: every label is "--"
  EXPECT_EQ(Label(13 * 7), "--");
}

TEST_F(EngineGrid, AssignTakesTheLowestFreeSlotReleaseFreesItAndTheThirteenthIsRefused) {
  ASSERT_TRUE(grid.AssignCell(21));
  ASSERT_TRUE(grid.AssignCell(28));
  EXPECT_EQ(grid.SlotOfCell(28), 1);
  EXPECT_EQ(engine.slotCell[1], 29);
  EXPECT_EQ(rig.writer.writes.back().cell, 29);
  EXPECT_EQ(SlotHz(1), 512.0f);
  grid.ReleaseCell(21);
  EXPECT_FALSE(grid.Occupied(21));
  EXPECT_EQ(engine.bank.slotActive[0], 0);
  EXPECT_EQ(engine.slotCell[0], 0);
  EXPECT_STREQ(static_cast<TextHolder*>(engine.leftEarCaption)->Text(), "510.00Hz");  // slot 1 shown

  EXPECT_FALSE(grid.AssignCell(9 * 7 + 6));  // above the ceiling
  for (int cell = 0; cell < 11; ++cell) ASSERT_TRUE(grid.AssignCell(cell));
  EXPECT_EQ(grid.SlotOfCell(0), 0);  // the freed slot comes first
  EXPECT_FALSE(grid.AssignCell(20));
  EXPECT_EQ(grid.OccupiedCount(), 12);
}

TEST_F(EngineGrid, PassesWaitForARateAndForTheEditorWhenDeferred) {
  EngineRig cold;
  cold.engine.layoutRate = 0.0;  // no rate known yet
  cold.effects.ApplySlotParameter(0, 22);
  EXPECT_FALSE(cold.grid.RunPass());
  EXPECT_EQ(cold.engine.bank.slotActive[0], 0);
  cold.engine.SetLayoutRate(48000.0);
  EXPECT_TRUE(cold.grid.RunPass());
  EXPECT_EQ(cold.engine.bank.slotFrequency[0], 256.0f);

  grid.SetPassesDeferred(true);
  rig.effects.ApplySlotParameter(3, 29);
  EXPECT_EQ(engine.bank.slotActive[3], 0);
  grid.RunPass();
  EXPECT_EQ(engine.bank.slotFrequency[3], 512.0f);
  EXPECT_EQ(engine.phaseSync.ActiveTones(), 1);
}

TEST_F(EngineGrid, SlotParametersShareACellUntilTheLastOneLetsGo) {
  rig.effects.ApplySlotParameter(0, 22);
  rig.effects.ApplySlotParameter(1, 22);  // taken: recorded for the slot only
  EXPECT_EQ(grid.SlotOfCell(21), 0);
  EXPECT_EQ(engine.slotCell[1], 22);
  rig.effects.ApplySlotParameter(0, 0);  // slot 1 still records the cell
  EXPECT_TRUE(grid.Occupied(21));
  rig.effects.ApplySlotParameter(1, 0);
  EXPECT_FALSE(grid.Occupied(21));
  rig.effects.ApplySlotParameter(4, 22);
  rig.effects.ApplySlotParameter(4, 29);  // moves: old cell freed, pitch glides to the new one
  EXPECT_FALSE(grid.Occupied(21));
  EXPECT_EQ(SlotHz(4), 512.0f);
  EXPECT_TRUE(rig.writer.writes.empty());  // parameter changes are never written back
}

TEST_F(EngineGrid, YesAndUpDownCrossesAnOctaveWhereYesDropsAlmostAnOctave) {
  for (int16_t mode : {2, 1}) {
    EngineRig r;
    r.effects.ApplyLinkMode(mode);
    r.effects.ApplyBinaural(499);
    EXPECT_FLOAT_EQ(r.grid.StartFrequency(), 39.92f);
    ASSERT_TRUE(r.grid.AssignCell(21));
    ASSERT_TRUE(r.grid.AssignCell(30));
    const float before = r.engine.bank.slotFrequency[0];
    r.effects.ApplyBinaural(500);
    EXPECT_EQ(r.grid.StartFrequency(), 20.0f);
    const float ratio = r.engine.bank.slotFrequency[0] / before;
    if (mode == 1) {
      EXPECT_EQ(r.grid.SlotOfCell(21), 0);
      EXPECT_NEAR(ratio, 0.5 * 5.0 / 4.99, 1e-4);
      continue;
    }
    // Every occupied cell moved up a row and its parameter was rewritten.
    EXPECT_EQ(r.grid.SlotOfCell(28), 0);
    EXPECT_EQ(r.grid.SlotOfCell(37), 1);
    EXPECT_EQ(r.engine.slotCell[1], 38);
    EXPECT_NEAR(ratio, 5.0 / 4.99, 1e-4);
    r.effects.ApplyBinaural(499);  // and back down
    EXPECT_EQ(r.grid.SlotOfCell(21), 0);
    EXPECT_EQ(r.engine.bank.slotFrequency[0], before);
  }
}

TEST_F(EngineGrid, RelinkReleasesCellsAboveTheCeilingAndRefillsThemWhenBackInRange) {
  ASSERT_TRUE(grid.AssignCell(9 * 7 + 1));  // 18390.42 Hz at 4 Hz
  rig.effects.ApplyBinaural(488);           // start 39.04: the cell is at 22436 Hz
  EXPECT_TRUE(grid.Occupied(9 * 7 + 1));
  EXPECT_EQ(grid.SlotOfCell(9 * 7 + 1), -1);
  EXPECT_EQ(engine.bank.slotActive[0], 0);
  EXPECT_EQ(engine.slotCell[0], 0);
  rig.effects.ApplyBinaural(400);
  EXPECT_EQ(grid.SlotOfCell(9 * 7 + 1), 0);
  EXPECT_EQ(engine.slotCell[0], 9 * 7 + 2);
}

}  // namespace
