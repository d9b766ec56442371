#pragma once
// Re-aligning the phases to the host position moves every oscillator inside one
// sample, which is heard as a click. For a few milliseconds after a
// re-alignment, each block is rendered a second time from the phases the tones
// had before it, and the two renders are cross-faded (a raised cosine), so the
// output glides from the old phases to the aligned ones. The renderer itself
// is untouched: outside the window the output is exactly what it renders.
//
// Threads: audio thread, under the instance lock. Allocates nothing.

#include <cstdint>

#include "tone_engine.h"

class PhaseCrossfade {
 public:
  static constexpr double kSeconds = 0.005;  // length of the glide
  static constexpr int kMaxFrames = 4096;    // 5 ms up to 819 kHz; longer windows are cut to this

  // Call just before engine.RealignPhases, while not Gliding(): remembers the
  // phases the tones have now.
  void Begin(const ToneEngine& engine) noexcept;
  // Renders a block as engine.RenderBlock does, gliding while the window lasts.
  void Render(ToneEngine& engine, const double* const* inputs, double* const* outputs, int nFrames,
              double volumeTarget) noexcept;
  bool Gliding() const noexcept { return done_ < length_; }

 private:
  // Renders frames of the block from the remembered phases into left_ and right_,
  // with the ramp steps the whole block of nFrames has, and leaves the engine as it was.
  void RenderOldPhases(ToneEngine& engine, const double* const* inputs, int frames, int nFrames,
                       double volumeTarget) noexcept;
  // Weight of the aligned render at frame k of the window: 0 before, 1 after it.
  double AlignedWeight(int k) const noexcept;

  double oldPhase_[kVoices] = {};
  double left_[kMaxFrames];
  double right_[kMaxFrames];
  int length_ = 0;  // frames of the current window
  int done_ = 0;    // frames of it rendered
};
