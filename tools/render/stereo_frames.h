#pragma once
// Stereo audio as files hold it: the two channels interleaved frame by frame.

#include <vector>

namespace spwrender {

// Interleaves frames of left and right into *out (resized to fit) and raises *peak
// to the largest absolute sample among them.
void InterleaveStereo(const float* left, const float* right, int frames, std::vector<float>* out, double* peak);

}  // namespace spwrender
