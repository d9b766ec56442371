#pragma once
// A one-line progress bar for long renders, redrawn in place on a terminal. It stays
// silent when its stream is not a terminal, and during the first moments of a
// render, so short renders and redirected output show nothing.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace spwrender {

class ProgressBar {
 public:
  // totalFrames: the length of the render; sampleRate in Hz, for the times shown.
  // enabled false: every call does nothing.
  ProgressBar(std::FILE* out, bool enabled, int64_t totalFrames, double sampleRate);

  // Reports that doneFrames are rendered; redraws at most ten times a second.
  void Update(int64_t doneFrames);
  // Ends the line when anything was drawn.
  void Finish();

  // True when the stream is a terminal.
  static bool IsTerminal(std::FILE* stream);

 private:
  using Clock = std::chrono::steady_clock;
  void Draw(int64_t doneFrames, Clock::time_point now);

  std::FILE* out_;
  bool enabled_;
  int64_t total_;
  double sampleRate_;
  Clock::time_point start_;
  Clock::time_point lastDraw_;
  bool drawn_ = false;
};

// The text of the bar: "[#####-----]  50%  5.0 / 10.0 s  (80x real time)".
// elapsedSeconds is wall-clock time since the render started.
std::string FormatProgressLine(int64_t doneFrames, int64_t totalFrames, double sampleRate, double elapsedSeconds);

}  // namespace spwrender
