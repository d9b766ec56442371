#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "model_plugin.h"

namespace {
class ParameterChanges : public ::testing::Test {
 protected:
  ModelPluginHandle plugin;
  ToneEngine& Engine() { return plugin->Engine(); }
  HarmonicGrid& Grid() { return plugin->Grid(); }
};

StateChunk StateOf(const ModelPlugin& plugin) {
  StateChunk chunk;
  for (int i = 0; i < kParameterCount; ++i) chunk.PutDouble(plugin.ParamAt(i)->Value());
  return chunk;
}
}  // namespace

TEST_F(ParameterChanges, AudioWaitsUntilEveryParameterWasAppliedOnce) {
  for (int i = 0; i < kParameterCount - 1; ++i) {
    plugin->ParameterChanged(i);
    plugin->ParameterChanged(i);  // a second delivery does not count twice
  }
  EXPECT_EQ(plugin->Pending(), 1);
  EXPECT_FALSE(plugin->ParamsReady());
  plugin->Set(kVolume, 50);  // a real change of an already counted parameter
  EXPECT_FALSE(plugin->ParamsReady());
  plugin->ParameterChanged(kSlot12);
  EXPECT_TRUE(plugin->ParamsReady());
}

TEST_F(ParameterChanges, RepeatedAppliedValuesAreIgnored) {
  plugin->Start();
  const std::string before = plugin->Status();
  plugin->Set(kBinaural, 4.001);
  plugin->Set(kBinaural, 4.004);  // both apply as 400 hundredths
  EXPECT_EQ(Engine().binauralFrequency, 4.0f);
  EXPECT_EQ(plugin->Status(), before);
  plugin->Set(kBinaural, 4.005);
  EXPECT_FLOAT_EQ(Engine().binauralFrequency, 4.01f);
  EXPECT_EQ(plugin->Status(), "Binaural: 4.01Hz");
  EXPECT_EQ(CLS_STEREOPULSEWEAVER::AppliedValue(kFade, 0.015), 2);
  EXPECT_EQ(CLS_STEREOPULSEWEAVER::AppliedValue(kVolume, 74.5), 75);
}

TEST_F(ParameterChanges, ReferenceSwapsTheVisibleKnobAndCaption) {
  plugin->Start();
  const EditorSurfaceHolder& surface = plugin->SurfaceHolder();
  EXPECT_STREQ(plugin->ReferenceText().Text(), "base freq");
  EXPECT_FALSE(surface.Hidden(kBinaural));
  EXPECT_TRUE(surface.Hidden(kBaseFreq));

  plugin->Set(kReference, 1);
  EXPECT_TRUE(surface.Hidden(kBinaural));
  EXPECT_FALSE(surface.Hidden(kBaseFreq));
  EXPECT_STREQ(plugin->ReferenceText().Text(), "binaural freq");
  EXPECT_EQ(Engine().slotsHoldBase, 0);
  EXPECT_EQ(plugin->Status(), "Freq of reference: base");
  // Slots now hold beats: the slot of cell 22 is re-linked against the 400 Hz carrier.
  EXPECT_EQ(Grid().StartFrequency(), 0.1953125f);
}

TEST_F(ParameterChanges, BaseFreqRetunesNothingWhileSlotsHoldCarriers) {
  plugin->Start();
  const float slotHz = Engine().bank.slotFrequency[0];
  const double increment = Engine().bank.targetIncrement[0];
  plugin->Set(kBaseFreq, 300);
  EXPECT_EQ(Engine().baseFrequency, 300.0f);
  EXPECT_EQ(Engine().bank.slotFrequency[0], slotHz);
  EXPECT_EQ(Engine().bank.targetIncrement[0], increment);
}

TEST_F(ParameterChanges, UnlinkingByHandWritesTheReferenceToUnlinkRef) {
  plugin->Start();
  plugin->Set(kBinaural, 7.83);
  plugin->edits.clear();
  plugin->Set(kLinkFreq, 0);
  EXPECT_NEAR(plugin->Value(kUnlinkRef), 7.83, 1e-5);  // the engine's single-precision beat
  ASSERT_EQ(plugin->edits.size(), 2u);
  EXPECT_EQ(plugin->edits[0].kind, 'b');
  EXPECT_EQ(plugin->edits[0].paramIdx, kUnlinkRef);
  EXPECT_EQ(plugin->edits[1].kind, 'e');
  EXPECT_EQ(plugin->Status(), "Unlinked harmonics from reference");
  // The slots stay where they were: a later grid pass measures them against the same reference.
  const float slotHz = Engine().bank.slotFrequency[0];
  EXPECT_FLOAT_EQ(Engine().unlinkReference, Engine().binauralFrequency);
  plugin->Set(kSlot1 + 1, 30);
  EXPECT_EQ(Engine().bank.slotFrequency[0], slotHz);
}

TEST_F(ParameterChanges, RestoringAnUnlinkedStateKeepsItsUnlinkRef) {
  plugin->Start();
  plugin->ParamAt(kLinkFreq)->SetValue(0);
  plugin->ParamAt(kUnlinkRef)->SetValue(123.45);
  StateChunk state = StateOf(*plugin.plugin);

  ModelPluginHandle other;
  other->Start();
  other->Set(kBinaural, 9.6);
  other->edits.clear();
  EXPECT_EQ(other->LoadState(state, 0), 192);
  EXPECT_EQ(other->Value(kUnlinkRef), 123.45);
  EXPECT_EQ(other->Engine().unlinkReference, 123.45f);
  EXPECT_TRUE(other->edits.empty());
  EXPECT_FALSE(other->Restoring());
}

