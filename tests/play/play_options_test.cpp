// The player's command line: the options it shares with spw_render in the same
// forms, its own, and one clear reason for what it cannot take.

#include <gtest/gtest.h>

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
  EXPECT_EQ(StatusText(figures), "1:15 / 1:00:00  slide Binaural=6 over 600 s  level -12.3 dBFS");
  figures.limitingDb = -2.04;
  figures.totalSeconds = -1.0;
  figures.event.clear();
  EXPECT_EQ(StatusText(figures), "1:15  level -12.3 dBFS  limiting -2.0 dB");
  figures.peakDbfs = -200.0;
  figures.limitingDb = 0.0;
  figures.event = std::string(60, 'x');
  const std::string line = StatusText(figures);
  EXPECT_LE(line.size(), 80u);
  EXPECT_NE(line.find("...  level  silent"), std::string::npos) << line;
}

}  // namespace
}  // namespace spwplay
