// An editor opened before the host has processed any audio (a stopped engine,
// a suspended track, a host that never processes): the slot panel shows the
// programme's grid and tone count as it will after the first block, a click
// on it is kept and sounds from the first block, and the grid follows the
// rate the host sets up.

#include <gtest/gtest.h>

#include <cmath>
#include <mutex>
#include <string>

#include "editor_fixture.h"
#include "editor_probe.h"
#include "vst3_host.h"

namespace {

// The editor's whole picture, pixel for pixel, outside the status line.
bool SamePicture(spwsnapshot::EditorSession& a, spwsnapshot::EditorSession& b, int* differing) {
  *differing = 0;
  for (int y = 0; y < 402; ++y) {
    for (int x = 0; x < 520; ++x) *differing += SurfacePixel(a, x, y) != SurfacePixel(b, x, y);
  }
  return *differing == 0;
}

TEST(PanelBeforeAudio, ShowsTheSamePictureAsAfterTheFirstBlockAtTheSetUpRate) {
  std::string error;
  spwsnapshot::EditorSession early, played;
  ASSERT_TRUE(early.Open(&error)) << error;
  early.DrawCycle();
  ASSERT_TRUE(played.Start(&error)) << error;  // one block at 48 kHz, one draw cycle
  played.Plug().ShowStatus("");  // the first block's status text is not the panel's business
  played.DrawCycle();
  int differing = 0;
  EXPECT_TRUE(SamePicture(early, played, &differing)) << differing << " pixels differ";
  EXPECT_EQ(early.Plug().Engine().phaseSync.ActiveTones(), 1) << "the programme's tone";
  if (HasFailure()) {
    early.WritePng("panel_before_audio.png");
    played.WritePng("panel_after_a_block.png");
  }
}

TEST(PanelBeforeAudio, AClickIsKeptAndItsSlotSoundsInTheFirstBlock) {
  std::string error;
  spwsnapshot::EditorSession clicked, untouched;
  ASSERT_TRUE(clicked.Open(&error)) << error;
  ASSERT_TRUE(untouched.Open(&error)) << error;
  clicked.DrawCycle();
  IMouseKeys left;
  left.left = true;
  clicked.Graphics().MouseDown(CellX(1), CellY(0), left);  // a quick click: up before any block
  clicked.Graphics().MouseUp(CellX(1), CellY(0), IMouseKeys());
  clicked.DrawCycle();
  {
    std::lock_guard<std::recursive_mutex> lock(clicked.Plug().Mutex());
    EXPECT_EQ(clicked.Plug().ParamAt(kSlot1 + 1)->Value(), 2.0);
    EXPECT_EQ(clicked.Plug().Engine().bank.slotFrequency[1], 35.92f);
  }

  constexpr int kBlock = spwsnapshot::EditorSession::kBlockFrames;
  float l1[kBlock], r1[kBlock], l2[kBlock], r2[kBlock];
  float* a[2] = {l1, r1};
  float* b[2] = {l2, r2};
  ASSERT_TRUE(clicked.Host().ProcessFloat(a, kBlock));
  ASSERT_TRUE(untouched.Host().ProcessFloat(b, kBlock));
  std::lock_guard<std::recursive_mutex> lock(clicked.Plug().Mutex());
  const OscillatorBank& bank = clicked.Plug().Engine().bank;
  EXPECT_GT(bank.currentGain[1], 0.0) << "fading in from the first block";
  // Centred on the 4 Hz beat: 33.92 and 37.92 Hz, at the block's 48 kHz.
  EXPECT_NEAR(bank.currentIncrement[1] * 48000.0 / kTwoPi, 33.92, 1e-3);
  EXPECT_NEAR(bank.currentIncrement[kToneSlots + 1] * 48000.0 / kTwoPi, 37.92, 1e-3);
  double difference = 0.0;
  for (int i = 0; i < kBlock; ++i) difference += std::fabs(l1[i] - l2[i]) + std::fabs(r1[i] - r2[i]);
  EXPECT_GT(difference, 0.0) << "the clicked slot is heard in the first block";
}

TEST(PanelBeforeAudio, TheGridFollowsTheRateTheHostSetsUpAndTheFirstBlockKeepsIt) {
  std::string error;
  spwsnapshot::EditorSession session;
  ASSERT_TRUE(session.Open(&error)) << error;
  auto leftEarHz = [&]() {
    std::lock_guard<std::recursive_mutex> lock(session.Plug().Mutex());
    return session.Plug().Engine().bank.targetIncrement[0] / kTwoPi;  // cycles per sample
  };
  // The programme's 256 Hz carrier, centred on the 4 Hz beat: 254 Hz on the left.
  EXPECT_NEAR(leftEarHz() * 48000.0, 254.0, 1e-9);
  ASSERT_TRUE(session.Host().SetupProcessing(44100.0, 512, spwhost::SampleSize::k32, false));
  EXPECT_NEAR(leftEarHz() * 44100.0, 254.0, 1e-9) << "laid out again for the host's rate";
  float l[512], r[512];
  float* outputs[2] = {l, r};
  ASSERT_TRUE(session.Host().ProcessFloat(outputs, 512));
  EXPECT_EQ(session.Plug().Engine().sampleRateSeen, 44100.0);
  EXPECT_NEAR(leftEarHz() * 44100.0, 254.0, 1e-9);
}

}  // namespace
