// The player's command line: the options it shares with spw_render in the same
// forms, its own, and one clear reason for what it cannot take.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "command_line.h"
#include "play_options.h"
#include "status_line.h"

namespace spwplay {
namespace {

Parsed<PlayOptions> Parse(std::vector<std::string> args) {
  return ParseCommandLine(ParsePlayOptions, "spw_play", std::move(args));
}

TEST(PlayOptions, ReadsSharedAndOwnOptions) {
  const Parsed p = Parse({"-p", "C Major style", "--set=Binaural=7.83", "-t", "s.txt", "--duration", "1:30",
                          "--device", "2", "--rate", "44100", "--no-window", "--bundle", "b.vst3", "-q"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.action, PlayAction::kPlay);
  EXPECT_EQ(p.options.program, "C Major style");
  ASSERT_EQ(p.options.settings.size(), 1u);
  EXPECT_EQ(p.options.settings[0].second, "7.83");
  EXPECT_EQ(p.options.timelinePath, "s.txt");
  EXPECT_DOUBLE_EQ(p.options.durationSeconds, 90.0);
  EXPECT_TRUE(p.options.durationGiven);
  EXPECT_EQ(p.options.device, "2");
  EXPECT_EQ(p.options.sampleRate, 44100);
  EXPECT_TRUE(p.options.rateGiven);
  EXPECT_EQ(p.options.blockSize, 256) << "the player's own default";
  EXPECT_TRUE(p.options.noWindow);
  EXPECT_EQ(p.options.bundlePath, "b.vst3");
  EXPECT_TRUE(p.options.quiet);
  EXPECT_EQ(Parse({"--list-devices"}).options.action, PlayAction::kListDevices);
  EXPECT_EQ(Parse({"--help", "--nonsense"}).options.action, PlayAction::kHelp);
}

TEST(PlayOptions, RefusesWhatItCannotTakeWithOneReason) {
  struct Case {
    std::vector<std::string> args;
    const char* mentions;
  };
  const Case cases[] = {
      {{"--duration", "0"}, "--duration"},       {{"--duration", "1:75"}, "--duration"},
      {{"--rate", "1000"}, "--rate"},            {{"--block", "0"}, "--block"},
      {{"--device", ""}, "--device"},            {{"--set", "Binaural"}, "--set"},
      {{"--output", "x.wav"}, "unknown option"}, {{"--no-window=yes"}, "takes no value"},
      {{"--program"}, "needs a value"},
  };
  for (const Case& c : cases) {
    const Parsed p = Parse(c.args);
    EXPECT_FALSE(p.ok) << c.args[0];
    EXPECT_NE(p.error.find(c.mentions), std::string::npos) << p.error;
    EXPECT_EQ(p.error.find('\n'), std::string::npos) << p.error;
  }
}

TEST(StatusLine, ShowsTimeEventLevelAndLimiting) {
  StatusFigures figures;
  figures.elapsedSeconds = 75.4;
  figures.totalSeconds = 3600.0;
  figures.event = "slide Binaural=6 over 600 s";
  figures.peakDbfs = -12.34;
  EXPECT_EQ(StatusText(figures, 79), "1:15 / 1:00:00  slide Binaural=6 over 600 s  level -12.3 dBFS");
  figures.limitingDb = -2.04;
  figures.totalSeconds = -1.0;
  figures.event.clear();
  EXPECT_EQ(StatusText(figures, 79), "1:15  level -12.3 dBFS  limiting -2.0 dB");
  EXPECT_EQ(Counted(1, "underrun"), "1 underrun");
  EXPECT_EQ(Counted(0, "underrun"), "0 underruns");
}

// Columns on a terminal: one per UTF-8 character.
size_t Columns(const std::string& text) {
  return size_t(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

TEST(StatusLine, AlwaysOneLineOfTheTerminalsWidthShorteningTheEventFirst) {
  StatusFigures figures;
  figures.elapsedSeconds = 3599.9;
  figures.totalSeconds = 2 * 3600.0;
  figures.peakDbfs = -3.0;
  figures.limitingDb = -2.8;
  const std::string fixedPart = "59:59 / 2:00:00  level  -3.0 dBFS  limiting -2.8 dB";
  const std::string longName = "program \"Binaural - 10.6 (Relaxed & alert) with a long name\"";
  struct Case {
    std::string event;
    size_t columns;
    bool eventWhole, levelWhole;
  };
  const Case cases[] = {
      {longName, 200, true, true},
      {longName, 79, false, true},  // the 91-character line of an 80-column terminal
      {"set Wave=Golden Sine \u2013 r\u00e9sum\u00e9 \u2013 \u00e9t\u00e9 \u2013 \u00e0 l'\u00e9cole", 79, false, true},
      {longName, 60, false, true},
      {longName, fixedPart.size(), false, true},
      {longName, 40, false, false},
      {"", 9, true, false},
      {longName, 5, false, false},
  };
  for (const Case& c : cases) {
    figures.event = c.event;
    const std::string line = StatusText(figures, c.columns);
    EXPECT_LE(Columns(line), c.columns) << line;
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    EXPECT_EQ(line.rfind("59:59", 0), 0u) << line;
    EXPECT_EQ(line.find(c.event) != std::string::npos, c.eventWhole) << c.columns << ": " << line;
    EXPECT_EQ(line.find("level  -3.0 dBFS  limiting -2.8 dB") != std::string::npos, c.levelWhole) << line;
    // A character is never cut in two: the line is whole UTF-8.
    EXPECT_NE(static_cast<unsigned char>(line.back()) & 0xC0, 0xC0u) << line;
  }
}

}  // namespace
}  // namespace spwplay
