// The player's audio callback allocates nothing and takes no lock but the
// plug-in's own instance lock: editor edits, a session's set, slide and programme
// change, the limiter at work and the fade-out, around the plug-in built into this
// program (so that its allocations are counted too).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "edit_queue.h"
#include "live_automation.h"
#include "parameter_table.h"
#include "plugin_editor.h"
#include "player_engine.h"
#include "program_catalog.h"
#include "stereo_pulse_weaver.h"
#include "vst3_host.h"
#include "allocation_counter.h"

namespace spwplay {
namespace {

constexpr int kRate = 48000;
constexpr int kBlock = 256;

TEST(PlayerRealtime, CallbackNeitherAllocatesNorLocksAnythingButThePlugInsLock) {
  tCounting = true;  // the counting itself works
  delete new int(1);
  tCounting = false;
  ASSERT_GE(gAllocations, 2);
  gAllocations = gForeignLocks = 0;

  auto* plug = new CLS_STEREOPULSEWEAVER(BuildHeadlessEditor);
  std::string error;
  auto host = spwhost::Plugin::Adopt(static_cast<Steinberg::Vst::IAudioProcessor*>(plug), &error);
  ASSERT_TRUE(host && host->Initialize(&error)) << error;
  spwrender::ProgramCatalog programs;
  int loud = 0;
  ASSERT_TRUE(programs.Read(*host, &error) && programs.Resolve("C Major style", &loud, &error)) << error;
  {
    ParameterTable table(*host);
    // A session: the beat slides, the volume is set, the slots unlinked (the plug-in
    // writes "Unlink Ref"), which then slides, then the loud programme comes.
    std::vector<spwrender::AutomationEvent> events(5);
    events[0].change = {0, host->PlainToNormalized(0, 12.0)};
    events[0].slideFrames = kRate;
    events[1].frame = events[2].frame = events[3].frame = kRate / 2;
    events[1].change = {10, 1.0};
    events[2].change = {6, 0.0};
    events[3].change = {11, 0.3};
    events[3].slideFrames = kRate / 4;
    events[4].frame = kRate;
    events[4].change = programs.Selection(loud);
    events[4].selectsProgram = true;
    std::vector<std::vector<double>> programValues(events.size());
    for (int k = 0; k < table.Count(); ++k) programValues[4].push_back(table.Value(k));
    LiveAutomation automation(events, programValues, table, kRate / 100);
    EditQueue edits;
    PlayerEngine engine(*host, table, edits, &automation, 4 * kRate);
    ASSERT_TRUE(engine.Start(kRate, kBlock, &error)) << error;
#if defined(__linux__)
    gAllowedLock = plug->Mutex().native_handle();
#endif
    std::vector<float> left(4096), right(4096);
    int played = 0;
    auto play = [&](int frames) {
      tCounting = true;
      engine.Render(left.data(), right.data(), frames);
      tCounting = false;
      played += frames;
    };
    for (int frames : {256, 1, 4096, 512, 1000}) play(frames);  // device blocks of any length
    ASSERT_TRUE(edits.Push({4, 0.5}));  // the editor turns "Wave" and a slot
    ASSERT_TRUE(edits.Push({12, 0.3}));
    while (played < 2 * kRate) play(kBlock);
    engine.RequestFade();
    while (!engine.Faded()) play(kBlock);
    play(kBlock);
    engine.Stop();
  }
  EXPECT_EQ(gAllocations, 0);
  EXPECT_EQ(gForeignLocks, 0);
  host.reset();
  plug->release();
}

}  // namespace
}  // namespace spwplay
