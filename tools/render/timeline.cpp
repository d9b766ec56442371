#include "timeline.h"

#include <algorithm>
#include <string_view>

#include "clock_time.h"
#include "session_options.h"

namespace spwrender {
namespace {

constexpr const char* kBlanks = " \t";
constexpr char kQuote = '"';
constexpr char kComment = '#';
constexpr const char* kUtf8Mark = "\xEF\xBB\xBF";
constexpr const char* kTimeForms = "seconds, m:ss or h:mm:ss, or +TIME after the previous event";
constexpr std::string_view kOver = "over";  // between a slide's value and its duration

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The position of c outside double quotes, or npos.
size_t FindUnquoted(const std::string& text, char c) {
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kQuote) quoted = !quoted;
    if (text[i] == c && !quoted) return i;
  }
  return std::string::npos;
}

// A piece of the file as a message quotes it: long ones cut, so that one line of
// megabytes does not make a message of megabytes.
std::string Clip(const std::string& text) {
  return text.size() <= kMaxQuotedBytes ? text : text.substr(0, kMaxQuotedBytes) + "...";
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The position of the last word "over" standing between blanks, or npos.
size_t FindLastOver(const std::string& text) {
  for (size_t at = text.rfind(kOver); at != std::string::npos && at > 0; at = text.rfind(kOver, at - 1)) {
    const size_t after = at + kOver.size();
    if (IsBlank(text[at - 1]) && after < text.size() && IsBlank(text[after])) return at;
  }
  return std::string::npos;
}

bool QuotesBalance(const std::string& text) { return std::count(text.begin(), text.end(), kQuote) % 2 == 0; }

// "NAME" without its quotes; other text as it is.
std::string Unquote(const std::string& text) {
  const std::string trimmed = Trim(text);
  if (trimmed.size() >= 2 && trimmed.front() == kQuote && trimmed.back() == kQuote) {
    return trimmed.substr(1, trimmed.size() - 2);
  }
  return trimmed;
}

// One line being read: its problems go to the shared list.
class LineReader {
 public:
  LineReader(int line, std::vector<TimelineProblem>* problems) : line_(line), problems_(problems) {}

  bool Fail(const std::string& message) {
    problems_->push_back({line_, message});
    return false;
  }

  // The time of an event: absolute, or "+TIME" after previous.
  bool ReadTime(const std::string& text, double previous, double* seconds) {
    const bool relative = !text.empty() && text[0] == '+';
    double value = 0.0;
    if (!ParseClockTime(relative ? text.substr(1) : text, &value)) {
      return Fail("malformed time '" + Clip(text) + "' (" + kTimeForms + ")");
    }
    *seconds = relative ? previous + value : value;
    if (*seconds > kMaxDurationSeconds) return Fail("time " + Clip(text) + " is beyond 24 hours, the limit");
    if (*seconds < previous) {
      return Fail("time goes backwards: " + Clip(text) + " is before the previous event at " + FormatClockTime(previous));
    }
    return true;
  }

  // "NAME=VALUE" into its two halves, each unquoted.
  bool ReadSetting(const std::string& text, const char* action, std::string* name, std::string* value) {
    const size_t eq = FindUnquoted(text, '=');
    if (eq != std::string::npos) {
      *name = Unquote(text.substr(0, eq));
      *value = Unquote(text.substr(eq + 1));
    }
    if (eq == std::string::npos || name->empty() || value->empty()) {
      return Fail(std::string(action) + " wants NAME=VALUE, e.g. " + action + " Binaural=7.83, not '" + Clip(text) + "'");
    }
    return true;
  }

  // "NAME=VALUE over DURATION".
  bool ReadSlide(const std::string& text, TimelineEvent* event) {
    const size_t over = FindLastOver(text);
    if (over == std::string::npos) {
      return Fail("slide wants NAME=VALUE over DURATION, e.g. slide Binaural=4 over 2:00, not '" + Clip(text) + "'");
    }
    const std::string duration = Trim(text.substr(over + kOver.size()));
    if (!ReadSetting(text.substr(0, over), "slide", &event->name, &event->value)) return false;
    if (!ParseClockTime(duration, &event->slideSeconds) || event->slideSeconds <= 0.0) {
      return Fail("malformed slide duration '" + Clip(duration) + "' (above 0, as seconds, m:ss or h:mm:ss)");
    }
    if (event->slideSeconds > kMaxDurationSeconds) {
      return Fail("slide duration " + Clip(duration) + " is over the 24-hour limit");
    }
    event->slideText = duration;
    return true;
  }

 private:
  int line_;
  std::vector<TimelineProblem>* problems_;
};

// Reads the action of one event after its time. *isEnd is set for "end".
bool ReadAction(LineReader& reader, const std::string& word, const std::string& rest, TimelineEvent* event,
                bool* isEnd) {
  *isEnd = false;
  if (word == "end") {
    *isEnd = true;
    return rest.empty() || reader.Fail("end takes nothing after it, not '" + Clip(rest) + "'");
  }
  if (word == "program") {
    event->action = TimelineAction::kProgram;
    event->name = Unquote(rest);
    return !event->name.empty() ||
           reader.Fail("program wants a programme number or \"NAME\" (see spw_render --list-programs)");
  }
  if (word == "set") {
    event->action = TimelineAction::kSet;
    return reader.ReadSetting(rest, "set", &event->name, &event->value);
  }
  if (word == "slide") {
    event->action = TimelineAction::kSlide;
    return reader.ReadSlide(rest, event);
  }
  return reader.Fail("unknown action '" + Clip(word) + "' (program, set, slide or end)");
}

// The text of a line without its comment, its blanks and a Windows line end.
std::string Content(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  const size_t comment = FindUnquoted(line, kComment);
  if (comment != std::string::npos) line.resize(comment);
  return Trim(line);
}

}  // namespace

