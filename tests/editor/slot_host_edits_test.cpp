// What the host hears of the grid's own slot writes. A click and a right click
// on the panel reach it as begin, perform (the slot's cell) and end through its
// component handler; a re-link that automation causes on the audio thread
// reaches it in that block's output parameter changes, never through the
// handler. A host that records what it heard and plays it back into a new
// instance gets the same slots and the same sound, and the echo of a value
// the plug-in wrote changes nothing.

#include <gtest/gtest.h>

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "editor_fixture.h"
#include "recording_handler.h"
#include "spectrum.h"
#include "vst3_host.h"

namespace {

using Strings = std::vector<std::string>;

// Rows of the default grid (32 Hz start): column 1 of row 0 is cell 2, column 4
// of row 1 cell 12, the programme's slot sits in row 3, column 0 (cell 22).
struct HeardValue {
  uint32_t id;
  double normalized;
};

class SlotHostEdits : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    session.Host().Controller()->setComponentHandler(&handler);
  }
  void TearDown() override { session.Host().Controller()->setComponentHandler(nullptr); }

  double Normalized(int paramIdx, double plain) { return Plug().ParamAt(paramIdx)->PlainToNormalized(plain); }
  // A person's click, and what the host's handler was told of it, recorded.
  void Click(int column, int visibleRow, bool right = false) {
    handler.edits.clear();
    ClickCell(column, visibleRow, right);
    for (const HostEdit& edit : handler.edits) {
      if (edit.kind == HostEdit::Kind::kPerform) heard.push_back({edit.id, edit.value});
    }
  }
  // One automation point in a block of its own, recorded with what the
  // plug-in wrote into that block's output changes.
  std::vector<spwhost::ParameterPoint> Automate(int paramIdx, double plain) {
    heard.push_back({static_cast<uint32_t>(paramIdx), Normalized(paramIdx, plain)});
    Queue(paramIdx, plain);
    session.RenderBlock();
    const std::vector<spwhost::ParameterPoint> written = session.Host().LastOutputChanges();
    for (const spwhost::ParameterPoint& point : written) heard.push_back({point.id, point.normalized});
    session.DrawCycle();
    return written;
  }
  // The session's scenario: two clicks, a right click, and "Yes & up/down"
  // automation that moves every cell a row up (the beat crossing 5 Hz).
  std::vector<spwhost::ParameterPoint> PlayScenario() {
    Click(1, 0);
    Click(4, 1);
    Click(0, 3, true);
    std::vector<spwhost::ParameterPoint> written;
    for (auto change : {std::make_pair(kLinkFreq, 2.0), std::make_pair(kBinaural, 4.99), std::make_pair(kBinaural, 5.0)}) {
      for (const auto& point : Automate(change.first, change.second)) written.push_back(point);
    }
    return written;
  }

  RecordingHandler handler;
  std::vector<HeardValue> heard;
};

// Each ear's strongest tone and its level over 16 blocks, once the glides are over.
struct Heard {
  double leftHz, rightHz, leftLevel, rightLevel;
};

Heard Listen(spwsnapshot::EditorSession& session) {
  constexpr int kBlock = spwsnapshot::EditorSession::kBlockFrames;
  float left[kBlock], right[kBlock];
  float* outputs[2] = {left, right};
  for (int i = 0; i < 200; ++i) session.Host().ProcessFloat(outputs, kBlock);  // 2 s: every fade done
  std::vector<double> l, r;
  for (int i = 0; i < 16; ++i) {
    session.Host().ProcessFloat(outputs, kBlock);
    l.insert(l.end(), left, left + kBlock);
    r.insert(r.end(), right, right + kBlock);
  }
  const double rate = spwsnapshot::EditorSession::kSampleRate;
  l = HannWindowed(l);
  r = HannWindowed(r);
  const double lHz = PeakFrequency(l, 20.0, 2000.0, 0.5, rate);
  const double rHz = PeakFrequency(r, 20.0, 2000.0, 0.5, rate);
  return {lHz, rHz, ToneMagnitude(l, lHz, rate), ToneMagnitude(r, rHz, rate)};
}

TEST_F(SlotHostEdits, ClicksTellTheHostTheSlotsNewCellAsOneEdit) {
  Click(1, 0);
  EXPECT_EQ(handler.Words(kSlot1 + 1), (Strings{"begin", "perform", "end"}));
  EXPECT_DOUBLE_EQ(handler.LastValue(kSlot1 + 1), Normalized(kSlot1 + 1, 2));
  EXPECT_DOUBLE_EQ(session.Host().GetParamNormalized(kSlot1 + 1), Normalized(kSlot1 + 1, 2));
  Click(0, 3, true);  // the programme's cell released
  EXPECT_EQ(handler.Words(kSlot1), (Strings{"begin", "perform", "end"}));
  EXPECT_DOUBLE_EQ(handler.LastValue(kSlot1), 0.0);
}

