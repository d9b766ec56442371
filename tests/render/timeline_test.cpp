// The timeline text format: times, actions, comments and quoting, and a problem
// with its line number for everything that is not understood.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clock_time.h"
#include "timeline.h"

namespace spwrender {
namespace {

TEST(ClockTime, ReadsSecondsMinutesAndHoursAndRefusesTheRest) {
  struct Case {
    const char* text;
    double seconds;  // < 0: refused
  };
  const Case cases[] = {
      {"0", 0.0},        {"90", 90.0},     {"12.5", 12.5},      {"1:30", 90.0},  {"1:30.25", 90.25},
      {"90:00", 5400.0}, {"1:05:00", 3900.0}, {"0:00:07.5", 7.5}, {"", -1},      {"1:5", -1},
      {"1:60", -1},      {"1:2:03", -1},   {"1.5:00", -1},      {"-3", -1},      {"+3", -1},
      {"0x10", -1},      {"1e3", -1},      {"1:00:00:00", -1},  {"3 s", -1},     {"12.", -1},
      {".5", -1},        {"inf", -1},
  };
  for (const Case& c : cases) {
    double seconds = -1.0;
    EXPECT_EQ(ParseClockTime(c.text, &seconds), c.seconds >= 0.0) << c.text;
    if (c.seconds >= 0.0) {
      EXPECT_DOUBLE_EQ(seconds, c.seconds) << c.text;
    }
  }
  EXPECT_EQ(FormatClockTime(90.0), "1:30");
  EXPECT_EQ(FormatClockTime(3907.5), "1:05:07.5");
}

TEST(Timeline, ReadsEveryActionWithAbsoluteAndRelativeTimes) {
  const std::string text =
      "\xEF\xBB\xBF# a relaxation session\r\n"
      "\r\n"
      "0        program \"Binaural - 10.0 (Manipura chakra)\"   # by name\r\n"
      "0        program 7\n"
      "0:00     set Binaural Pan = Center Left\n"
      "+20      slide Binaural=4 Hz over 1:30.5\n"
      "\t+0:10\tset \"Wave\"=\"Gold. Sine Half\"\n"
      "1:00:00  end\n";
  Timeline timeline;
  std::vector<TimelineProblem> problems;
  ASSERT_TRUE(ParseTimeline(text, &timeline, &problems)) << problems.front().message;
  struct Expected {
    int line;
    double seconds;
    TimelineAction action;
    const char* name;
    const char* value;
    double slideSeconds;
    const char* slideText;  // as written, for the status line
  };
  const Expected expected[] = {
      {3, 0.0, TimelineAction::kProgram, "Binaural - 10.0 (Manipura chakra)", "", 0.0, ""},
      {4, 0.0, TimelineAction::kProgram, "7", "", 0.0, ""},
      {5, 0.0, TimelineAction::kSet, "Binaural Pan", "Center Left", 0.0, ""},
      {6, 20.0, TimelineAction::kSlide, "Binaural", "4 Hz", 90.5, "1:30.5"},
      {7, 30.0, TimelineAction::kSet, "Wave", "Gold. Sine Half", 0.0, ""},
  };
  ASSERT_EQ(timeline.events.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const TimelineEvent& event = timeline.events[i];
    EXPECT_EQ(event.line, expected[i].line);
    EXPECT_DOUBLE_EQ(event.seconds, expected[i].seconds) << event.line;
    EXPECT_EQ(event.action, expected[i].action) << event.line;
    EXPECT_EQ(event.name, expected[i].name) << event.line;
    EXPECT_EQ(event.value, expected[i].value) << event.line;
    EXPECT_DOUBLE_EQ(event.slideSeconds, expected[i].slideSeconds) << event.line;
    EXPECT_EQ(event.slideText, expected[i].slideText) << event.line;
  }
  EXPECT_TRUE(timeline.hasEnd);
  EXPECT_DOUBLE_EQ(timeline.endSeconds, 3600.0);
}

// Every bad line is reported with its number in one pass; the good ones between
// them still count, and relative times go on from the last readable time.
TEST(Timeline, ReportsEveryProblemWithItsLine) {
  struct Line {
    const char* text;
    const char* problem;  // nullptr: a good line
  };
  const Line lines[] = {
      {"0 set Binaural=7", nullptr},
      {"0:5 set Volume=3", "malformed time '0:5'"},
      {"10 set Volume=3", nullptr},
      {"9 set Volume=4", "time goes backwards: 9 is before the previous event at 0:10"},
      {"+1 dance", "unknown action 'dance'"},
      {"12", "no action after the time"},
      {"12 set Fade", "set wants NAME=VALUE"},
      {"12 set =3", "set wants NAME=VALUE"},
      {"12 slide Binaural=4", "slide wants NAME=VALUE over DURATION"},
      {"12 slide Binaural=4 over -1", "malformed slide duration '-1'"},
      {"12 slide Binaural=4 over 0", "malformed slide duration '0'"},
      {"12 slide Binaural=4 over 25:00:00", "slide duration 25:00:00 is over the 24-hour limit"},
      {"12 program", "program wants a programme number"},
      {"12 program \"Healing", "a double quote is not closed"},
      {"12 end now", "end takes nothing after it"},
      {"25:00:00 set Volume=1", "beyond 24 hours"},
      {"13 slide Binaural=4 over 2", nullptr},
      {"20 end", nullptr},
      {"21 set Volume=1", "an event after the end (line 18)"},
      {"22 end", "a second end (line 18)"},
  };
  std::string text;
  for (const Line& line : lines) text += std::string(line.text) + "\n";
  Timeline timeline;
  std::vector<TimelineProblem> problems;
  EXPECT_FALSE(ParseTimeline(text, &timeline, &problems));
  size_t next = 0, good = 0;
  for (size_t i = 0; i < std::size(lines); ++i) {
    if (lines[i].problem == nullptr) {
      ++good;
      continue;
    }
    ASSERT_LT(next, problems.size()) << lines[i].text;
    EXPECT_EQ(problems[next].line, int(i + 1)) << lines[i].text;
    EXPECT_NE(problems[next].message.find(lines[i].problem), std::string::npos)
        << lines[i].text << " -> " << problems[next].message;
    ++next;
  }
  EXPECT_EQ(problems.size(), next);
  EXPECT_EQ(timeline.events.size(), good - 1) << "the good lines, without the end";
  EXPECT_DOUBLE_EQ(timeline.endSeconds, 20.0);
}

std::string Repeated(const std::string& line, size_t times) {
  std::string text;
  text.reserve(line.size() * times);
  for (size_t i = 0; i < times; ++i) text += line;
  return text;
}

// Files a person would not write but may hand over: each is refused with a
// clear problem at a line, or read within the limits, never taking memory or
// time beyond them.
TEST(Timeline, RunawayFilesAreRefusedWithinTheLimits) {
  struct Case {
    std::string text;
    const char* problem;  // nullptr: read without a problem
    int line;
    size_t events;
  };
  const Case cases[] = {
      {"0 set Volume=1\n100:00:00 end\n", "beyond 24 hours", 2, 1},
      {"+1 set Volume=1\n+99:59:59 end\n", "beyond 24 hours", 2, 1},
      {"0 slide Binaural=4 over 100:00:00\n1 end\n", "is over the 24-hour limit", 1, 0},
      // A slide every millisecond for 100 seconds: at the limit, read.
      {Repeated("+0.001 slide Binaural=4 over 0.001\n", kMaxTimelineEvents) + "+1 end\n", nullptr, 0,
       kMaxTimelineEvents},
      // One event more, or a million: refused at the first one too many.
      {Repeated("+0.001 set Volume=1\n", kMaxTimelineEvents + 1), "more than 100000 events",
       int(kMaxTimelineEvents) + 1, kMaxTimelineEvents},
      {Repeated("0 set Volume=1\n", 1000000), "more than 100000 events", int(kMaxTimelineEvents) + 1,
       kMaxTimelineEvents},
      // Garbage of many lines: reading stops after the limit of problems.
      {Repeated("garbage\n", 1000000), "reading stopped here after 100 problems", int(kMaxTimelineProblems), 0},
  };
  for (const Case& c : cases) {
    Timeline timeline;
    std::vector<TimelineProblem> problems;
    const bool read = ParseTimeline(c.text, &timeline, &problems);
    const std::string start = c.text.substr(0, 40);
    EXPECT_EQ(read, c.problem == nullptr) << start;
    EXPECT_EQ(timeline.events.size(), c.events) << start;
    EXPECT_LE(problems.size(), kMaxTimelineProblems + 1) << start;
    if (c.problem == nullptr) continue;
    ASSERT_FALSE(problems.empty()) << start;
    EXPECT_EQ(problems.back().line, c.line) << start;
    EXPECT_NE(problems.back().message.find(c.problem), std::string::npos) << problems.back().message;
  }
}

// A message quotes at most a short piece of a long line.
TEST(Timeline, AProblemQuotesALongLineCut) {
  const std::string word(1 << 20, 'x');
  Timeline timeline;
  std::vector<TimelineProblem> problems;
  EXPECT_FALSE(ParseTimeline("0 " + word + "\n", &timeline, &problems));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].message.find("unknown action 'xxxx"), std::string::npos);
  EXPECT_NE(problems[0].message.find("...'"), std::string::npos);
  EXPECT_LT(problems[0].message.size(), 200u);
}

}  // namespace
}  // namespace spwrender
