#pragma once
// The half-second fade to silence that ends what the tools play: the player's on
// stop, the renderer's at the end of its file. A raised cosine, with no corner at
// its start or its end, so that nothing clicks.

#include <cstdint>

namespace spwrender {

constexpr double kFadeOutSeconds = 0.5;

// A raised-cosine ramp from 0 (x = 0) to 1 (x = 1).
float RaisedCosine(double x) noexcept;

// Frames of the fade at rate Hz (at least 1).
int64_t FadeOutFrames(int rate) noexcept;

// Scales frames of stereo audio by a fade of fadeFrames that has framesLeft frames
// still to come: the first frame by framesLeft / fadeFrames on the ramp, each next
// one a frame further down, silence from 0 on. Returns the frames left after them.
int64_t ApplyFadeOut(float* left, float* right, int frames, int64_t framesLeft, int64_t fadeFrames) noexcept;

}  // namespace spwrender
