#include "peak_limiter.h"

#include <algorithm>
#include <cmath>

namespace spwplay {
namespace {

constexpr double kUnityMargin = 1e-6;
constexpr int kChunksPerSecond = 10;

double PerFrame(double dbPerSecond, double sampleRate) { return std::pow(10.0, dbPerSecond / 20.0 / sampleRate); }

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
  slowRelease_ = PerFrame(kSlowReleaseDbPerSecond, sampleRate);
  fastRelease_ = PerFrame(kFastReleaseDbPerSecond, sampleRate);
  needs_.assign(size_t(std::lround(kMemorySeconds * kChunksPerSecond)), 1.0);
  needCursor_ = 0;
  chunkFrames_ = chunkLeft_ = std::max<int64_t>(1, std::llround(sampleRate / kChunksPerSecond));
  chunkNeed_ = memoryNeed_ = 1.0;
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

// The lowest gain required over the memory, kept per tenth of a second.
double PeakLimiter::RememberNeed(double required) noexcept {
  chunkNeed_ = std::min(chunkNeed_, required);
  if (--chunkLeft_ == 0) {
    needs_[size_t(needCursor_)] = chunkNeed_;
    needCursor_ = (needCursor_ + 1) % int(needs_.size());
    memoryNeed_ = *std::min_element(needs_.begin(), needs_.end());
    chunkNeed_ = 1.0;
    chunkLeft_ = chunkFrames_;
  }
  return std::min(memoryNeed_, chunkNeed_);
}

float PeakLimiter::Step(float& left, float& right) noexcept {
  static const double ceiling = Ceiling();
  static const double near = std::pow(10.0, -kNearDb / 20.0);
  const double peak = std::max(std::fabs(double(left)), std::fabs(double(right)));
  const double required = peak > ceiling ? ceiling / peak : 1.0;
  PushRequiredGain(required);
  const double need = RememberNeed(required);
  const double windowMin = minGain_[size_t(minHead_)];
  // The held gain never exceeds the window's minimum; it rises slowly while near
  // the deepest reduction remembered, quickly from further below it or once
  // nothing remembered needs any.
  const bool fast = held_ < need * near || need >= 1.0;
  held_ = std::min(windowMin, held_ * (fast ? fastRelease_ : slowRelease_));
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
