#include "peak_limiter.h"

#include <algorithm>
#include <cmath>

namespace spwplay {
namespace {

constexpr double kUnityMargin = 1e-6;

}  // namespace

float PeakLimiter::Ceiling() { return static_cast<float>(std::pow(10.0, kCeilingDbfs / 20.0)); }

void PeakLimiter::Prepare(double sampleRate) {
  length_ = std::max(1, static_cast<int>(std::lround(kLookAheadSeconds * sampleRate)));
  delayLeft_.assign(size_t(length_), 0.0f);
  delayRight_.assign(size_t(length_), 0.0f);
  minFrame_.assign(size_t(length_), 0);
  minGain_.assign(size_t(length_), 1.0);
  boxValues_.assign(size_t(length_), 1.0);
  boxSum_ = double(length_);
  belowUnity_ = 0;
  minHead_ = minCount_ = cursor_ = 0;
  frame_ = 0;
  held_ = 1.0;
  releaseStep_ = 1.0 - std::exp(-1.0 / (kReleaseSeconds * sampleRate));
  lowest_ = 1.0f;
}

void PeakLimiter::PushRequiredGain(double gain) noexcept {
  // Drop what the new value makes irrelevant (larger, older), and what left the window.
  const int size = length_;
  while (minCount_ > 0 && minGain_[size_t((minHead_ + minCount_ - 1) % size)] >= gain) --minCount_;
  while (minCount_ > 0 && minFrame_[size_t(minHead_)] <= frame_ - length_) {
    minHead_ = (minHead_ + 1) % size;
    --minCount_;
  }
  const size_t slot = size_t((minHead_ + minCount_) % size);
  minFrame_[slot] = frame_;
  minGain_[slot] = gain;
  ++minCount_;
}

float PeakLimiter::Step(float& left, float& right) noexcept {
  static const double ceiling = Ceiling();
  const double peak = std::max(std::fabs(double(left)), std::fabs(double(right)));
  PushRequiredGain(peak > ceiling ? ceiling / peak : 1.0);
  const double windowMin = minGain_[size_t(minHead_)];
  // The held gain never exceeds the window's minimum, and recovers slowly.
  held_ = std::min(windowMin, held_ + (1.0 - held_) * releaseStep_);
  if (held_ > 1.0 - kUnityMargin && windowMin >= 1.0) held_ = 1.0;  // a millionth: inaudible
  // The average of the last length_ held values: each covers the sample leaving now.
  belowUnity_ += (held_ < 1.0 ? 1 : 0) - (boxValues_[size_t(cursor_)] < 1.0 ? 1 : 0);
  boxSum_ += held_ - boxValues_[size_t(cursor_)];
  boxValues_[size_t(cursor_)] = held_;
  if (belowUnity_ == 0) boxSum_ = double(length_);  // exactly: no rounding left over
  const double gain = belowUnity_ == 0 ? 1.0 : std::min(1.0, boxSum_ / double(length_));
  // The delay line hands out the sample that came in length_ - 1 frames ago.
  const int out = (cursor_ + 1) % length_;
  delayLeft_[size_t(cursor_)] = left;
  delayRight_[size_t(cursor_)] = right;
  if (gain >= 1.0) {
    left = delayLeft_[size_t(out)];
    right = delayRight_[size_t(out)];
  } else {
    // Rounding may leave the product a hair above the ceiling: it never passes it.
    const float limit = static_cast<float>(ceiling);
    left = std::clamp(static_cast<float>(delayLeft_[size_t(out)] * gain), -limit, limit);
    right = std::clamp(static_cast<float>(delayRight_[size_t(out)] * gain), -limit, limit);
  }
  cursor_ = out;
  ++frame_;
  return static_cast<float>(gain);
}

void PeakLimiter::Process(float* left, float* right, int frames) noexcept {
  float lowest = lowest_;
  for (int i = 0; i < frames; ++i) lowest = std::min(lowest, Step(left[i], right[i]));
  lowest_ = lowest;
}

float PeakLimiter::TakeLowestGain() noexcept {
  const float lowest = lowest_;
  lowest_ = 1.0f;
  return lowest;
}

}  // namespace spwplay
