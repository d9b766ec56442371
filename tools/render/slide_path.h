#pragma once
// One parameter's slide: linear in the parameter's own units from where it
// stands to a target, with a point on its own grid of frames (every maxGap from
// its start, and its end) wherever the blocks around it fall. The renderer and
// the live player both follow it, so they send the same values on the same
// frames whatever their block sizes.
//
// Threads: whichever plays the automation (the live player's audio thread: no
// allocation).

#include <cstdint>

#include "parameter_scale.h"

namespace spwrender {

// A slide's points per second: steps of 10 ms, which the plug-in's own ramps smooth.
constexpr int kSlidePointsPerSecond = 100;

struct SlidePath {
  int index = 0;                         // in the scale
  double fromPlain = 0.0, toPlain = 0.0;  // in the parameter's units
  double toNormalized = 0.0;
  int64_t start = 0, end = 0, gap = 1;   // frames
  int64_t next = 0;                      // the frame of the next point

  // Starts at frame start, from fromNormalized, for frames frames.
  static SlidePath Make(const ParameterScale& scale, int index, double fromNormalized, double toNormalized,
                        int64_t start, int64_t frames, int64_t maxGap) noexcept;
  // The point due at frame, if one is (*normalized set); moves on to the next.
  bool PointAt(int64_t frame, const ParameterScale& scale, double* normalized) noexcept;
  bool Done() const noexcept { return next > end; }
  int64_t FramesToPoint(int64_t frame) const noexcept { return next - frame; }
};

}  // namespace spwrender
