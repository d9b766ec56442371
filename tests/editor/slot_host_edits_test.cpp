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
#include <ostream>
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
  // "Yes & up/down" automation that moves every cell a row up (the beat crossing 5 Hz),
  // one point a block; what the plug-in wrote in those blocks.
  std::vector<spwhost::ParameterPoint> ReLinkByAutomation() {
    std::vector<spwhost::ParameterPoint> written;
    const std::pair<int, double> points[] = {{kLinkFreq, 2.0}, {kBinaural, 4.99}, {kBinaural, 5.0}};
    for (const auto& [paramIdx, plain] : points) {
      for (const auto& point : Automate(paramIdx, plain)) written.push_back(point);
    }
    return written;
  }
  RecordingHandler handler;
  std::vector<HeardValue> heard;
};

// A number that compares bit for bit, and prints as the number.
struct Exactly {
  Exactly(double v) : value(v) {}  // implicit, so a vector of numbers becomes one of these
  bool operator==(const Exactly& o) const { return std::memcmp(&value, &o.value, sizeof value) == 0; }
  double value;
};
void PrintTo(const Exactly& e, std::ostream* out) { *out << e.value; }

// What the grid keeps of its slots, bit for bit: for each slot its value, cell, whether in use, its
// frequency (in use) and the level it heads for; then where each voice heads; then the cells taken.
std::vector<Exactly> SlotState(spwsnapshot::EditorSession& session) {
  std::lock_guard<std::recursive_mutex> lock(session.Plug().Mutex());
  const ToneEngine& engine = session.Plug().Engine();
  const OscillatorBank& bank = engine.bank;
  std::vector<double> state;
  for (int slot = 0; slot < kToneSlots; ++slot) {
    const bool active = bank.slotActive[slot] != 0;
    const double value = session.Plug().ParamAt(kSlot1 + slot)->Value();
    state.insert(state.end(), {value, double(engine.slotCell[slot]), double(active),
                               active ? bank.slotFrequency[slot] : 0.0, bank.targetGain[slot]});
  }
  state.insert(state.end(), bank.targetIncrement, bank.targetIncrement + kVoices);
  for (int cell = 0; cell < HarmonicGrid::kCells; ++cell) state.push_back(session.Plug().Grid().Occupied(cell));
  return std::vector<Exactly>(state.begin(), state.end());
}

// Each ear's (left, right) strongest tone and its level over 16 blocks, once the glides are over.
struct Heard {
  double hz[2], level[2];
};

Heard Listen(spwsnapshot::EditorSession& session) {
  constexpr int kBlock = spwsnapshot::EditorSession::kBlockFrames;
  float left[kBlock], right[kBlock];
  float* outputs[2] = {left, right};
  for (int i = 0; i < 200; ++i) session.Host().ProcessFloat(outputs, kBlock);  // 2 s: every fade done
  std::vector<double> ears[2];
  for (int i = 0; i < 16; ++i) {
    session.Host().ProcessFloat(outputs, kBlock);
    for (int ear = 0; ear < 2; ++ear) ears[ear].insert(ears[ear].end(), outputs[ear], outputs[ear] + kBlock);
  }
  const double rate = spwsnapshot::EditorSession::kSampleRate;
  Heard heard;
  for (int ear = 0; ear < 2; ++ear) {
    const std::vector<double> windowed = HannWindowed(ears[ear]);
    heard.hz[ear] = PeakFrequency(windowed, 20.0, 2000.0, 0.5, rate);
    heard.level[ear] = ToneMagnitude(windowed, heard.hz[ear], rate);
  }
  return heard;
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
  const std::vector<spwhost::ParameterPoint> written = ReLinkByAutomation();
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
  Click(1, 0);
  Click(4, 1);
  Click(0, 3, true);
  ReLinkByAutomation();
  ASSERT_GE(heard.size(), 8u);  // three clicks, three automation points, the moved slots

  spwsnapshot::EditorSession replay;
  ASSERT_TRUE(replay.Start(&error)) << error;
  for (const HeardValue& value : heard) {
    replay.QueueChange(value.id, value.normalized);
    replay.RenderBlock();
  }
  EXPECT_EQ(SlotState(replay), SlotState(session)) << "the same slots, cells and tones";
  const Heard a = Listen(session);
  const Heard b = Listen(replay);
  for (const int ear : {0, 1}) {
    EXPECT_NEAR(b.hz[ear], a.hz[ear], 0.5) << (ear ? "right" : "left");
    EXPECT_NEAR(b.level[ear], a.level[ear], a.level[ear] * 0.02) << (ear ? "right" : "left");
  }
}

TEST_F(SlotHostEdits, TheHostsEchoOfAWrittenValueChangesNothing) {
  // The host sends back, in the next block, each value it has just been told of.
  auto echo = [&](const char* what) {
    SCOPED_TRACE(what);
    const std::vector<Exactly> before = SlotState(session);
    Plug().ShowStatus("unchanged");
    handler.edits.clear();
    for (const HeardValue& value : heard) {
      if (value.id >= kSlot1) session.QueueChange(value.id, value.normalized);
    }
    heard.clear();
    session.Step();
    EXPECT_EQ(SlotState(session), before) << "no second assignment, no release, no restart";
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
