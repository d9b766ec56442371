#pragma once
// What a render sounded like, moment by moment, for the picture of a session: the
// tones each ear heard and their beats, measured from the audio; the output level;
// and the plug-in's "Binaural" and "Volume" as they were applied. Fed block by
// block as the render runs.

#include <cstdint>
#include <vector>

#include "audio_sink.h"
#include "ear_tones.h"

namespace spwhost {
class Plugin;
}

namespace spwrender {

struct SessionMoment {
  double seconds = 0.0;        // the middle of the stretch the level covers
  double peak = 0.0, rms = 0.0;  // of both channels over the stretch, 1.0 = full scale
  // The same of the samples limited to full scale, as a file of integer samples holds
  // them, and how many samples were limited.
  double limitedPeak = 0.0, limitedRms = 0.0;
  int64_t clippedSamples = 0;
  bool tonesMeasured = false;  // false between the measured moments, and for too short a render
  double toneSeconds = 0.0;    // the middle of the window the tones were measured in
  EarTones tones;
  std::vector<BinauralPair> pairs;
  double binauralHz = 0.0;     // the parameters at the end of the stretch
  double volumePercent = 0.0;
  // "Binaural Pan" at "Null": both ears of a pair get the same frequency, so the
  // beat applied is 0 whatever "Binaural" says.
  bool beatCancelled = false;
  double AppliedBeatHz() const { return beatCancelled ? 0.0 : binauralHz; }
};

// A stretch of the render, in seconds; to < 0: on to the end.
struct TimeSpan {
  double from = 0.0, to = -1.0;
};

class SessionAnalysis : public AudioSink {
 public:
  // totalFrames: the length of the render, which sets the stretch: a quarter of a
  // second, shorter so that a very short render has 50 moments, longer so that a
  // long session has about kMostMoments. Tones are measured over a second, every
  // half second at most. plugin (may
  // be null): where the parameters are read, after each block has been rendered.
  SessionAnalysis(double sampleRate, int64_t totalFrames, spwhost::Plugin* plugin);

  bool Write(const float* left, const float* right, int frames, std::string* error) override;
  // Measures what the last block left open. Call once, after the last Write.
  void Finish();

  const std::vector<SessionMoment>& Moments() const { return moments_; }
  // Where "Binaural Pan" was "Null", from the block it was set in to the block it
  // was left in: the exact times of the events, since a render starts a block at each.
  const std::vector<TimeSpan>& CancelledSpans() const { return cancelledSpans_; }
  double SampleRate() const { return rate_; }
  double Seconds() const { return double(frames_) / rate_; }

  static constexpr int64_t kMostMoments = 500;
  // A render shorter than this has its level measured, not its tones: a shorter
  // window cannot tell tones a few hertz apart, nor a beat of a few hertz.
  static constexpr double kShortestToneWindowSeconds = 1.0;
  // Whether the render was long enough for its tones to be measured.
  bool TonesMeasurable() const { return window_ >= minimumToneWindow_; }

 private:
  void Take(const float* left, const float* right, int64_t count);
  bool BeatCancelled() const;
  void NoteCancelled(bool cancelled);
  void Remember(const float* left, const float* right, int64_t n);
  void Measure(const float* samples, int64_t n);
  void CloseStretch();
  void NextTones();
  void MeasureTones(SessionMoment& moment);
  int64_t ToneCaptureFrame(size_t index) const;
  double ReadParameter(uint32_t id, bool found) const;

  double rate_;
  int64_t totalFrames_;
  int64_t stretch_;        // frames per moment
  int64_t window_;         // frames the tones are measured over
  int64_t toneStride_;     // tones every this many moments: windows overlapping by half
  int64_t minimumToneWindow_;
  spwhost::Plugin* plugin_;
  uint32_t binauralId_ = 0, volumeId_ = 0, panId_ = 0;
  bool haveBinaural_ = false, haveVolume_ = false, havePan_ = false;

  EarToneMeter meter_;
  std::vector<float> ringLeft_, ringRight_;  // the last window_ frames
  std::vector<float> lineLeft_, lineRight_;  // the same, oldest first, for the meter
  size_t ringAt_ = 0;
  int64_t frames_ = 0;
  double stretchPeak_ = 0.0, stretchSquares_ = 0.0, stretchLimitedSquares_ = 0.0;
  int64_t stretchClipped_ = 0;
  int64_t stretchFrames_ = 0;
  size_t nextTones_ = 0;   // the first moment still waiting for its tones
  std::vector<SessionMoment> moments_;
  std::vector<TimeSpan> cancelledSpans_;
};

}  // namespace spwrender
