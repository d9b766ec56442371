// The renderer's command line: what it accepts and how it refuses the rest.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "command_line.h"
#include "render_options.h"
#include "standard_output.h"

namespace spwrender {
namespace {

Parsed<RenderOptions> Parse(std::vector<std::string> args) {
  return ParseCommandLine(ParseRenderOptions, "spw_render", std::move(args));
}

TEST(RenderOptions, ReadsEveryOptionInLongShortAndInlineForms) {
  const Parsed p = Parse({"--program", "Healing - 110 (3 tones)", "-s", "Binaural=7.83", "--set=Wave=Golden Sine",
                          "-d", "2.5", "--rate=44100", "-b", "64", "-f", "wav24", "-o", "out.wav", "--bundle", "b.vst3",
                          "-q", "-t", "session.txt", "-n", "-1.5"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.action, RenderAction::kRender);
  EXPECT_EQ(p.options.program, "Healing - 110 (3 tones)");
  ASSERT_EQ(p.options.settings.size(), 2u);
  EXPECT_EQ(p.options.settings[0], std::make_pair(std::string("Binaural"), std::string("7.83")));
  EXPECT_EQ(p.options.settings[1], std::make_pair(std::string("Wave"), std::string("Golden Sine")));
  EXPECT_DOUBLE_EQ(p.options.durationSeconds, 2.5);
  EXPECT_EQ(p.options.sampleRate, 44100);
  EXPECT_EQ(p.options.blockSize, 64);
  EXPECT_EQ(p.options.format, OutputFormat::kWav24);
  EXPECT_EQ(p.options.outputPath, "out.wav");
  EXPECT_EQ(p.options.bundlePath, "b.vst3");
  EXPECT_TRUE(p.options.quiet);
  EXPECT_EQ(p.options.timelinePath, "session.txt");
  EXPECT_TRUE(p.options.normalize);
  EXPECT_DOUBLE_EQ(p.options.normalizeDbfs, -1.5);
}

TEST(RenderOptions, FormatFollowsTheFileNameUnlessGiven) {
  EXPECT_EQ(Parse({"-o", "a.wav"}).options.format, OutputFormat::kWavFloat);
  EXPECT_EQ(Parse({"-o", "a.FLAC"}).options.format, OutputFormat::kFlac24);
  EXPECT_EQ(Parse({"-o", "a.flac", "-f", "flac16"}).options.format, OutputFormat::kFlac16);
  EXPECT_EQ(Parse({"-o", "noextension", "-f", "wav16"}).options.format, OutputFormat::kWav16);
  EXPECT_EQ(Parse({"-o", "/dev/null"}).options.format, OutputFormat::kWavFloat);
  // An extension the renderer does not write needs the format said out loud.
  EXPECT_EQ(Parse({"-o", "a.mp3", "-f", "wav16"}).options.format, OutputFormat::kWav16);
}

// --duration takes what a timeline's times take; "-o -" is standard output.
TEST(RenderOptions, DurationsAsTimelinesWriteThemAndADashForStandardOutput) {
  const struct {
    const char* text;
    double seconds;
  } durations[] = {{"90", 90.0}, {"2.5", 2.5}, {"1:30", 90.0}, {"0:00.5", 0.5}, {"1:05:00", 3900.0}};
  for (const auto& d : durations) {
    const Parsed p = Parse({"-o", "a.wav", "--duration", d.text});
    ASSERT_TRUE(p.ok) << d.text << ": " << p.error;
    EXPECT_DOUBLE_EQ(p.options.durationSeconds, d.seconds) << d.text;
  }
  for (const char* bad : {"1:3", "1:60", "0:00", "25:00:00", "-1:00"}) {
    const Parsed p = Parse({"-o", "a.wav", "--duration", bad});
    EXPECT_FALSE(p.ok) << bad;
    EXPECT_NE(p.error.find("m:ss"), std::string::npos) << p.error;
  }
  const Parsed dash = Parse({"-o", "-"});
  ASSERT_TRUE(dash.ok) << dash.error;
  EXPECT_EQ(dash.options.outputPath, kStandardOutput);
  EXPECT_EQ(dash.options.format, OutputFormat::kWavFloat);
}

TEST(RenderOptions, ListingsAndHelpNeedNoOutputFile) {
  EXPECT_EQ(Parse({"--list-programs"}).options.action, RenderAction::kListPrograms);
  EXPECT_EQ(Parse({"--list-params"}).options.action, RenderAction::kListParams);
  // Help wins over anything that follows, even a bad option.
  const Parsed help = Parse({"-h", "--no-such-option"});
  EXPECT_TRUE(help.ok);
  EXPECT_EQ(help.options.action, RenderAction::kHelp);
}

TEST(RenderOptions, RefusesBadCommandLinesWithAReason) {
  struct Case {
    std::vector<std::string> args;
    const char* reasonContains;
  };
  const Case cases[] = {
      {{"--frobnicate", "-o", "a.wav"}, "unknown option '--frobnicate'"},
      {{"loose-argument", "-o", "a.wav"}, "unknown option 'loose-argument'"},
      {{"-o"}, "--output needs a value"},
      {{"-o", "a.wav", "--quiet=yes"}, "--quiet takes no value"},
      {{}, "no output file"},
      {{"-o", "a.wav", "-d", "0"}, "--duration"},
      {{"-o", "a.wav", "-d", "ten"}, "--duration"},
      {{"-o", "a.wav", "-d", "1e9"}, "--duration"},
      {{"-o", "a.wav", "-r", "44100.5"}, "--rate"},
      {{"-o", "a.wav", "-r", "1000"}, "--rate"},
      {{"-o", "a.wav", "-r", "0x1F40"}, "--rate"},  // decimal only: this would be 8000
      {{"-o", "a.wav", "-d", "0x10"}, "--duration"},
      {{"-o", "a.wav", "-d", "inf"}, "--duration"},
      {{"-o", "a.wav", "-b", "0X40"}, "--block"},
      {{"-o", "a.mp3"}, "cannot tell the format"},
      {{"-o", "take.1.OGG"}, "cannot tell the format"},
      {{"-o", "a.wav", "-b", "0"}, "--block"},
      {{"-o", "a.wav", "-b", "100000"}, "--block"},
      {{"-o", "a.wav", "-f", "mp3"}, "unknown format 'mp3'"},
      {{"-o", "a.wav", "-f", "flac24"}, "does not fit the file name"},
      {{"-o", "a.flac", "-f", "wav16"}, "does not fit the file name"},
      {{"-o", "a.wav", "-s", "Binaural"}, "NAME=VALUE"},
      {{"-o", "a.wav", "-s", "Binaural="}, "NAME=VALUE"},
      {{"-o", "a.wav", "-p", ""}, "--program wants"},
      {{"-o", "a.wav", "--program="}, "--program wants"},
      {{"-o", "a.wav", "--bundle", ""}, "--bundle wants"},
      {{"-o", "a.wav", "-t", ""}, "--timeline wants"},
      {{"-o", "a.wav", "-n", "3"}, "--normalize"},
      {{"-o", "a.wav", "-n", "-120"}, "--normalize"},
      {{"-o", "a.wav", "--normalize=-0x1"}, "--normalize"},
  };
  for (const Case& c : cases) {
    const Parsed p = Parse(c.args);
    EXPECT_FALSE(p.ok) << Joined(c.args);
    EXPECT_NE(p.error.find(c.reasonContains), std::string::npos) << Joined(c.args) << "-> " << p.error;
    EXPECT_EQ(p.error.find('\n'), std::string::npos) << "one line: " << p.error;
  }
}

}  // namespace
}  // namespace spwrender
