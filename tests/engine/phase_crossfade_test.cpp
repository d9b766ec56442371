// The glide into re-aligned phases: no click where the phases jump, and the
// renderer's own output, bit for bit, once the glide is over.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "engine_rig.h"
#include "level.h"
#include "phase_crossfade.h"
#include "test_plugin.h"

namespace {

constexpr int kBlock = 64;
constexpr int kRate = 48000;

struct Recording {
  std::vector<double> left, right;
};

// The largest sample-to-sample step of either ear.
double LargestStep(const Recording& r) { return ::LargestStep(r.left, r.right); }

// The largest step the sounding tones can make: every slot's sine at its peak slope
// at once, 2 sin(increment / 2) of its level per sample, in the louder ear.
double TonesOwnLargestStep(const ToneEngine& engine) {
  double largest = 0.0;
  for (int c = 0; c < kEarChannels; ++c) {
    double sum = 0.0;
    for (int s = 0; s < kToneSlots; ++s) {
      const double increment = engine.bank.currentIncrement[c * kToneSlots + s];
      sum += engine.bank.currentGain[s] * 2.0 * std::sin(increment / 2.0);
    }
    largest = std::fmax(largest, sum * engine.masterVolume);
  }
  return largest;
}

// Renders seconds of 64-frame blocks through the plug-in and appends them.
void Play(TestPlugin& plugin, Recording& out, double seconds) {
  double block[2][kBlock];
  double* outs[2] = {block[0], block[1]};
  for (int n = static_cast<int>(seconds * kRate / kBlock); n > 0; --n) {
    plugin.ProcessBlock(nullptr, outs, kBlock);
    plugin.position += kBlock;
    out.left.insert(out.left.end(), block[0], block[0] + kBlock);
    out.right.insert(out.right.end(), block[1], block[1] + kBlock);
  }
}

// Two tones sounding steadily, then a re-alignment: the largest step around it
// stays within the largest step the tones themselves can make (a click was 7
// times it). A cross-fade between two phases of one tone goes a few per cent
// beyond it for some phase differences, as its phase moves a little faster for
// a moment; hence the allowance of a tenth.
TEST(RealignmentGlide, NoStepLargerThanTheTonesOwn) {
  struct Case {
    const char* what;
    std::function<void(TestPlugin&, Recording&)> realign;
  };
  const Case cases[] = {
      {"\"Play Anyway\" switched on while the transport plays",
       [](TestPlugin& p, Recording&) { p.Effects().ApplyPlayAnyway(1); }},
      {"a host that stopped calling for 0.3 s (the watchdog's re-alignment)",
       [](TestPlugin& p, Recording&) {
         p.position += 3 * kRate / 10;
         p.Engine().resyncRequested.store(1);
       }},
      {"a second re-alignment 2 ms into the glide of the first",
       [](TestPlugin& p, Recording& out) {
         p.Effects().ApplyPlayAnyway(1);
         Play(p, out, 0.002);
         p.position += 777;
         p.Engine().resyncRequested.store(1);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PluginHandle plugin;
    plugin->SetSampleRate(kRate);
    // Two tones out of step with the position: the second started later, and
    // both glided to a new beat frequency.
    Recording steady;
    Play(*plugin.plugin, steady, 0.1);
    ASSERT_TRUE(plugin->Grid().AssignCell(25));  // a minor third above the first
    plugin->Effects().ApplyBinaural(450);
    Play(*plugin.plugin, steady, 4.0);  // the fade-in and the glide are over
    const double own = TonesOwnLargestStep(plugin->Engine());
    ASSERT_GT(own, 0.01);

    Recording around{{steady.left.back()}, {steady.right.back()}};
    c.realign(*plugin.plugin, around);
    Play(*plugin.plugin, around, 0.05);
    EXPECT_EQ(plugin->Engine().resyncRequested.load(), 0);
    EXPECT_LE(LargestStep(around), 1.1 * own);
  }
}

// The glide is layered around the renderer: after its 5 ms the output, and the
// state the renderer leaves, are exactly those of a re-alignment without it.
TEST(RealignmentGlide, AfterFiveMillisecondsTheOutputIsTheRenderersOwn) {
  EngineRig gliding(kRate), plain(kRate);
  for (EngineRig* rig : {&gliding, &plain}) {
    ASSERT_TRUE(rig->grid.AssignCell(21));
    ASSERT_TRUE(rig->grid.AssignCell(27));
    rig->engine.UpdateSlotGains();
    std::vector<double> l, r;
    rig->Render(3000, l, r);
  }
  PhaseCrossfade glide;
  glide.Begin(gliding.engine);
  gliding.engine.RealignPhases(123456);
  plain.engine.RealignPhases(123456);

  const int windowFrames = static_cast<int>(PhaseCrossfade::kSeconds * kRate);
  int frame = 0;
  bool differedInside = false;
  for (int block = 0; block < 8; ++block, frame += kBlock) {
    double g[2][kBlock], p[2][kBlock];
    double* gOut[2] = {g[0], g[1]};
    double* pOut[2] = {p[0], p[1]};
    const double target = plain.engine.BlockVolumeTarget(true);
    glide.Render(gliding.engine, nullptr, gOut, kBlock, target);
    plain.engine.RenderBlock(nullptr, pOut, kBlock, target);
    for (int i = 0; i < kBlock; ++i) {
      const bool same = std::memcmp(&g[0][i], &p[0][i], sizeof(double)) == 0 &&
                        std::memcmp(&g[1][i], &p[1][i], sizeof(double)) == 0;
      if (frame + i >= windowFrames) {
        ASSERT_TRUE(same) << "frame " << frame + i;
      }
      differedInside = differedInside || !same;
    }
  }
  EXPECT_TRUE(differedInside);
  EXPECT_FALSE(glide.Gliding());
  EXPECT_EQ(std::memcmp(gliding.engine.bank.phase, plain.engine.bank.phase, sizeof plain.engine.bank.phase), 0);
  EXPECT_EQ(gliding.engine.masterVolume, plain.engine.masterVolume);
}

}  // namespace
