// The saved states kept in tests/data/states/, made by the Linux and the
// Windows build: restored into today's plug-in, each must give the same 24
// values and the same audio as when it was saved. A change that alters either
// fails here; a deliberate change of the stored format brings a version and a
// conversion (see the README), never new expectations alone.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "saved_state.h"

namespace spwstates {
namespace {

struct StateFile {
  const char* name;
  size_t states;  // every programme that is not an empty slot, and the edited session
};
const StateFile kFiles[] = {{"linux.states", 158}, {"windows.states", 158}};

TEST(SavedStates, EveryKeptStateRestoresToItsValuesAndItsAudio) {
  for (const StateFile& file : kFiles) {
    const std::string path = std::string(SPW_STATES_DIR) + "/" + file.name;
    std::vector<SavedState> states;
    std::string error;
    ASSERT_TRUE(ReadStates(path, &states, &error)) << error;
    EXPECT_EQ(states.size(), file.states) << path;
    for (const SavedState& kept : states) {
      SCOPED_TRACE(std::string(file.name) + " " + kept.name);
      std::vector<double> values;
      uint64_t digest = 0;
      ASSERT_TRUE(Replay(kept.component, kept.controller, &values, &digest, &error)) << error;
      ASSERT_EQ(values.size(), kept.values.size());
      for (size_t i = 0; i < values.size(); ++i) {
        // Compared as bits: the same value, not a near one.
        EXPECT_EQ(ValueBits(values[i]), ValueBits(kept.values[i]))
            << "parameter " << i << ": " << values[i] << " restored, " << kept.values[i] << " saved";
      }
      EXPECT_EQ(digest, kept.digest) << "the first " << kDigestSeconds << " s of audio differ";
    }
  }
}

// A line reads back as it was written; one that is not a saved state is refused with a reason.
TEST(SavedStates, ALineReadsBackAsWrittenAndABrokenOneIsRefusedWithAReason) {
  const std::string good = FormatLine({"one", {1, 2}, {}, std::vector<double>(kValueCount, 0.5), 42});
  SavedState state;
  std::string error;
  ASSERT_TRUE(ParseLine(good, &state, &error)) << error;
  EXPECT_EQ(state.component, (std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(state.values[23], 0.5);
  EXPECT_EQ(state.digest, 42u);
  for (const std::string& bad : {std::string("one component=0g controller= values=0 digest=1"),
                                 std::string("one component=01 controller= values=0,0 digest=1"),
                                 std::string("one component=01")}) {
    EXPECT_FALSE(ParseLine(bad, &state, &error)) << bad;
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace spwstates
