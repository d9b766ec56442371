#include "session_player.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "slide_path.h"

namespace spw_web {

SessionPlayer::SessionPlayer(IEffectWeb& effect, int maxFrames)
    : effect_(effect), controls_(effect), left_(size_t(std::max(1, maxFrames))), right_(left_.size()) {}

bool SessionPlayer::Load(const std::string& text, int sampleRate) {
  automation_.reset();
  problems_.clear();
  length_ = frame_ = 0;
  spwrender::Timeline timeline;
  std::vector<spwrender::AutomationEvent> events;
  if (!spwrender::ReadSession(controls_, text, sampleRate, false, &timeline, &events, &problems_)) return false;
  // Slides send a point every 10 ms, as the renderer's do.
  automation_ = std::make_unique<spwrender::AutomationPlayer>(
      std::move(events), std::max<int64_t>(1, sampleRate / spwrender::kSlidePointsPerSecond));
  automation_->Prepare(controls_);
  error_.reserve(256);
  length_ = std::llround(timeline.endSeconds * sampleRate);
  effect_.SetTransport(true, 0);
  return true;
}

bool SessionPlayer::Render(int frames) noexcept {
  if (!automation_ || frame_ >= length_) return false;
  frames = std::clamp(frames, 0, int(left_.size()));
  const int n = int(std::min<int64_t>(frames, length_ - frame_));
  for (int done = 0; done < n;) {
    automation_->Deliver(controls_, frame_, &error_);
    const int piece = int(std::min<int64_t>(n - done, automation_->FramesToNext(frame_)));
    float* outputs[] = {left_.data() + done, right_.data() + done};
    if (!controls_.ProcessFloat(outputs, piece)) {
      std::memset(outputs[0], 0, sizeof(float) * size_t(piece));
      std::memset(outputs[1], 0, sizeof(float) * size_t(piece));
    }
    done += piece;
    frame_ += piece;
  }
  std::fill(left_.begin() + n, left_.begin() + frames, 0.0f);
  std::fill(right_.begin() + n, right_.begin() + frames, 0.0f);
  return true;
}

}  // namespace spw_web
