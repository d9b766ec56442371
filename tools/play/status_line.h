#pragma once
// The one line the player keeps up to date on a terminal: elapsed and total time,
// the session's current event, the output level, and the limiter when it lowers
// the level. Always one line of the terminal's width: the event's name is
// shortened first. Rewritten in place with a carriage return; ended by Finish.
//
// Threads: the main thread.

#include <cstdint>
#include <cstdio>
#include <string>

namespace spwplay {

struct StatusFigures {
  double elapsedSeconds = 0.0;
  double totalSeconds = -1.0;   // < 0: no end
  std::string event;            // "" when none
  double peakDbfs = -200.0;     // output peak since the last line
  double limitingDb = 0.0;      // the limiter's gain, dB (0: not limiting)
};

// The line itself, without the carriage return, in at most columns characters.
std::string StatusText(const StatusFigures& figures, size_t columns);
// The width of the terminal, in characters; 80 when it does not say.
size_t TerminalColumns(std::FILE* terminal);
// Whole seconds as m:ss, or h:mm:ss from an hour.
std::string ClockText(double seconds);
// "1 underrun", "2 underruns".
std::string Counted(uint64_t count, const std::string& noun);

class StatusLine {
 public:
  StatusLine(std::FILE* out, bool enabled) : out_(out), enabled_(enabled) {}
  void Show(const StatusFigures& figures);
  void Finish();

 private:
  std::FILE* out_;
  bool enabled_;
  size_t shownWidth_ = 0;
};

}  // namespace spwplay
