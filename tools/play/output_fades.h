#pragma once
// The fades of what the player sends out: silent for a moment at the start, then
// a short rise; on a stop (or before a session's end) the half-second raised
// cosine to silence. The player's engine and the web page's worklet both apply
// them, after the limiter.
//
// Threads: Prepare before use; the rest on the audio thread (no allocation).

#include <cstdint>

#include "fade_out.h"

namespace spwplay {

class OutputFades {
 public:
  static constexpr double kFadeSeconds = spwrender::kFadeOutSeconds;
  static constexpr double kLeadSeconds = 0.05;  // silence first, while the ports are connected
  static constexpr double kRiseSeconds = 0.1;   // then the rise from silence

  // For sampleRate Hz, starting with the lead-in and the rise.
  void Prepare(int sampleRate);
  // Starts again from silence: the lead-in, the rise, no fade.
  void Restart() noexcept;
  // Scales frames of stereo audio in place; fade starts the fade to silence
  // (once started it runs on). True once the fade is over and all is silent.
  bool Apply(float* left, float* right, int frames, bool fade) noexcept;
  int64_t FadeFrames() const noexcept { return fadeFrames_; }

 private:
  int64_t fadeFrames_ = 1;
  int64_t fadeLeft_ = -1;  // frames of the fade still to come; -1: not fading
  int64_t leadFrames_ = 0;
  int64_t riseFrames_ = 1;
  int64_t risen_ = 0;      // frames of the lead-in and rise so far
};

}  // namespace spwplay
