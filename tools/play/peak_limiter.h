#pragma once
// A stereo-linked look-ahead peak limiter: no sample leaves it above the ceiling.
// The gain each sample needs (ceiling / peak) is taken as the minimum over the
// look-ahead window and averaged over the window, so the gain has reached its
// value before a peak arrives and a steady tone gets a steady gain rather than a
// distorting, per-cycle one. Chords of steady tones peak higher and lower as their
// phases drift: the gain holds the deepest reduction the last seconds needed and
// rises from it only very slowly, so it does not pump with them; once nothing has
// needed it for a while (a quieter programme) it returns quickly. A signal that
// stays below the ceiling passes unchanged, only delayed by the look-ahead.
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
  static constexpr double kMemorySeconds = 10.0;       // how long the deepest reduction needed is remembered
  static constexpr double kSlowReleaseDbPerSecond = 0.005;  // rise while near that reduction: 0.3 dB a minute
  static constexpr double kFastReleaseDbPerSecond = 6.0;   // rise towards it from further down
  static constexpr double kNearDb = 1.0;               // "near": within this of it

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
  double RememberNeed(double required) noexcept;

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
  double slowRelease_ = 1.0, fastRelease_ = 1.0;  // gain factors per frame
  // The lowest required gain of each tenth of a second of the memory, and of the current one.
  std::vector<double> needs_;
  int needCursor_ = 0;
  int64_t chunkFrames_ = 1, chunkLeft_ = 1;
  double chunkNeed_ = 1.0, memoryNeed_ = 1.0;
  float lowest_ = 1.0f;
};

}  // namespace spwplay
