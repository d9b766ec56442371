// A session played live sounds as rendered: the player's engine, run without a
// device (no lead-in, no limiter), and the renderer's loop, each driving its own
// instance of the built bundle at the same block size, give the same samples.
// Sessions are resolved at a low rate so that a whole one fits a few seconds of
// audio: every event, in order, earlier in proportion.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "audio_sink.h"
#include "bundle_fixture.h"
#include "level.h"
#include "offline_play.h"
#include "parameter_catalog.h"
#include "progress_bar.h"
#include "render_loop.h"
#include "session_setup.h"
#include "start_settings.h"
#include "timeline.h"
#include "vst3_host.h"

namespace spwplay {
namespace {

constexpr int kRate = 48000;
constexpr int kBlock = 256;
constexpr int64_t kFrames = 3 * kRate;  // every session, compressed into this

struct Stereo {
  std::vector<float> left, right;
};

class Recorder : public spwrender::AudioSink {
 public:
  explicit Recorder(Stereo& out) : out_(out) {}
  bool Write(const float* left, const float* right, int frames, std::string*) override {
    out_.left.insert(out_.left.end(), left, left + frames);
    out_.right.insert(out_.right.end(), right, right + frames);
    return true;
  }

 private:
  Stereo& out_;
};

// A person's edit in the player's window, at a time of the session.
struct PersonEdit {
  double seconds;
  const char* parameter;
  const char* value;
};

struct Session {
  const char* name;
  std::string timeline;  // the text of a timeline file
  std::vector<PersonEdit> edits = {};
};

std::string ReadSession(const std::string& file) {
  std::ifstream in(TestProgramFolder() + SPW_SESSIONS_RELATIVE + "/" + file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class PlayerMatchesRenderTest : public BundleTest {
 protected:
  std::unique_ptr<spwhost::Plugin> NewInstance() {
    std::string error;
    auto plugin = module_->CreatePlugin(&error);
    EXPECT_TRUE(plugin && plugin->Initialize(&error)) << error;
    return plugin;
  }

  // The session's events, at a rate that puts its end at kFrames.
  std::vector<spwrender::AutomationEvent> Resolve(const Session& session, int* resolveRate) {
    spwrender::Timeline timeline;
    std::vector<spwrender::TimelineProblem> problems;
    spwrender::ParseTimeline(session.timeline, &timeline, &problems);
    EXPECT_TRUE(problems.empty() && timeline.hasEnd) << session.name;
    *resolveRate = std::max(1, int(double(kFrames) / timeline.endSeconds));
    std::vector<spwrender::AutomationEvent> events;
    EXPECT_TRUE(spwrender::ResolveTimeline(*plugin_, timeline, *resolveRate, &events, &problems)) << session.name;
    return events;
  }

  // Each edit at the first callback at or after its time (for the player), and
  // the same value as a `set` at that frame (for the renderer).
  std::vector<spwrender::AutomationEvent> Edits(const Session& session, int resolveRate) {
    const spwrender::ParameterCatalog parameters(*plugin_);
    std::vector<spwrender::AutomationEvent> edits;
    for (const PersonEdit& edit : session.edits) {
      spwrender::AutomationEvent event;
      std::string error;
      EXPECT_TRUE(parameters.Resolve(edit.parameter, edit.value, &event.change, &error)) << error;
      const int64_t frame = std::llround(edit.seconds * resolveRate);
      event.frame = (frame + kBlock - 1) / kBlock * kBlock;
      edits.push_back(event);
    }
    return edits;
  }

  Stereo Render(std::vector<spwrender::AutomationEvent> events) {
    auto plugin = NewInstance();
    Stereo out;
    Recorder recorder(out);
    spwrender::ProgressBar progress(stderr, false, kFrames, kRate);
    spwrender::RenderJob job;
    job.sampleRate = kRate;
    job.blockSize = kBlock;
    job.frames = kFrames;
    job.automation = std::move(events);
    job.fadeOut = false;  // the player's stop fades on its own; the sound before it must agree
    std::string error;
    EXPECT_TRUE(spwrender::RenderInto(*plugin, job, {&recorder}, progress, &error)) << error;
    return out;
  }

  Stereo Play(std::vector<spwrender::AutomationEvent> events, const std::vector<spwrender::AutomationEvent>& edits) {
    auto plugin = NewInstance();
    auto scratch = NewInstance();
    std::string error;
    const spwrender::ToolMessages io{"test", stdout, stderr};
    EXPECT_TRUE(ApplyStartSettings(io, *plugin, spwrender::SessionOptions(), &error)) << error;
    OfflineSession session;
    session.events = std::move(events);
    for (const auto& edit : edits) session.edits.push_back({edit.frame, edit.change.id, edit.change.normalized});
    session.sampleRate = kRate;
    session.blockSize = kBlock;
    session.frames = kFrames;
    Stereo out;
    EXPECT_TRUE(PlayOffline(*plugin, *scratch, session, &out.left, &out.right, &error)) << error;
    return out;
  }

  void ExpectSameSamples(const Session& session) {
    int resolveRate = 0;
    std::vector<spwrender::AutomationEvent> events = Resolve(session, &resolveRate);
    const std::vector<spwrender::AutomationEvent> edits = Edits(session, resolveRate);
    std::vector<spwrender::AutomationEvent> rendered = events;
    rendered.insert(rendered.end(), edits.begin(), edits.end());
    std::stable_sort(rendered.begin(), rendered.end(),
                     [](const auto& a, const auto& b) { return a.frame < b.frame; });
    const Stereo render = Render(rendered);
    const Stereo live = Play(events, edits);
    ASSERT_EQ(render.left.size(), live.left.size()) << session.name;
    size_t first = render.left.size();
    for (size_t i = 0; i < render.left.size() && first == render.left.size(); ++i) {
      if (render.left[i] != live.left[i] || render.right[i] != live.right[i]) first = i;
    }
    EXPECT_EQ(first, render.left.size()) << session.name << ": the first difference at "
                                         << double(first) / kRate << " s of " << double(kFrames) / kRate;
    EXPECT_GT(::Peak(render.left, render.right), 0.01f) << session.name << ": it sounds";
  }
};

TEST_F(PlayerMatchesRenderTest, EveryExampleSession) {
  for (const char* file : {"demo.txt", "focus-25min.txt", "relaxation-30min.txt", "sleep-45min.txt"}) {
    ExpectSameSamples({file, ReadSession(file)});
  }
}

TEST_F(PlayerMatchesRenderTest, SessionsMixingProgrammesSetsSlidesAndEdits) {
  const Session sessions[] = {
      // A programme of slots only keeps the value set before it: the slide starts from 6.
      {"slots-only programme after set",
       "0 program \"Binaural - 10.6 (Relaxed & alert)\"\n0 set Link Freq=No\n0 set Binaural=6\n"
       "0 program \"C Major style (only harmonics)\"\n1 slide Binaural=2 over 20\n30 end\n"},
      // Unlinking writes "Unlink Ref" itself: its slide starts from what was written,
      // and a tone added on the way is placed against it.
      {"slide of what the plug-in wrote",
       "0 program \"C Major style\"\n0 set Link Freq=Yes\n2 set Link Freq=No\n2 slide Unlink Ref=200 over 5\n"
       "5 set Slot 9=30\n10 end\n"},
      // A programme mid-slide ends it; a later slide starts from the programme's value.
      {"programme mid-slide",
       "0 program 57\n0 slide Binaural=3 over 10\n4 program \"Healing - 110 (3 tones)\"\n"
       "6 slide Binaural=12 over 3\n6 slide Volume=20 over 2\n12 end\n"},
      // A person takes "Volume" over from a running slide and sets "Fade" by hand.
      {"edits over a slide",
       "0 program \"C Major style\"\n0 set Fade=1\n1 slide Volume=10 over 8\n6 slide Volume=90 over 2\n10 end\n",
       {{3.0, "Volume", "70"}, {4.0, "Fade", "0.5"}}},
  };
  for (const Session& session : sessions) ExpectSameSamples(session);
}

}  // namespace
}  // namespace spwplay
