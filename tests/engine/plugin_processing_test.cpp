// The plug-in's audio hooks: first block, Reset, the watchdog and the grid's
// parameter writes.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "test_plugin.h"

namespace {

class EnginePlugin : public ::testing::Test {
 protected:
  PluginHandle plugin;
  std::vector<double> left = std::vector<double>(4096), right = std::vector<double>(4096);

  void Block(int n) {
    double* outs[2] = {left.data(), right.data()};
    plugin->ProcessBlock(nullptr, outs, n);
  }
  ToneEngine& Engine() { return plugin->Engine(); }
};

TEST_F(EnginePlugin, NothingIsDerivedBeforeTheFirstBlock) {
  plugin->ActiveStateChanged(true);
  EXPECT_EQ(Engine().sampleRateSeen, 0.0);
  EXPECT_TRUE(plugin->calls.empty());
  EXPECT_EQ(Engine().bank.slotActive[0], 0);  // "Slot 1" waits for the grid's first pass
}

TEST_F(EnginePlugin, FirstBlockResetsAtTheHostRateAndAlignsToTheHostPosition) {
  plugin->SetSampleRate(44100.0);
  plugin->position = 441000;
  Block(0);
  EXPECT_EQ(Engine().initialised.load(), 1);
  EXPECT_EQ(Engine().blockSeen.load(), 1);
  EXPECT_EQ(Engine().sampleRateSeen, 44100.0);
  ASSERT_EQ(plugin->calls.size(), 3u);  // "Base Freq", "Binaural", "Fade", each forced through
  EXPECT_EQ(plugin->calls[0].paramIdx, kBaseFreq);
  EXPECT_EQ(plugin->calls[1].paramIdx, kBinaural);
  EXPECT_EQ(plugin->calls[2].paramIdx, kFade);
  for (const auto& call : plugin->calls) EXPECT_EQ(call.lastApplied, -1);
  EXPECT_EQ(Engine().fadeLength, 11025u);
  EXPECT_EQ(Engine().bank.slotFrequency[0], 256.0f);
  EXPECT_EQ(Engine().resyncRequested.load(), 0);
  EXPECT_EQ(Engine().bank.phase[0],
            std::fmod(441000.0 * Engine().bank.targetIncrement[0], kTwoPi));

  // Same rate again: nothing re-applied, but the phases re-align at the next block.
  plugin->ActiveStateChanged(true);
  EXPECT_EQ(plugin->calls.size(), 3u);
  EXPECT_EQ(Engine().resyncRequested.load(), 1);
  plugin->ActiveStateChanged(false);
}

TEST_F(EnginePlugin, NewSampleRateKeepsEverySlotAtItsFrequency) {
  plugin->SetSampleRate(44100.0);
  Block(512);
  plugin->SetSampleRate(48000.0);
  plugin->ActiveStateChanged(true);
  EXPECT_EQ(plugin->calls.size(), 6u);
  EXPECT_EQ(Engine().sampleRateSeen, 48000.0);
  EXPECT_EQ(Engine().fadeLength, 12000u);
  EXPECT_EQ(Engine().bank.targetIncrement[0], 254.0 * kTwoPi / 48000.0);
  EXPECT_EQ(Engine().bank.targetIncrement[kToneSlots], 258.0 * kTwoPi / 48000.0);
}

TEST_F(EnginePlugin, WatchdogNoticesAHostThatStoppedCallingAndTheNextBlockRealigns) {
  Block(512);
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
  while (std::chrono::steady_clock::now() < until) {  // a host calling every 10 ms: all quiet
    Engine().blockSeen.store(1);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(Engine().resyncRequested.load(), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(700));  // over two looks without a block
  EXPECT_EQ(Engine().resyncRequested.load(), 1);
  plugin->position = (INT64_C(1) << 33) + 17;
  Block(0);
  EXPECT_EQ(Engine().resyncRequested.load(), 0);
  EXPECT_EQ(Engine().bank.phase[0],
            std::fmod(static_cast<double>(plugin->position) * Engine().bank.targetIncrement[0], kTwoPi));
}

TEST_F(EnginePlugin, GridWritesACellIntoItsSlotParameterForTheHost) {
  Block(64);
  ASSERT_TRUE(plugin->Grid().AssignCell(30));
  EXPECT_EQ(plugin->ParamAt(kSlot1 + 1)->Value(), 31.0);
  EXPECT_EQ(plugin->LastApplied(kSlot1 + 1), 31);  // applied already: the host's echo is skipped
  EXPECT_EQ(Engine().slotCell[1], 31);
  plugin->Grid().ReleaseCell(21);
  EXPECT_EQ(plugin->ParamAt(kSlot1)->Value(), 0.0);
}

TEST(EnginePluginLifetime, DestructionStopsTheWatchdogAtOnce) {
  auto* plugin = new TestPlugin();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const auto start = std::chrono::steady_clock::now();
  plugin->release();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(60));
}

}  // namespace
