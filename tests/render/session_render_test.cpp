// Sessions played from a timeline through the built bundle, checked by what the
// listener hears: each ear's tones measured in the rendered audio.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "audio_readback.h"
#include "command_run.h"
#include "raster_png.h"
#include "spectrum.h"
#include "temp_folder.h"
#include "test_bundle.h"
#include "level.h"

namespace spwrender {
namespace {

constexpr int kRate = 8000;  // Hz; low, so that minutes of audio render and measure quickly

// Renders timeline text at kRate in blocks of block frames; the audio, or nothing
// (with a failure) when the command fails.
AudioReadback RenderSession(const std::string& timeline, int block) {
  TempFolder folder;
  std::ofstream(folder.File("session.txt"), std::ios::binary) << timeline;
  const CommandResult result = RunCommand({"--bundle", TestBundle(), "-t", folder.File("session.txt"), "-r",
                                           std::to_string(kRate), "-b", std::to_string(block), "-o",
                                           folder.File("session.wav"), "-q"});
  EXPECT_EQ(result.status, kExitOk) << result.err;
  return ReadAudio(folder.File("session.wav"));
}

// One second of a channel centred on second t.
std::vector<double> SecondAround(const std::vector<float>& channel, double t) {
  const size_t first = size_t(std::lround((t - 0.5) * kRate));
  return std::vector<double>(channel.begin() + long(first), channel.begin() + long(first) + kRate);
}

// The tones of each ear around second t, pair by pair (both ears' tones rising).
struct EarPairs {
  std::vector<double> left, right;
};
EarPairs TonesAround(const AudioReadback& audio, double t, double low, double high) {
  return {FindTones(SecondAround(audio.left, t), low, high, 0.25, kRate),
          FindTones(SecondAround(audio.right, t), low, high, 0.25, kRate)};
}

// "C Major style" plays seven tones, cells 22 to 28 of a grid on 22 Hz (176 to
// 313.6 Hz) with "Binaural Pan" "Right": each tone on the left, tone + beat on the
// right. Unlinked, the tones keep their pitch while "Binaural" moves only the beat,
// which slides from 10 Hz to 4 Hz between 0:05 and 1:05. A 0.1 s fade keeps the
// plug-in's own ramp 25 ms behind the slide (0.0025 Hz).
const char* const kSlideSession =
    "0 program \"C Major style\"\n"
    "0 set Link Freq=No\n"
    "0 set Binaural=10\n"
    "0 set Fade=0.1\n"
    "5 slide Binaural=4 over 1:00\n"
    "1:10 end\n";

double SlidingBeat(double t) { return 10.0 - 6.0 * std::clamp((t - 5.0) / 60.0, 0.0, 1.0); }

TEST(SessionRender, BeatFollowsTheSlideInEveryEarPairAtAnyBlockSize) {
  const double times[] = {4.0, 12.5, 25.0, 35.0, 47.5, 60.0, 68.0};
  const int blocks[] = {32, 1024};
  std::vector<std::vector<double>> beatsByBlock;
  for (int block : blocks) {
    const AudioReadback audio = RenderSession(kSlideSession, block);
    ASSERT_EQ(audio.info.frames, 70 * kRate);
    std::vector<double> beats;
    for (double t : times) {
      const EarPairs ears = TonesAround(audio, t, 150.0, 340.0);
      ASSERT_EQ(ears.left.size(), 7u) << "block " << block << " at " << t << " s";
      ASSERT_EQ(ears.right.size(), 7u) << "block " << block << " at " << t << " s";
      for (size_t i = 0; i < ears.left.size(); ++i) {
        beats.push_back(ears.right[i] - ears.left[i]);
        EXPECT_NEAR(beats.back(), SlidingBeat(t), 0.05)
            << "block " << block << " at " << t << " s, tone at " << ears.left[i] << " Hz";
      }
    }
    beatsByBlock.push_back(beats);
  }
  for (size_t i = 0; i < beatsByBlock[0].size(); ++i) EXPECT_NEAR(beatsByBlock[0][i], beatsByBlock[1][i], 0.005);
}

// "Binaural - 10.0 (Manipura chakra)" plays 155 and 165 Hz (a 160 Hz carrier on a
// 20 Hz grid, centred 10 Hz beat); "Binaural - 8.0 (Learning new information)"
// 252 and 260 Hz (256 Hz on a 32 Hz grid, centred 8 Hz beat). The change at
// 1.2345 s falls inside a 512-frame block: the audio must stay the first
// programme's up to that sample and glide to the second's from there.
TEST(SessionRender, ProgrammeChangeIsHeardAtItsTime) {
  constexpr int kBlock = 512;
  const std::string first = "0 program \"Binaural - 10.0 (Manipura chakra)\"\n";
  const AudioReadback steady = RenderSession(first + "4 end\n", kBlock);
  const AudioReadback changed =
      RenderSession(first + "1.2345 program \"Binaural - 8.0 (Learning new information)\"\n4 end\n", kBlock);
  ASSERT_EQ(steady.left.size(), changed.left.size());
  size_t differs = 0;
  while (differs < steady.left.size() && steady.left[differs] == changed.left[differs] &&
         steady.right[differs] == changed.right[differs]) {
    ++differs;
  }
  const size_t changeFrame = size_t(std::lround(1.2345 * kRate));
  EXPECT_GE(differs, changeFrame);
  EXPECT_LT(differs, changeFrame + kBlock);

  struct Heard {
    const AudioReadback* audio;
    double t, left, right;
  };
  const Heard heard[] = {{&changed, 0.8, 155.0, 165.0}, {&changed, 3.4, 252.0, 260.0}, {&steady, 3.4, 155.0, 165.0}};
  for (const Heard& h : heard) {
    const EarPairs ears = TonesAround(*h.audio, h.t, 100.0, 400.0);
    ASSERT_EQ(ears.left.size(), 1u) << h.t;
    ASSERT_EQ(ears.right.size(), 1u) << h.t;
    EXPECT_NEAR(ears.left[0], h.left, 0.05) << h.t;
    EXPECT_NEAR(ears.right[0], h.right, 0.05) << h.t;
  }
}

// "Volume" slides from the programme's 75 % to 0 between 2 s and 4 s: the level
// falls all the way and the session ends below -70 dBFS (0 % is 0.0001 of full level).
TEST(SessionRender, FadeOutEndsInSilence) {
  const AudioReadback audio = RenderSession(
      "0 program \"Binaural - 10.0 (Manipura chakra)\"\n2 slide Volume=0 over 0:02\n6 end\n", 256);
  ASSERT_EQ(audio.info.frames, 6 * kRate);
  const size_t quarter = kRate / 4;
  const auto level = [&](size_t first) {
    return std::max(Rms(audio.left, first, quarter), Rms(audio.right, first, quarter));
  };
  double previous = level(2 * kRate - quarter);
  EXPECT_GT(previous, 0.3);
  for (size_t first = 2 * kRate; first + quarter <= audio.left.size(); first += quarter) {
    const double rms = level(first);
    EXPECT_LE(rms, previous * 1.01) << "at " << double(first) / kRate << " s";
    previous = rms;
  }
  const float tail = Peak(audio.left, audio.right, audio.left.size() - kRate / 2);
  EXPECT_LT(20.0 * std::log10(tail), -70.0);
}

// --plot writes a picture beside the audio; when either cannot be written, neither is.
TEST(SessionRender, PlotComesWithTheAudioOrNotAtAll) {
  TempFolder folder;
  const std::string session = folder.File("session.txt");
  std::ofstream(session, std::ios::binary) << "0 program 82\n1 program 83\n2 end\n";
  const std::vector<std::string> base = {"--bundle", TestBundle(), "-t", session, "-r", "8000", "-q"};
  struct Case {
    std::string audio, picture;
    int status;
    std::vector<std::string> files;  // in the folder afterwards, besides the session
  };
  const Case cases[] = {
      {folder.File("missing/out.wav"), folder.File("a.png"), kExitFailed, {}},
      {folder.File("b.wav"), folder.File("missing/b.png"), kExitFailed, {}},
      {folder.File("c.wav"), folder.File("c.jpg"), kExitBadArguments, {}},
      {folder.File("out.wav"), folder.File("out.png"), kExitOk, {"out.png", "out.wav"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = base;
    args.insert(args.end(), {"-o", c.audio, "--plot", c.picture});
    const CommandResult result = RunCommand(args);
    EXPECT_EQ(result.status, c.status) << c.picture << ": " << result.err;
    std::vector<std::string> files = folder.Entries();
    files.erase(std::remove(files.begin(), files.end(), "session.txt"), files.end());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, c.files) << c.picture;
  }
  std::ifstream png(folder.File("out.png"), std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(png)), std::istreambuf_iterator<char>());
  const std::unique_ptr<RasterMemBitmap> picture = RasterDecodePng(bytes.data(), bytes.size());
  ASSERT_NE(picture, nullptr);
  EXPECT_GT(picture->Width(), 800);
  EXPECT_GT(picture->Height(), 600);
}

// Problems only the plug-in can tell (names, ranges, list parameters) come with the
// text's own, each as FILE:LINE, quoting the file safely, and nothing is written.
TEST(SessionRender, BadTimelineReportsEveryProblemAndWritesNothing) {
  TempFolder folder;
  const std::string path = folder.File("bad.txt");
  std::ofstream(path, std::ios::binary) << "0 program \"No Such Programme\"\n"
                                           "0 program 160\n"
                                           "0 set Loudness=3\n"
                                           "1 set Binaural=99999\n"
                                           "1 set Volume=loud\n"
                                           "2 slide Wave=Saw over 3\n"
                                           "1 set Volume=3\n"
                                           "3 slide Binaural=4 over 1\n"
                                           "3 set Vol\x1b[2J\xff\xc2\x9b=3\n"
                                           "3 set Lautst\xc3\xa4rke=3\n";
  const CommandResult result =
      RunCommand({"--bundle", TestBundle(), "-t", path, "-o", folder.File("out.wav")});
  EXPECT_EQ(result.status, kExitBadArguments);
  const char* const expected[] = {
      ":1: no programme is named 'No Such Programme'", ":2: programme number 160 is out of range",
      ":3: no parameter is named 'Loudness'",          ":4: Binaural=99999 is out of range",
      ":5: Volume=loud: not a value of Volume",        ":6: Wave is a list parameter",
      ":7: time goes backwards",                       ": the timeline has no end",
      // Bytes that would drive the terminal are shown escaped; UTF-8 text as it is.
      // Windows text is in the active code page, where bytes above 0x7F are characters.
#ifdef _WIN32
      ":9: no parameter is named 'Vol\\x1B[2J\xff\xc2\x9b'",
#else
      ":9: no parameter is named 'Vol\\x1B[2J\\xFF\\xC2\\x9B'",
#endif
      ":10: no parameter is named 'Lautst\xc3\xa4rke'",
  };
  for (const char* problem : expected) {
    EXPECT_NE(result.err.find(path + problem), std::string::npos) << problem << " in\n" << result.err;
  }
  EXPECT_NE(result.err.find("spw_render: error: the timeline '" + path + "' has 10 problems"), std::string::npos);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"bad.txt"});
}

}  // namespace
}  // namespace spwrender