TEST_F(ParameterChanges, RestoreEndsEvenWhenItsLastValuesRepeat) {
  plugin->Start();
  ASSERT_TRUE(plugin->SelectPreset(56));  // every programme leaves "Slot 12" as it was: 0
  EXPECT_FALSE(plugin->Restoring());
  plugin->Set(kLinkFreq, 0);  // by hand after the restore: the write-back still happens
  EXPECT_NEAR(plugin->Value(kUnlinkRef), 9.6, 1e-5);
}

TEST_F(ParameterChanges, OnlyHarmonicsProgrammesChangeOnlyTheSlots) {
  plugin->Start();
  plugin->Set(kBinaural, 6.5);
  plugin->Set(kVolume, 30);
  plugin->Set(kWave, 2);
  ASSERT_TRUE(plugin->SelectPreset(11));  // "Zig Zag (only harmonics)"
  EXPECT_EQ(plugin->Value(kBinaural), 6.5);
  EXPECT_EQ(plugin->Value(kVolume), 30);
  EXPECT_EQ(plugin->Value(kWave), 2);
  EXPECT_EQ(plugin->Value(kPlayAnyway), 0);
  const int cells[] = {22, 24, 26, 28, 30, 32, 34};
  for (int s = 0; s < 7; ++s) {
    EXPECT_EQ(plugin->Value(kSlot1 + s), cells[s]);
    EXPECT_EQ(Engine().slotCell[s], cells[s]);
    EXPECT_TRUE(Grid().Occupied(cells[s] - 1)) << cells[s];
  }
  EXPECT_EQ(Engine().activeSlotCount, 7);
}

TEST_F(ParameterChanges, HostStateIsRestoredWholeWhileAnOnlyHarmonicsProgrammeIsCurrent) {
  plugin->Start();
  plugin->Set(kBinaural, 6.5);
  plugin->Set(kVolume, 30);
  StateChunk saved = StateOf(*plugin.plugin);
  ASSERT_TRUE(plugin->SelectPreset(10));
  plugin->Set(kBinaural, 8.0);
  plugin->Set(kVolume, 90);
  // The host's undo, or its project reload, brings back everything it stored.
  plugin->LoadState(saved, 0);
  EXPECT_EQ(plugin->Value(kBinaural), 6.5);
  EXPECT_EQ(plugin->Value(kVolume), 30);
  EXPECT_EQ(plugin->Value(kSlot1 + 1), 0);
}

// The same bytes restored over the same parameter values give the same values,
// whatever the grid went through before. A value the stream lacks (cut short, or
// not a number there) keeps what the parameter held when the restore began, not
// what the grid wrote into it while the restore ran.
TEST_F(ParameterChanges, TheSameRestoreOverTheSameStateGivesTheSameState) {
  const struct {
    const char* what;
    int count;  // values in the stream
  } streams[] = {{"slot 2 not a number", kParameterCount}, {"cut short before slot 2", kSlot1 + 1}};
  for (const auto& stream : streams) {
    SCOPED_TRACE(stream.what);
    // The same values, linked "Yes & up/down" with slot 2 on cell 24, which one
    // grid holds and the other does not (its host's controller only stored it).
    ModelPluginHandle applied, stored;
    for (ModelPlugin* p : {applied.plugin, stored.plugin}) {
      p->Start();
      p->Set(kLinkFreq, 2);
    }
    applied->Set(kSlot1 + 1, 24);
    stored->setParamNormalized(kSlot1 + 1, stored->ParamAt(kSlot1 + 1)->PlainToNormalized(24));
    const StateChunk before = StateOf(*applied.plugin);
    ASSERT_EQ(std::memcmp(before.Data(), StateOf(*stored.plugin).Data(), before.Size()), 0);

    // A beat of 7 Hz moves the linked cells a row up while the stream is read.
    StateChunk chunk;
    for (int i = 0; i < stream.count; ++i) {
      chunk.PutDouble(i == kBinaural ? 7.0 : i == kSlot1 + 1 ? std::nan("") : applied->Value(i));
    }
    applied->LoadState(chunk, 0);
    stored->LoadState(chunk, 0);
    const StateChunk after = StateOf(*applied.plugin);
    EXPECT_EQ(std::memcmp(after.Data(), StateOf(*stored.plugin).Data(), after.Size()), 0);
    EXPECT_EQ(applied->Value(kBinaural), 7.0);
    EXPECT_EQ(applied->Value(kSlot1 + 1), 24);
    EXPECT_EQ(stored->Value(kSlot1 + 1), 24);
    EXPECT_EQ(applied->Engine().slotCell[1], 24);
  }
}

TEST_F(ParameterChanges, TwoSlotsOnOneCell) {
  plugin->Start();
  plugin->Set(kSlot1 + 1, 25);
  plugin->Set(kSlot1 + 2, 25);
  EXPECT_EQ(Grid().SlotOfCell(24), 1);  // the first holds the cell
  EXPECT_EQ(Engine().slotCell[2], 25);
  plugin->Set(kSlot1 + 1, 0);
  EXPECT_TRUE(Grid().Occupied(24));  // the second still records it
  plugin->Set(kSlot1 + 2, 0);
  EXPECT_FALSE(Grid().Occupied(24));
}

TEST_F(ParameterChanges, WaveShowsItsFrameOnTheWaveDisplay) {
  plugin->Start();
  plugin->Set(kWave, 3);
  EXPECT_EQ(Engine().bank.waveId, 3u);
  EXPECT_DOUBLE_EQ(plugin->SurfaceHolder().ControlValue(plugin->waveDisplay), 0.5);
  EXPECT_EQ(plugin->Status(), "Set wave: Golden Sine");
}
