#include "status_line.h"

#include <algorithm>
#include <cmath>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include "clock_time.h"

namespace spwplay {
namespace {

constexpr int kUnknownColumns = 80;
constexpr double kSilentDbfs = -90.0;
constexpr char kEllipsis[] = "...";
constexpr size_t kShortestEvent = 8;  // shorter than this, an event's name says nothing: left out

bool ContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Columns a text takes on a terminal: one per character of its UTF-8.
size_t Columns(const std::string& text) {
  return size_t(std::count_if(text.begin(), text.end(), [](char c) { return !ContinuationByte(c); }));
}

// The first columns of text, never splitting a character.
std::string FirstColumns(const std::string& text, size_t columns) {
  size_t taken = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!ContinuationByte(text[i]) && taken++ == columns) return text.substr(0, i);
  }
  return text;
}

std::string LevelText(const StatusFigures& figures) {
  char level[96];
  if (figures.peakDbfs <= kSilentDbfs) {
    std::snprintf(level, sizeof level, "  level  silent");
  } else {
    std::snprintf(level, sizeof level, "  level %5.1f dBFS", figures.peakDbfs);
  }
  std::string text = level;
  if (figures.limitingDb < -0.05) {
    std::snprintf(level, sizeof level, "  limiting %.1f dB", figures.limitingDb);
    text += level;
  }
  return text;
}

}  // namespace

std::string ClockText(double seconds) { return spwrender::FormatClockTime(std::floor(std::max(0.0, seconds))); }

std::string Counted(uint64_t count, const std::string& noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string StatusText(const StatusFigures& figures, size_t columns) {
  std::string time = ClockText(figures.elapsedSeconds);
  if (figures.totalSeconds >= 0.0) time += " / " + ClockText(figures.totalSeconds);
  const std::string level = LevelText(figures);
  // The event's name gives way first, then whatever does not fit at the end.
  const size_t fixed = Columns(time) + Columns(level), gap = 2;
  std::string event = figures.event;
  if (fixed + gap + Columns(event) > columns) {
    const size_t room = columns > fixed + gap ? columns - fixed - gap : 0;
    event = room >= kShortestEvent ? FirstColumns(event, room - Columns(kEllipsis)) + kEllipsis : std::string();
  }
  const std::string line = event.empty() ? time + level : time + "  " + event + level;
  return FirstColumns(line, columns);
}

size_t TerminalColumns(std::FILE* terminal) {
#ifdef _WIN32
  CONSOLE_SCREEN_BUFFER_INFO info;
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(terminal)));
  if (handle != INVALID_HANDLE_VALUE && GetConsoleScreenBufferInfo(handle, &info)) {
    return size_t(std::max(1, info.srWindow.Right - info.srWindow.Left + 1));
  }
#else
  winsize size = {};
  if (ioctl(fileno(terminal), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
#endif
  return kUnknownColumns;
}

void StatusLine::Show(const StatusFigures& figures) {
  if (!enabled_) return;
  // The last column stays free: a terminal that wraps on writing it would start a new line.
  const size_t columns = std::max<size_t>(1, TerminalColumns(out_)) - 1;
  const std::string text = StatusText(figures, columns);
  // Spaces cover what a longer line before left.
  const size_t width = Columns(text);
  const size_t pad = std::min(shownWidth_, columns) > width ? std::min(shownWidth_, columns) - width : 0;
  std::fprintf(out_, "\r%s%*s", text.c_str(), static_cast<int>(pad), "");
  std::fflush(out_);
  shownWidth_ = width;
}

void StatusLine::Finish() {
  if (!enabled_ || shownWidth_ == 0) return;
  std::fputc('\n', out_);
  std::fflush(out_);
  shownWidth_ = 0;
}

}  // namespace spwplay
