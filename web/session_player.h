#pragma once
// A session played into the page's plug-in as spw_render plays it: the text read
// and resolved by the tools' own code, then its automation delivered block by
// block, the blocks split where something is due and kept to the page's
// 128-frame grid, so the samples equal spw_render --block 128's.
//
// Threads: Load on the worklet's thread outside its process call (it
// allocates); Render inside it (it does not).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "automation_player.h"
#include "effect_controls.h"
#include "timeline.h"

namespace spw_web {

class SessionPlayer {
 public:
  // Renders with effect, whose processing is set up for blocks of up to maxFrames.
  SessionPlayer(IEffectWeb& effect, int maxFrames);

  // Reads a session's text for sampleRate Hz and starts it at its first frame
  // (the transport at 0). False, with its problems and nothing to play, when it
  // has any.
  bool Load(const std::string& text, int sampleRate);
  const std::vector<spwrender::TimelineProblem>& Problems() const { return problems_; }
  int64_t LengthFrames() const { return length_; }
  int64_t Frame() const { return frame_; }

  // [audio thread] The session's next frames (at most maxFrames) into Output;
  // frames past its end are silent. False once it has ended (nothing rendered).
  bool Render(int frames) noexcept;
  float* Output(int channel) noexcept { return channel == 0 ? left_.data() : right_.data(); }

 private:
  IEffectWeb& effect_;
  EffectControls controls_;
  std::unique_ptr<spwrender::AutomationPlayer> automation_;
  std::vector<spwrender::TimelineProblem> problems_;
  std::vector<float> left_, right_;
  std::string error_;  // the automation's reason for a refused block; the block renders on
  int64_t length_ = 0, frame_ = 0;
};

}  // namespace spw_web
