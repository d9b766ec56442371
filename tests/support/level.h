#pragma once
// How loud rendered audio is: its level (RMS) and its peak.

#include <algorithm>
#include <cmath>
#include <vector>

// RMS of count samples of x from first (all of x by default).
template <typename Sample>
double Rms(const std::vector<Sample>& x, size_t first = 0, size_t count = size_t(-1)) {
  if (count == size_t(-1)) count = x.size() - first;
  double sum = 0.0;
  for (size_t i = first; i < first + count; ++i) sum += double(x[i]) * double(x[i]);
  return count > 0 ? std::sqrt(sum / double(count)) : 0.0;
}

// The largest magnitude in either channel of a stereo pair, from sample from on.
template <typename Sample>
Sample Peak(const std::vector<Sample>& left, const std::vector<Sample>& right, size_t from = 0) {
  Sample peak = 0;
  for (size_t i = from; i < left.size() && i < right.size(); ++i) {
    peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
  }
  return peak;
}
