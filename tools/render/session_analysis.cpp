#include "session_analysis.h"

#include <algorithm>
#include <cmath>

#include "vst3_host.h"

namespace spwrender {
namespace {

constexpr double kStretchSeconds = 0.25;  // a moment's stretch, unless the render is very short or long
constexpr int64_t kFewestMoments = 50;    // a render of a fraction of a second still draws a level line
constexpr double kWindowSeconds = 1.0;    // tones a few hertz apart stay apart

// The ID of the parameter titled title; false when the plug-in has none.
bool FindParameterId(spwhost::Plugin* plugin, const char* title, uint32_t* id) {
  spwhost::ParameterInfo info;
  const int index = plugin != nullptr ? plugin->FindParameter(title) : -1;
  if (index < 0 || !plugin->GetParameterInfo(index, &info)) return false;
  *id = info.id;
  return true;
}

}  // namespace

SessionAnalysis::SessionAnalysis(double sampleRate, int64_t totalFrames, spwhost::Plugin* plugin)
    : rate_(sampleRate),
      totalFrames_(std::max<int64_t>(1, totalFrames)),
      stretch_(std::max<int64_t>(std::min<int64_t>(std::llround(kStretchSeconds * sampleRate),
                                                   (totalFrames_ + kFewestMoments - 1) / kFewestMoments),
                                 (totalFrames_ + kMostMoments - 1) / kMostMoments)),
      window_(std::max<int64_t>(2, std::min<int64_t>(std::llround(kWindowSeconds * sampleRate), totalFrames_))),
      toneStride_(std::max<int64_t>(1, std::llround(0.5 * double(window_) / double(stretch_)))),
      minimumToneWindow_(std::llround(kShortestToneWindowSeconds * sampleRate)),
      plugin_(plugin),
      meter_(size_t(window_), sampleRate),
      ringLeft_(size_t(window_)),
      ringRight_(size_t(window_)),
      lineLeft_(size_t(window_)),
      lineRight_(size_t(window_)) {
  haveBinaural_ = FindParameterId(plugin, "Binaural", &binauralId_);
  haveVolume_ = FindParameterId(plugin, "Volume", &volumeId_);
  havePan_ = FindParameterId(plugin, "Binaural Pan", &panId_);
}

bool SessionAnalysis::Write(const float* left, const float* right, int frames, std::string*) {
  NoteCancelled(BeatCancelled());
  Take(left, right, frames);
  return true;
}

bool SessionAnalysis::BeatCancelled() const {
  return havePan_ && plugin_->ValueToString(panId_, plugin_->GetParamNormalized(panId_)) == "Null";
}

// Called with each block, before its frames are counted: the block starts where
// the change was made.
void SessionAnalysis::NoteCancelled(bool cancelled) {
  const bool open = !cancelledSpans_.empty() && cancelledSpans_.back().to < 0.0;
  if (cancelled && !open) cancelledSpans_.push_back({double(frames_) / rate_, -1.0});
  if (!cancelled && open) cancelledSpans_.back().to = double(frames_) / rate_;
}

void SessionAnalysis::Take(const float* left, const float* right, int64_t count) {
  for (int64_t done = 0; done < count;) {
    if (stretchFrames_ == 0) moments_.emplace_back();
    int64_t n = std::min(count - done, stretch_ - stretchFrames_);
    if (nextTones_ < moments_.size()) n = std::min(n, std::max<int64_t>(1, ToneCaptureFrame(nextTones_) - frames_));
    Remember(left + done, right + done, n);
    Measure(left + done, n);
    Measure(right + done, n);
    done += n;
    frames_ += n;
    stretchFrames_ += n;
    if (stretchFrames_ == stretch_) CloseStretch();
    while (nextTones_ < moments_.size() && frames_ >= ToneCaptureFrame(nextTones_)) NextTones();
  }
}

// Into the ring, in at most two copies; of more than it holds, the last it holds.
void SessionAnalysis::Remember(const float* left, const float* right, int64_t n) {
  const size_t size = ringLeft_.size();
  if (size_t(n) > size) {
    const size_t skipped = size_t(n) - size;
    left += skipped;
    right += skipped;
    ringAt_ = (ringAt_ + skipped) % size;
    n = int64_t(size);
  }
  const size_t first = std::min(size_t(n), size - ringAt_), rest = size_t(n) - first;
  std::copy(left, left + first, ringLeft_.begin() + long(ringAt_));
  std::copy(right, right + first, ringRight_.begin() + long(ringAt_));
  std::copy(left + first, left + first + rest, ringLeft_.begin());
  std::copy(right + first, right + first + rest, ringRight_.begin());
  ringAt_ = (ringAt_ + size_t(n)) % size;
}

// The level of one channel's samples, added to the stretch's.
void SessionAnalysis::Measure(const float* samples, int64_t n) {
  double peak = stretchPeak_, squares = 0.0, limited = 0.0;
  int64_t clipped = 0;
  for (int64_t i = 0; i < n; ++i) {
    const double s = double(samples[i]) * samples[i];
    peak = s > peak ? s : peak;  // squared until the stretch closes
    squares += s;
    limited += s < 1.0 ? s : 1.0;
    clipped += s > 1.0 ? 1 : 0;
  }
  stretchPeak_ = peak;
  stretchSquares_ += squares;
  stretchLimitedSquares_ += limited;
  stretchClipped_ += clipped;
}

// Tones are measured over a window centred on the stretch, held back at the start
// and the end so that it lies within the render.
int64_t SessionAnalysis::ToneCaptureFrame(size_t index) const {
  const int64_t centre = int64_t(index) * stretch_ + stretch_ / 2;
  return std::min(std::max(centre + window_ / 2, window_), totalFrames_);
}

void SessionAnalysis::CloseStretch() {
  SessionMoment& moment = moments_.back();
  moment.seconds = (double(frames_) - 0.5 * double(stretchFrames_)) / rate_;
  moment.peak = std::sqrt(stretchPeak_);
  moment.rms = std::sqrt(stretchSquares_ / (2.0 * double(stretchFrames_)));
  moment.limitedPeak = std::min(moment.peak, 1.0);
  moment.limitedRms = std::sqrt(stretchLimitedSquares_ / (2.0 * double(stretchFrames_)));
  moment.clippedSamples = stretchClipped_;
  moment.binauralHz = ReadParameter(binauralId_, haveBinaural_);
  moment.volumePercent = ReadParameter(volumeId_, haveVolume_);
  moment.beatCancelled = BeatCancelled();
  stretchPeak_ = stretchSquares_ = stretchLimitedSquares_ = 0.0;
  stretchClipped_ = 0;
  stretchFrames_ = 0;
}

double SessionAnalysis::ReadParameter(uint32_t id, bool found) const {
  return found ? plugin_->NormalizedToPlain(id, plugin_->GetParamNormalized(id)) : 0.0;
}

void SessionAnalysis::MeasureTones(SessionMoment& moment) {
  // The window is always full here: tones are measured from window_ frames on.
  // Oldest first: the ring from its write position on, then from its start.
  const auto unwrap = [this](const std::vector<float>& ring, std::vector<float>& line) {
    const auto at = ring.begin() + long(ringAt_);
    std::copy(ring.begin(), at, std::copy(at, ring.end(), line.begin()));
  };
  unwrap(ringLeft_, lineLeft_);
  unwrap(ringRight_, lineRight_);
  moment.tonesMeasured = true;
  moment.toneSeconds = (double(frames_) - 0.5 * double(window_)) / rate_;
  moment.tones = meter_.Measure(lineLeft_.data(), lineRight_.data());
  moment.pairs = PairFundamentals(&moment.tones, rate_);
}

// Windows overlapping by more than half show nothing new: the moments between
// are measured for their level only.
void SessionAnalysis::NextTones() {
  SessionMoment& moment = moments_[nextTones_];
  if (nextTones_ % toneStride_ == 0 && window_ >= minimumToneWindow_) MeasureTones(moment);
  ++nextTones_;
}

void SessionAnalysis::Finish() {
  if (stretchFrames_ > 0) CloseStretch();
  while (nextTones_ < moments_.size()) NextTones();
}

}  // namespace spwrender
