#pragma once
// How loud rendered audio is: its level (RMS), its peak and its largest step.

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

// The largest magnitude among count samples of x from first (to its end by default).
template <typename Sample>
Sample Peak(const std::vector<Sample>& x, size_t first = 0, size_t count = size_t(-1)) {
  const size_t end = count == size_t(-1) ? x.size() : std::min(x.size(), first + count);
  Sample peak = 0;
  for (size_t i = first; i < end; ++i) peak = std::max<Sample>(peak, std::fabs(x[i]));
  return peak;
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

// The largest step between neighbouring samples of either channel, from sample
// first to sample end (the whole pair by default).
template <typename Sample>
Sample LargestStep(const std::vector<Sample>& left, const std::vector<Sample>& right, size_t first = 0,
                   size_t end = size_t(-1)) {
  end = std::min({end, left.size(), right.size()});
  Sample step = 0;
  for (size_t i = std::max<size_t>(first, 1); i < end; ++i) {
    step = std::max<Sample>({step, std::fabs(left[i] - left[i - 1]), std::fabs(right[i] - right[i - 1])});
  }
  return step;
}
