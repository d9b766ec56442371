#pragma once
// A session written as text: one event per line, "TIME ACTION", read without the
// plug-in (names and values are checked against it later, see automation.h).
//
//   # comments run from '#' to the end of the line; blank lines are skipped
//   0       program "Binaural - 10.0 (Manipura chakra)"   a factory programme by name or number
//   0       set Binaural=10                              a parameter, as --set takes it
//   +20     slide Binaural=4 over 20                     linearly to a value over a time
//   1:00    end                                          the length of the session
//
// TIME is seconds, m:ss or h:mm:ss; with a leading '+' it counts from the previous
// event's time. Events at the same time apply in file order.

#include <string>
#include <vector>

namespace spwrender {

enum class TimelineAction { kProgram, kSet, kSlide };

// Limits that keep a file written by hand (or by accident) from taking the
// renderer's memory or time: times and durations stay within 24 hours (see
// kMaxDurationSeconds), a timeline holds at most this many events, reading stops
// after this many problems, and a message quotes at most this much of a line.
constexpr size_t kMaxTimelineEvents = 100000;
constexpr size_t kMaxTimelineProblems = 100;
constexpr size_t kMaxQuotedBytes = 60;

struct TimelineEvent {
  int line = 0;                // 1-based line in the file
  double seconds = 0.0;        // from the start of the session
  TimelineAction action = TimelineAction::kSet;
  std::string name;            // programme number or name; parameter name
  std::string value;           // set and slide: the value text
  double slideSeconds = 0.0;   // slide: how long it takes
  std::string slideText;       // slide: the same as written ("1:00:00"), for messages
};

struct Timeline {
  std::vector<TimelineEvent> events;  // in file order, times never decreasing
  double endSeconds = 0.0;
  bool hasEnd = false;
};

struct TimelineProblem {
  int line = 0;
  std::string message;
};

// Reads a timeline. Every line that is not understood adds a problem (all of them,
// in line order, up to kMaxTimelineProblems, after which reading stops with a
// problem that says so); the lines that are understood still make events. An
// event beyond kMaxTimelineEvents is a problem that stops reading too. True when
// there was no problem.
bool ParseTimeline(const std::string& text, Timeline* timeline, std::vector<TimelineProblem>* problems);

}  // namespace spwrender
