// The phase-sync button: the tone count it shows, its status texts, and a
// click that brings the tones back into step with the timeline.

#include <gtest/gtest.h>

#include <cmath>
#include <mutex>

#include "editor_fixture.h"

namespace {

constexpr int kButtonX = 493, kButtonY = 246;  // inside (479, 238, 508, 255)
constexpr double kTwoPi = 6.283185307179586;

class PhaseSync : public EditorFixture {
 protected:
  // How far the right ear of slot 1 runs ahead of the left, radians in [-pi, pi].
  double Apart() {
    std::lock_guard<std::recursive_mutex> lock(Plug().Mutex());
    const OscillatorBank& bank = Plug().Engine().bank;
    return std::remainder(bank.phase[kToneSlots] - bank.phase[0], kTwoPi);
  }
  void Drift(bool markedOutOfStep) {
    std::lock_guard<std::recursive_mutex> lock(Plug().Mutex());
    OscillatorBank& bank = Plug().Engine().bank;
    bank.phase[kToneSlots] = std::fmod(bank.phase[0] + 1.0, kTwoPi);
    if (markedOutOfStep) Plug().Engine().phaseSync.MarkSynchronised(false);
  }
};

TEST_F(PhaseSync, AClickBringsDriftedTonesBackIntoStepWhateverTheButtonShows) {
  Queue(kFade, 0.0);       // no glide from the old pair
  Queue(kBinauralPan, 4);  // "Null": both ears of slot 1 play 256 Hz, so only a drift parts them
  session.Step();
  Drift(true);
  session.Step();
  EXPECT_NEAR(Apart(), 1.0, 1e-9);
  session.Hover(kButtonX, kButtonY);
  EXPECT_EQ(Status(), "Click to phase sync");

  session.Click(kButtonX, kButtonY, false);
  EXPECT_NEAR(Apart(), 0.0, 1e-9);
  EXPECT_TRUE(Plug().Engine().phaseSync.Synchronised());
  session.Hover(kButtonX, kButtonY);
  EXPECT_EQ(Status(), "Active tones: 1");

  Drift(false);  // shown in step, yet a click still re-aligns, with either button
  session.Click(kButtonX, kButtonY, true);
  EXPECT_NEAR(Apart(), 0.0, 1e-9);
}

}  // namespace
