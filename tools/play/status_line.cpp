#include "status_line.h"

#include <algorithm>
#include <cmath>

#include "clock_time.h"

namespace spwplay {
namespace {

constexpr size_t kMaxEventChars = 44;  // keeps the line within 80 columns
constexpr double kSilentDbfs = -90.0;

}  // namespace

std::string ClockText(double seconds) { return spwrender::FormatClockTime(std::floor(std::max(0.0, seconds))); }

std::string StatusText(const StatusFigures& figures) {
  std::string line = ClockText(figures.elapsedSeconds);
  if (figures.totalSeconds >= 0.0) line += " / " + ClockText(figures.totalSeconds);
  if (!figures.event.empty()) {
    std::string event = figures.event;
    if (event.size() > kMaxEventChars) event = event.substr(0, kMaxEventChars - 3) + "...";
    line += "  " + event;
  }
  char level[64];
  if (figures.peakDbfs <= kSilentDbfs) {
    std::snprintf(level, sizeof level, "  level  silent");
  } else {
    std::snprintf(level, sizeof level, "  level %5.1f dBFS", figures.peakDbfs);
  }
  line += level;
  if (figures.limitingDb < -0.05) {
    char limit[48];
    std::snprintf(limit, sizeof limit, "  limiting %.1f dB", figures.limitingDb);
    line += limit;
  }
  return line;
}

void StatusLine::Show(const StatusFigures& figures) {
  if (!enabled_) return;
  const std::string text = StatusText(figures);
  // Spaces cover what a longer line before left.
  const size_t pad = shownWidth_ > text.size() ? shownWidth_ - text.size() : 0;
  std::fprintf(out_, "\r%s%*s", text.c_str(), static_cast<int>(pad), "");
  std::fflush(out_);
  shownWidth_ = text.size();
}

void StatusLine::Finish() {
  if (!enabled_ || shownWidth_ == 0) return;
  std::fputc('\n', out_);
  std::fflush(out_);
  shownWidth_ = 0;
}

}  // namespace spwplay