bool ParseTimeline(const std::string& text, Timeline* timeline, std::vector<TimelineProblem>* problems) {
  *timeline = Timeline();
  const size_t problemsBefore = problems->size();
  const size_t start = text.compare(0, 3, kUtf8Mark) == 0 ? 3 : 0;
  double previous = 0.0;
  int endLine = 0;
  int lineNumber = 0;
  for (size_t at = start; at < text.size();) {
    if (problems->size() - problemsBefore >= kMaxTimelineProblems) {
      problems->push_back({lineNumber, "reading stopped here after " + std::to_string(kMaxTimelineProblems) +
                                           " problems: is this a timeline?"});
      break;
    }
    const size_t newline = std::min(text.find('\n', at), text.size());
    const std::string line = Content(text.substr(at, newline - at));
    at = newline + 1;
    ++lineNumber;
    if (line.empty()) continue;
    LineReader reader(lineNumber, problems);
    if (line.find('\0') != std::string::npos) {
      reader.Fail("the line holds a NUL byte: is this a text file?");
      continue;
    }
    if (!QuotesBalance(line)) {
      reader.Fail("a double quote is not closed");
      continue;
    }
    const size_t timeEnd = std::min(line.find_first_of(kBlanks), line.size());
    const size_t wordStart = std::min(line.find_first_not_of(kBlanks, timeEnd), line.size());
    const size_t wordEnd = std::min(line.find_first_of(kBlanks, wordStart), line.size());
    TimelineEvent event;
    event.line = lineNumber;
    if (!reader.ReadTime(line.substr(0, timeEnd), previous, &event.seconds)) continue;
    previous = event.seconds;
    if (wordStart == line.size()) {
      reader.Fail("no action after the time (program, set, slide or end)");
      continue;
    }
    bool isEnd = false;
    if (!ReadAction(reader, line.substr(wordStart, wordEnd - wordStart), Trim(line.substr(wordEnd)), &event,
                    &isEnd)) {
      continue;
    }
    if (endLine != 0) {
      reader.Fail(std::string(isEnd ? "a second end" : "an event after the end") + " (line " +
                  std::to_string(endLine) + ")");
    } else if (isEnd) {
      endLine = lineNumber;
      timeline->hasEnd = true;
      timeline->endSeconds = event.seconds;
    } else if (timeline->events.size() == kMaxTimelineEvents) {
      reader.Fail("more than " + std::to_string(kMaxTimelineEvents) +
                  " events: split the session, or slide instead of setting many steps");
      break;
    } else {
      timeline->events.push_back(event);
    }
  }
  return problems->size() == problemsBefore;
}

}  // namespace spwrender
