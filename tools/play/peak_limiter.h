#pragma once
// A stereo-linked look-ahead peak limiter: no sample leaves it above the ceiling.
// The gain each sample needs (ceiling / peak) is taken as the minimum over the
// look-ahead window, held with a slow release, and averaged over the window, so
// the gain has reached its value before a peak arrives and a steady tone gets a
// steady gain rather than a distorting, per-cycle one. A signal that stays below
// the ceiling passes unchanged, only delayed by the look-ahead.
//
// Threads: Prepare on any one thread before use; Process and the getters on the
// audio thread. Process allocates nothing.

#include <cstdint>
#include <vector>

namespace spwplay {

class PeakLimiter {
 public:
  static constexpr double kCeilingDbfs = -1.0;
  static constexpr double kLookAheadSeconds = 0.005;
  static constexpr double kReleaseSeconds = 0.4;   // time constant of the gain's recovery

  // Sizes the delay line and windows for sampleRate Hz and clears them.
  void Prepare(double sampleRate);
  // Limits frames samples of each channel in place.
  void Process(float* left, float* right, int frames) noexcept;
  // The frames a sample spends inside (the look-ahead).
  int Latency() const { return length_ - 1; }
  // The smallest gain applied since the last call to TakeLowestGain (1: none), then resets it.
  float TakeLowestGain() noexcept;
  static float Ceiling();

 private:
  float Step(float& left, float& right) noexcept;
  void PushRequiredGain(double gain) noexcept;

  int length_ = 1;                  // look-ahead window, frames
  std::vector<float> delayLeft_, delayRight_;
  // Monotonic queue of (frame, required gain) for the sliding minimum.
  std::vector<int64_t> minFrame_;
  std::vector<double> minGain_;
  int minHead_ = 0, minCount_ = 0;
  std::vector<double> boxValues_;   // the last length_ held gains, for the average
  double boxSum_ = 0.0;
  int belowUnity_ = 0;              // held gains in the box below 1
  int cursor_ = 0;                  // position in the delay line and the box
  int64_t frame_ = 0;
  double held_ = 1.0;               // the window minimum with release
  double releaseStep_ = 0.0;
  float lowest_ = 1.0f;
};

}  // namespace spwplay
