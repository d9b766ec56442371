// The session's automation inside the audio callback, on its own: what each
// process call carries of a sliding parameter when a person takes it over or a
// programme comes mid-slide.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "block_changes.h"
#include "bundle_fixture.h"
#include "live_automation.h"
#include "parameter_table.h"

namespace spwplay {
namespace {

constexpr uint32_t kVolume = 10;
constexpr int64_t kGap = 480;  // frames between a slide's points

class CountingSink : public ChangeSink {
 public:
  void FlushChanges() noexcept override { ++flushes; }
  int flushes = 0;
};

// The last value of id in changes, or NaN when the call carries none.
double Carried(BlockChanges& changes, uint32_t id) {
  for (int32_t q = 0; q < changes.getParameterCount(); ++q) {
    Steinberg::Vst::IParamValueQueue* queue = changes.getParameterData(q);
    int32_t offset = 0;
    double value = 0.0;
    if (queue->getParameterId() == id && queue->getPoint(queue->getPointCount() - 1, offset, value) == 0) return value;
  }
  return std::nan("");
}

using LiveAutomationTest = BundleTest;

TEST_F(LiveAutomationTest, SlideTakenOverOrEndedByAProgramme) {
  // "Volume" slides from 80 % (where the plug-in stands) to 20 % over 4800 frames;
  // at frame 2400 a person turns it, or a programme is selected.
  struct Case {
    const char* what;
    bool personAt2400;
    bool programmeAt2400;
    std::map<int64_t, double> carried;  // frame: "Volume" in % (NaN: none carried)
    int flushes;                        // calls of no frames, to put what was queued before a programme
  };
  const double none = std::nan("");
  const Case cases[] = {
      {"the whole slide", false, false, {{0, none}, {480, 74}, {2400, 50}, {4320, 26}, {4800, 20}, {5280, none}}, 0},
      {"a person takes it over", true, false, {{480, 74}, {1920, 56}, {2400, none}, {2880, none}, {4800, none}}, 0},
      // The slide's point at 2400 goes first, in a call of its own, then the programme.
      {"a programme ends it", false, true, {{1920, 56}, {2400, none}, {2880, none}, {4800, none}}, 1},
  };
  for (const Case& c : cases) {
    ParameterTable table(*plugin_);
    const int volume = table.IndexOf(kVolume);
    table.Set(volume, 0.8);
    std::vector<spwrender::AutomationEvent> events(1);
    events[0].change = {kVolume, 0.2};
    events[0].slideFrames = 4800;
    std::vector<std::vector<double>> programValues(1);
    if (c.programmeAt2400) {
      spwrender::AutomationEvent programme;
      programme.frame = 2400;
      programme.change = {0x70727374, 0.5};
      programme.selectsProgram = true;
      events.push_back(programme);
      programValues.push_back(std::vector<double>(size_t(table.Count()), std::nan("")));  // sets nothing here
    }
    LiveAutomation automation(events, programValues, table, kGap);
    BlockChanges changes(table.Count());
    CountingSink sink;
    std::map<int64_t, double> seen;
    double last = 0.8;
    for (int64_t frame = 0; frame <= 6000; frame += std::min(kGap, automation.FramesToNext(frame))) {
      if (c.personAt2400 && frame == 2400) automation.StopSlide(kVolume);
      changes.Clear();
      automation.Deliver(frame, changes, sink);
      seen[frame] = Carried(changes, kVolume);
      if (!std::isnan(seen[frame])) last = seen[frame];
    }
    for (const auto& [frame, percent] : c.carried) {
      const double carried = seen.count(frame) ? seen[frame] * 100.0 : none;
      if (std::isnan(percent)) {
        EXPECT_TRUE(std::isnan(carried)) << c.what << ": frame " << frame << " carries " << carried;
      } else {
        EXPECT_NEAR(carried, percent, 0.01) << c.what << ": frame " << frame;
      }
    }
    EXPECT_EQ(sink.flushes, c.flushes) << c.what;
    if (!c.programmeAt2400) {
      EXPECT_EQ(table.Value(volume), last) << c.what << ": the copy holds what was sent";
    }
  }
}

}  // namespace
}  // namespace spwplay