TEST_F(SlotHostEdits, AReLinkByAutomationIsReportedInTheBlocksOutputChangesOnly) {
  Click(1, 0);
  Click(4, 1);
  handler.edits.clear();
  std::vector<spwhost::ParameterPoint> written;
  for (auto change : {std::make_pair(kLinkFreq, 2.0), std::make_pair(kBinaural, 4.99), std::make_pair(kBinaural, 5.0)}) {
    for (const auto& point : Automate(change.first, change.second)) written.push_back(point);
  }
  EXPECT_TRUE(handler.edits.empty()) << "nothing reaches the handler from the audio thread";
  // Every cell moved a row up: 22 -> 29, 2 -> 9, 12 -> 19.
  struct Expected {
    int slot, cell;
  };
  for (const Expected& e : {Expected{0, 29}, Expected{1, 9}, Expected{2, 19}}) {
    SCOPED_TRACE(e.slot);
    std::vector<double> values;
    for (const auto& point : written) {
      if (point.id == static_cast<uint32_t>(kSlot1 + e.slot)) values.push_back(point.normalized);
    }
    ASSERT_EQ(values.size(), 1u);
    EXPECT_DOUBLE_EQ(values[0], Normalized(kSlot1 + e.slot, e.cell));
    EXPECT_EQ(SlotParam(e.slot), e.cell);
  }
  for (const auto& point : written) EXPECT_EQ(point.sampleOffset, 0);
}

TEST_F(SlotHostEdits, AHostPlayingBackWhatItHeardGetsTheSameSlotsAndTheSameSound) {
  PlayScenario();
  ASSERT_GE(heard.size(), 8u);  // three clicks, three automation points, the moved slots

  spwsnapshot::EditorSession replay;
  ASSERT_TRUE(replay.Start(&error)) << error;
  for (const HeardValue& value : heard) {
    replay.QueueChange(value.id, value.normalized);
    replay.RenderBlock();
  }
  {
    std::lock_guard<std::recursive_mutex> a(Plug().Mutex()), b(replay.Plug().Mutex());
    const ToneEngine& original = Plug().Engine();
    const ToneEngine& copy = replay.Plug().Engine();
    for (int slot = 0; slot < kToneSlots; ++slot) {
      SCOPED_TRACE(slot);
      EXPECT_EQ(replay.Plug().ParamAt(kSlot1 + slot)->Value(), Plug().ParamAt(kSlot1 + slot)->Value());
      EXPECT_EQ(copy.slotCell[slot], original.slotCell[slot]);
      EXPECT_EQ(copy.bank.slotActive[slot] != 0, original.bank.slotActive[slot] != 0);
      if (original.bank.slotActive[slot]) {
        EXPECT_EQ(copy.bank.slotFrequency[slot], original.bank.slotFrequency[slot]);
      }
    }
    for (int cell = 0; cell < HarmonicGrid::kCells; ++cell) {
      EXPECT_EQ(replay.Plug().Grid().Occupied(cell), Grid().Occupied(cell)) << "cell " << cell;
    }
  }
  const Heard a = Listen(session);
  const Heard b = Listen(replay);
  EXPECT_NEAR(b.leftHz, a.leftHz, 0.5);
  EXPECT_NEAR(b.rightHz, a.rightHz, 0.5);
  EXPECT_NEAR(b.leftLevel, a.leftLevel, a.leftLevel * 0.02);
  EXPECT_NEAR(b.rightLevel, a.rightLevel, a.rightLevel * 0.02);
}

// What the grid keeps of its slots, to compare before and after an echo.
struct SlotState {
  double value[kToneSlots], targetGain[kToneSlots], targetIncrement[kVoices];
  bool active[kToneSlots], occupied[HarmonicGrid::kCells];
  bool operator==(const SlotState& o) const {
    return std::memcmp(value, o.value, sizeof value) == 0 && std::memcmp(targetGain, o.targetGain, sizeof targetGain) == 0 &&
           std::memcmp(targetIncrement, o.targetIncrement, sizeof targetIncrement) == 0 &&
           std::memcmp(active, o.active, sizeof active) == 0 && std::memcmp(occupied, o.occupied, sizeof occupied) == 0;
  }
};

TEST_F(SlotHostEdits, TheHostsEchoOfAWrittenValueChangesNothing) {
  auto take = [&]() {
    std::lock_guard<std::recursive_mutex> lock(Plug().Mutex());
    SlotState s{};
    const OscillatorBank& bank = Plug().Engine().bank;
    for (int slot = 0; slot < kToneSlots; ++slot) {
      s.value[slot] = Plug().ParamAt(kSlot1 + slot)->Value();
      s.targetGain[slot] = bank.targetGain[slot];
      s.active[slot] = bank.slotActive[slot] != 0;
    }
    for (int v = 0; v < kVoices; ++v) s.targetIncrement[v] = bank.targetIncrement[v];
    for (int cell = 0; cell < HarmonicGrid::kCells; ++cell) s.occupied[cell] = Grid().Occupied(cell);
    return s;
  };
  // The host sends back, in the next block, each value it has just been told of.
  auto echo = [&](const char* what) {
    SCOPED_TRACE(what);
    const SlotState before = take();
    Plug().ShowStatus("unchanged");
    handler.edits.clear();
    for (const HeardValue& value : heard) {
      if (value.id >= kSlot1) session.QueueChange(value.id, value.normalized);
    }
    heard.clear();
    session.Step();
    EXPECT_TRUE(take() == before) << "no second assignment, no release, no restart";
    EXPECT_EQ(Status(), "unchanged");
    EXPECT_TRUE(handler.edits.empty());
    EXPECT_TRUE(session.Host().LastOutputChanges().empty());
  };
  Click(1, 0);
  echo("an assigning click");
  Click(0, 3, true);
  echo("a releasing click");
  Automate(kLinkFreq, 2.0);
  Automate(kBinaural, 4.99);
  heard.clear();
  Automate(kBinaural, 5.0);
  ASSERT_GE(heard.size(), 2u);  // the beat and the moved slot
  echo("a re-link");
}

}  // namespace
