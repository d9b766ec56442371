// "Binaural" as the plug-in applies it to the ear pairs, read during a render the
// way the picture reads it: a pan mode that gives both ears the same tones
// cancels the beat, and the applied beat is then 0, as the audio measures. The
// picture's tones are the ones the plug-in plays, in every wave shape: as many
// pairs as it sounds, each beating at the applied beat, no overtones.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "loaded_plugin.h"
#include "parameter_catalog.h"
#include "program_catalog.h"
#include "progress_bar.h"
#include "render_loop.h"
#include "session_analysis.h"

namespace spwrender {
namespace {

class AppliedBeat : public LoadedPlugin {
 protected:
  // Renders seconds of programme at rate, then each (time, "NAME=VALUE") setting in
  // turn, into analysis.
  void Render(const std::string& programme, const std::vector<std::pair<double, std::string>>& settings, int rate,
              double seconds, std::unique_ptr<SessionAnalysis>* analysis) {
    ProgramCatalog programmes;
    std::string error;
    ASSERT_TRUE(programmes.Read(plugin(), &error)) << error;
    int number = 0;
    ASSERT_TRUE(programmes.Resolve(programme, &number, &error)) << error;
    RenderJob job;
    job.sampleRate = rate;
    job.frames = std::llround(seconds * rate);
    AutomationEvent selection;
    selection.change = programmes.Selection(number);
    selection.selectsProgram = true;
    job.automation.push_back(selection);
    const ParameterCatalog parameters(plugin());
    for (const auto& setting : settings) {
      const size_t equals = setting.second.find('=');
      AutomationEvent event;
      event.frame = std::llround(setting.first * rate);
      ASSERT_TRUE(parameters.Resolve(setting.second.substr(0, equals), setting.second.substr(equals + 1),
                                     &event.change, &error)) << error;
      job.automation.push_back(event);
    }
    *analysis = std::make_unique<SessionAnalysis>(job.sampleRate, job.frames, &plugin());
    ProgressBar progress(stderr, false, job.frames, job.sampleRate);
    ASSERT_TRUE(RenderInto(plugin(), job, {analysis->get()}, progress, &error)) << error;
    (*analysis)->Finish();
  }
};

const char* const kWaves[] = {"Sine",           "Triangle",       "Saw",         "Golden Sine",
                              "Gold. Sine Half", "Gold. Triangle", "Gold. Square"};

TEST_F(AppliedBeat, IsWhatTheEarsHearInEveryWaveShape) {
  struct Case {
    const char* programme;
    bool unlinked;    // "Link Freq" "No"
    size_t tones;
    bool cancelled;  // "Binaural Pan" "Null"
  } cases[] = {{"C Major style", true, 7, false},
               {"Binaural - 10.6 (Relaxed & alert)", false, 1, false},
               {"Healing - 432 (5 tones)", false, 5, true},
               {"104", false, 3, true}};
  for (const Case& c : cases) {
    for (const char* wave : kWaves) {
      const std::string what = std::string(c.programme) + " in " + wave;
      std::vector<std::pair<double, std::string>> settings = {{0.0, std::string("Wave=") + wave}};
      if (c.unlinked) settings.push_back({0.0, "Link Freq=No"});
      std::unique_ptr<SessionAnalysis> analysis;
      Render(c.programme, settings, 48000, 3.0, &analysis);
      ASSERT_TRUE(analysis) << what;
      // The last second, once the programme's glide has settled.
      int measured = 0;
      for (const SessionMoment& m : analysis->Moments()) {
        if (m.seconds < 2.0) continue;
        EXPECT_EQ(m.beatCancelled, c.cancelled) << what;
        EXPECT_EQ(m.AppliedBeatHz(), c.cancelled ? 0.0 : m.binauralHz) << what;
        EXPECT_GT(m.binauralHz, 0.0) << what << ": the parameter still holds its value";
        if (!m.tonesMeasured) continue;
        ++measured;
        EXPECT_EQ(m.pairs.size(), c.tones) << what << " at " << m.toneSeconds << " s";
        EXPECT_EQ(m.tones.left.size(), c.tones) << what << " at " << m.toneSeconds << " s";
        EXPECT_EQ(m.tones.right.size(), c.tones) << what << " at " << m.toneSeconds << " s";
        for (const BinauralPair& pair : m.pairs) {
          EXPECT_NEAR(std::fabs(pair.rightHz - pair.leftHz), m.AppliedBeatHz(), 0.1) << what;
        }
      }
      EXPECT_GT(measured, 0) << what;
    }
  }
}

// The stretches without a beat run from the event that set "Null" to the one that
// left it, to the sample, wherever they fall in a block.
TEST_F(AppliedBeat, CancelledStretchesRunFromEventToEvent) {
  constexpr int kRate = 8000;
  struct Case {
    std::vector<std::pair<double, std::string>> settings;
    std::vector<TimeSpan> spans;
  } cases[] = {
      {{{1.2345, "Binaural Pan=Null"}, {2.5, "Binaural Pan=Right"}}, {{1.2345, 2.5}}},
      {{{1.0, "Binaural Pan=Null"}, {2.0, "Binaural Pan=Left"}, {2.75, "Binaural Pan=Null"}}, {{1.0, 2.0}, {2.75, -1.0}}},
      {{{0.0, "Binaural Pan=Null"}}, {{0.0, -1.0}}},
      {{{1.0, "Binaural Pan=Center Left"}}, {}},
  };
  for (const Case& c : cases) {
    std::unique_ptr<SessionAnalysis> analysis;
    Render("Binaural - 10.6 (Relaxed & alert)", c.settings, kRate, 3.0, &analysis);
    ASSERT_TRUE(analysis);
    const std::vector<TimeSpan>& spans = analysis->CancelledSpans();
    ASSERT_EQ(spans.size(), c.spans.size()) << c.settings.front().first;
    for (size_t i = 0; i < spans.size(); ++i) {
      EXPECT_NEAR(spans[i].from, c.spans[i].from, 0.5 / kRate) << i;
      EXPECT_NEAR(spans[i].to, c.spans[i].to, 0.5 / kRate) << i;
    }
  }
}

}  // namespace
}  // namespace spwrender
