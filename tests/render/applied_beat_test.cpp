// "Binaural" as the plug-in applies it to the ear pairs, read during a render the
// way the picture reads it: a pan mode that gives both ears the same tones
// cancels the beat, and the applied beat is then 0, as the audio measures.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "loaded_plugin.h"
#include "program_catalog.h"
#include "progress_bar.h"
#include "render_loop.h"
#include "session_analysis.h"

namespace spwrender {
namespace {

class AppliedBeat : public LoadedPlugin {};

TEST_F(AppliedBeat, IsWhatTheEarsHear) {
  struct Case {
    const char* programme;
    bool cancelled;  // "Binaural Pan" "Null"
  } cases[] = {{"C Major style", false}, {"152", true}, {"104", true}};
  ProgramCatalog programmes;
  std::string error;
  ASSERT_TRUE(programmes.Read(plugin(), &error)) << error;
  for (const Case& c : cases) {
    int number = 0;
    ASSERT_TRUE(programmes.Resolve(c.programme, &number, &error)) << error;
    RenderJob job;
    job.sampleRate = 16000;
    job.frames = 4 * job.sampleRate;
    AutomationEvent selection;
    selection.change = programmes.Selection(number);
    selection.selectsProgram = true;
    job.automation.push_back(selection);
    SessionAnalysis analysis(job.sampleRate, job.frames, &plugin());
    ProgressBar progress(stderr, false, job.frames, job.sampleRate);
    ASSERT_TRUE(RenderInto(plugin(), job, {&analysis}, progress, &error)) << error;
    analysis.Finish();
    // The last second, once the programme's glide has settled.
    int measured = 0;
    for (const SessionMoment& m : analysis.Moments()) {
      if (m.seconds < 3.0) continue;
      EXPECT_EQ(m.beatCancelled, c.cancelled) << c.programme;
      EXPECT_EQ(m.AppliedBeatHz(), c.cancelled ? 0.0 : m.binauralHz) << c.programme;
      EXPECT_GT(m.binauralHz, 0.0) << c.programme << ": the parameter still holds its value";
      if (!m.tonesMeasured) continue;
      ++measured;
      ASSERT_FALSE(m.pairs.empty()) << c.programme;
      for (const BinauralPair& pair : m.pairs) {
        EXPECT_NEAR(std::fabs(pair.rightHz - pair.leftHz), m.AppliedBeatHz(), 0.1) << c.programme;
      }
    }
    EXPECT_GT(measured, 0) << c.programme;
  }
}

}  // namespace
}  // namespace spwrender
