#include "progress_bar.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <algorithm>

namespace spwrender {
namespace {

constexpr int kBarWidth = 30;                                 // characters
constexpr std::chrono::milliseconds kQuietStart{300};         // no bar for renders shorter than this
constexpr std::chrono::milliseconds kRedrawInterval{100};

}  // namespace

std::string FormatProgressLine(int64_t doneFrames, int64_t totalFrames, double sampleRate, double elapsedSeconds) {
  const double fraction = totalFrames > 0 ? std::clamp(double(doneFrames) / double(totalFrames), 0.0, 1.0) : 1.0;
  const int filled = static_cast<int>(fraction * kBarWidth);
  std::string line = "[" + std::string(size_t(filled), '#') + std::string(size_t(kBarWidth - filled), '-') + "]";
  char text[96];
  const double renderedSeconds = double(doneFrames) / sampleRate;
  std::snprintf(text, sizeof text, " %3d%%  %.1f / %.1f s", static_cast<int>(fraction * 100.0), renderedSeconds,
                double(totalFrames) / sampleRate);
  line += text;
  if (elapsedSeconds > 0.0 && doneFrames > 0) {
    std::snprintf(text, sizeof text, "  (%.0fx real time)", renderedSeconds / elapsedSeconds);
    line += text;
  }
  return line;
}

ProgressBar::ProgressBar(std::FILE* out, bool enabled, int64_t totalFrames, double sampleRate)
    : out_(out), enabled_(enabled), total_(totalFrames), sampleRate_(sampleRate), start_(Clock::now()),
      lastDraw_(start_) {}

bool ProgressBar::IsTerminal(std::FILE* stream) {
#ifdef _WIN32
  return _isatty(_fileno(stream)) != 0;
#else
  return isatty(fileno(stream)) != 0;
#endif
}

void ProgressBar::Update(int64_t doneFrames) {
  if (!enabled_) return;
  const Clock::time_point now = Clock::now();
  if (now - start_ < kQuietStart || (drawn_ && now - lastDraw_ < kRedrawInterval)) return;
  Draw(doneFrames, now);
}

void ProgressBar::Finish() {
  if (!drawn_) return;
  Draw(total_, Clock::now());
  std::fputc('\n', out_);
  std::fflush(out_);
  drawn_ = false;
}

void ProgressBar::Draw(int64_t doneFrames, Clock::time_point now) {
  const double elapsed = std::chrono::duration<double>(now - start_).count();
  // Padded so that a shorter line covers the previous one.
  std::fprintf(out_, "\r%-79s", FormatProgressLine(doneFrames, total_, sampleRate_, elapsed).c_str());
  std::fflush(out_);
  lastDraw_ = now;
  drawn_ = true;
}

}  // namespace spwrender
