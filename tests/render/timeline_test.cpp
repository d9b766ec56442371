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
  };
  const Expected expected[] = {
      {3, 0.0, TimelineAction::kProgram, "Binaural - 10.0 (Manipura chakra)", "", 0.0},
      {4, 0.0, TimelineAction::kProgram, "7", "", 0.0},
      {5, 0.0, TimelineAction::kSet, "Binaural Pan", "Center Left", 0.0},
      {6, 20.0, TimelineAction::kSlide, "Binaural", "4 Hz", 90.5},
      {7, 30.0, TimelineAction::kSet, "Wave", "Gold. Sine Half", 0.0},
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
      {"12 program", "program wants a programme number"},
      {"12 program \"Healing", "a double quote is not closed"},
      {"12 end now", "end takes nothing after it"},
      {"25:00:00 set Volume=1", "beyond 24 hours"},
      {"13 slide Binaural=4 over 2", nullptr},
      {"20 end", nullptr},
      {"21 set Volume=1", "an event after the end (line 17)"},
      {"22 end", "a second end (line 17)"},
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

}  // namespace
}  // namespace spwrender
