// The audio file writer: what libsndfile reads back from each format, clipping, and
// that no partial file ever appears under the final name.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <thread>
#endif

#include "audio_file_writer.h"
#include "audio_readback.h"
#include "temp_folder.h"

namespace spwrender {
namespace {

constexpr int kRate = 44100;
constexpr int kFrames = 1000;
constexpr double kPi = 3.14159265358979323846;

bool Exists(const std::string& path) { return std::filesystem::exists(std::filesystem::path(path)); }

// Left: a sine at 0.9 of full scale; right: the same at -0.5, so a swap shows.
struct TestSignal {
  std::vector<float> left, right;
  TestSignal() {
    for (int i = 0; i < kFrames; ++i) {
      const float s = static_cast<float>(std::sin(2.0 * kPi * 441.0 * i / kRate));
      left.push_back(0.9f * s);
      right.push_back(-0.5f * s);
    }
  }
};

// Writes the signal in uneven pieces, as the render loop's last block would be, and
// commits unless told not to; false (with the reason) at the first failure.
bool WriteInPieces(AudioFileWriter& writer, const TestSignal& signal, std::string* error, bool commit = true) {
  for (int done = 0; done < kFrames; done += 333) {
    const int piece = std::min(333, kFrames - done);
    if (!writer.Write(signal.left.data() + done, signal.right.data() + done, piece, error)) return false;
  }
  return !commit || writer.Commit(error);
}

// Renders the test signal through a writer for path; false (with the reason) at the first failure.
bool Render(const std::string& path, const TestSignal& signal, std::string* error,
            OutputFormat format = OutputFormat::kWavFloat) {
  auto writer = AudioFileWriter::Create(path, format, kRate, kFrames, error);
  return writer != nullptr && WriteInPieces(*writer, signal, error);
}

struct FormatCase {
  OutputFormat format;
  int major;
  int subtype;
  double tolerance;  // of a sample read back, in full scale
};

const FormatCase kCases[] = {
    {OutputFormat::kWav16, SF_FORMAT_WAV, SF_FORMAT_PCM_16, 1.0 / 16384},
    {OutputFormat::kWav24, SF_FORMAT_WAV, SF_FORMAT_PCM_24, 1.0 / 4194304},
    {OutputFormat::kWavFloat, SF_FORMAT_WAV, SF_FORMAT_FLOAT, 0.0},
    {OutputFormat::kFlac16, SF_FORMAT_FLAC, SF_FORMAT_PCM_16, 1.0 / 16384},
    {OutputFormat::kFlac24, SF_FORMAT_FLAC, SF_FORMAT_PCM_24, 1.0 / 4194304},
};

// Asks libsndfile itself whether it can create such a file.
bool LibsndfileWrites(const FormatCase& c, const TempFolder& folder) {
  SF_INFO info = {};
  info.samplerate = kRate;
  info.channels = 2;
  info.format = c.major | c.subtype;
  const std::string probe = folder.File("probe");
  SNDFILE* file = sf_open(probe.c_str(), SFM_WRITE, &info);
  if (file != nullptr) sf_close(file);
  std::filesystem::remove(std::filesystem::path(probe));
  return file != nullptr;
}

TEST(AudioFileWriter, EachFormatReadsBackAsWrittenOrIsRefusedClearly) {
  const TestSignal signal;
  for (const FormatCase& c : kCases) {
    SCOPED_TRACE(FormatName(c.format));
    TempFolder folder;
    const std::string path = folder.File("out");
    std::string error;
    auto writer = AudioFileWriter::Create(path, c.format, kRate, kFrames, &error);
    if (!LibsndfileWrites(c, folder)) {
      // A libsndfile without FLAC (the Windows build): a clear refusal, no file.
      EXPECT_EQ(writer, nullptr);
      EXPECT_NE(error.find("FLAC"), std::string::npos) << error;
      EXPECT_TRUE(folder.Entries().empty());
      continue;
    }
    ASSERT_NE(writer, nullptr) << error;
    ASSERT_TRUE(WriteInPieces(*writer, signal, &error)) << error;
    EXPECT_EQ(writer->FramesWritten(), kFrames);

    const AudioReadback audio = ReadAudio(path);
    ASSERT_TRUE(audio.opened);
    EXPECT_EQ(audio.info.channels, 2);
    EXPECT_EQ(audio.info.samplerate, kRate);
    EXPECT_EQ(audio.info.frames, kFrames);
    EXPECT_EQ(audio.info.format & SF_FORMAT_TYPEMASK, c.major);
    EXPECT_EQ(audio.info.format & SF_FORMAT_SUBMASK, c.subtype);
    ASSERT_EQ(audio.left.size(), size_t(kFrames));
    for (int i = 0; i < kFrames; ++i) {
      ASSERT_NEAR(audio.left[size_t(i)], signal.left[size_t(i)], c.tolerance) << "frame " << i;
      ASSERT_NEAR(audio.right[size_t(i)], signal.right[size_t(i)], c.tolerance) << "frame " << i;
    }
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"out"}) << "no temporary file left";
  }
}

TEST(AudioFileWriter, IntegerFormatsClipAndReportThePeakFloatKeepsIt) {
  const float hot[] = {1.0f, 2.0f, -1.5f};    // peak 2.0: +6.02 dBFS; full scale itself does not clip
  const float quiet[] = {0.0f, 0.1f, -0.1f};
  for (OutputFormat format : {OutputFormat::kWav16, OutputFormat::kWav24, OutputFormat::kWavFloat}) {
    SCOPED_TRACE(FormatName(format));
    TempFolder folder;
    const std::string path = folder.File("hot.wav");
    std::string error;
    auto writer = AudioFileWriter::Create(path, format, kRate, 3, &error);
    ASSERT_NE(writer, nullptr) << error;
    ASSERT_TRUE(writer->Write(hot, quiet, 3, &error)) << error;
    ASSERT_TRUE(writer->Commit(&error)) << error;
    EXPECT_DOUBLE_EQ(writer->Peak(), 2.0);
    EXPECT_NEAR(PeakDbfs(writer->Peak()), 6.0206, 1e-3);

    const AudioReadback audio = ReadAudio(path);
    ASSERT_EQ(audio.left.size(), 3u);
    if (format == OutputFormat::kWavFloat) {
      EXPECT_FALSE(writer->Clipped());
      EXPECT_FLOAT_EQ(audio.left[1], 2.0f);
      EXPECT_FLOAT_EQ(audio.left[2], -1.5f);
    } else {
      EXPECT_TRUE(writer->Clipped());
      EXPECT_NEAR(audio.left[0], 1.0f, 1e-4);
      // Clipped to full scale, not wrapped around to the other sign.
      EXPECT_NEAR(audio.left[1], 1.0f, 1e-4);
      EXPECT_NEAR(audio.left[2], -1.0f, 1e-4);
    }
  }
}

// An abandoned writer (a failed render) leaves nothing; a committed one replaces an
// older file whole.
TEST(AudioFileWriter, TheFinalNameAppearsOnlyOnCommit) {
  const TestSignal signal;
  TempFolder folder;
  const std::string path = folder.File("render.wav");
  std::string error;
  {
    auto writer = AudioFileWriter::Create(path, OutputFormat::kWav16, kRate, kFrames, &error);
    ASSERT_NE(writer, nullptr) << error;
    ASSERT_TRUE(WriteInPieces(*writer, signal, &error, false)) << error;
    EXPECT_FALSE(Exists(path));
    EXPECT_TRUE(Exists(writer->TemporaryPath()));
    EXPECT_EQ(std::filesystem::path(writer->TemporaryPath()).parent_path(), std::filesystem::path(path).parent_path());
  }
  EXPECT_TRUE(folder.Entries().empty());

  std::ofstream(path) << "an older file";
  auto writer = AudioFileWriter::Create(path, OutputFormat::kWavFloat, kRate, kFrames, &error);
  ASSERT_NE(writer, nullptr) << error;
  ASSERT_TRUE(WriteInPieces(*writer, signal, &error)) << error;
  EXPECT_EQ(ReadAudio(path).info.frames, kFrames);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"render.wav"});
}

// The temporary file has a name of its own: a user's file named like "FILE.partial"
// is never touched, a name as long as the system allows works, and two renders to one
// name do not write into each other's file.
TEST(AudioFileWriter, TheTemporaryNameIsUniqueAndShort) {
  const TestSignal signal;
  TempFolder folder;
  const std::string path = folder.File("render.wav");
  std::ofstream(path + ".partial") << "the user's own file";
  std::string error;
  ASSERT_TRUE(Render(path, signal, &error)) << error;
  std::ifstream kept(path + ".partial");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "the user's own file");

  auto first = AudioFileWriter::Create(path, OutputFormat::kWavFloat, kRate, kFrames, &error);
  auto second = AudioFileWriter::Create(path, OutputFormat::kWavFloat, kRate, kFrames / 2, &error);
  ASSERT_TRUE(first && second) << error;
  EXPECT_NE(first->TemporaryPath(), second->TemporaryPath());
  ASSERT_TRUE(first->Write(signal.left.data(), signal.right.data(), kFrames, &error)) << error;
  ASSERT_TRUE(second->Write(signal.left.data(), signal.right.data(), kFrames / 2, &error)) << error;
  EXPECT_TRUE(first->Commit(&error)) << error;
  EXPECT_EQ(ReadAudio(path).info.frames, kFrames);
  EXPECT_TRUE(second->Commit(&error)) << error;
  EXPECT_EQ(ReadAudio(path).info.frames, kFrames / 2);

  std::vector<std::string> expected = {"render.wav", "render.wav.partial"};
#ifndef _WIN32  // Windows limits the whole path to 260 units
  const std::string longest = std::string(251, 'n') + ".wav";
  EXPECT_TRUE(Render(folder.File(longest), signal, &error)) << error;
  EXPECT_FALSE(Render(folder.File("n" + longest), signal, &error));
  EXPECT_NE(error.find("too long"), std::string::npos) << error;
  expected.insert(expected.begin(), longest);
#endif
  std::vector<std::string> entries = folder.Entries();
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, expected) << "no temporary file left";
}

TEST(AudioFileWriter, RefusesPathsItCannotWrite) {
  TempFolder folder;
  const std::string missing = folder.File("no-such-folder/x.wav");
  for (const auto& [path, reasonContains] :
       {std::pair(folder.File(""), std::string("folder")), std::pair(missing, missing)}) {
    std::string error;
    EXPECT_EQ(AudioFileWriter::Create(path, OutputFormat::kWav16, kRate, kFrames, &error), nullptr) << path;
    EXPECT_NE(error.find(reasonContains), std::string::npos) << error;
  }
  EXPECT_TRUE(folder.Entries().empty());
}

#ifndef _WIN32
// What is not a regular file is written, never replaced: a device in place, a pipe
// gets the finished file, and a symbolic link leads to the file that is replaced.
TEST(AudioFileWriter, DevicesPipesAndLinksAreWrittenNotReplaced) {
  namespace fs = std::filesystem;
  const TestSignal signal;
  TempFolder folder;
  std::string error;

  // A null device of the test's own, so that nothing of the system's is at stake.
  const std::string device = folder.File("null");
  if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
    EXPECT_TRUE(Render(device, signal, &error)) << error;
    EXPECT_TRUE(fs::is_character_file(device));
  }

  const std::string fifo = folder.File("fifo.wav");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  fs::create_hard_link(fifo, folder.File("fifo.keep"));  // reaches the pipe even if it were replaced
  std::string received;
  std::thread reader([&] {
    std::ifstream in(fifo, std::ios::binary);
    received.assign(std::istreambuf_iterator<char>(in), {});
  });
  const bool piped = Render(fifo, signal, &error);
  // A reader still waiting for a writer (the render never came) is let go.
  const int wake = open(folder.File("fifo.keep").c_str(), O_WRONLY | O_NONBLOCK);
  if (wake >= 0) close(wake);
  reader.join();
  EXPECT_TRUE(piped) << error;
  EXPECT_TRUE(fs::is_fifo(fifo));
  std::ofstream(folder.File("received.wav"), std::ios::binary) << received;
  EXPECT_EQ(ReadAudio(folder.File("received.wav")).info.frames, kFrames);

  fs::create_directory(folder.File("takes"));
  std::ofstream(folder.File("takes/take1.wav")) << "an older take";
  fs::create_symlink("takes/take1.wav", folder.File("latest.wav"));
  fs::create_symlink("takes/take2.wav", folder.File("next.wav"));  // pointing where nothing is yet
  for (const char* link : {"latest.wav", "next.wav"}) {
    SCOPED_TRACE(link);
    EXPECT_TRUE(Render(folder.File(link), signal, &error)) << error;
    EXPECT_TRUE(fs::is_symlink(folder.File(link)));
    EXPECT_EQ(ReadAudio(folder.File(link)).info.frames, kFrames);
  }
  EXPECT_EQ(ReadAudio(folder.File("takes/take2.wav")).info.frames, kFrames);
  std::vector<std::string> takes;
  for (const auto& entry : fs::directory_iterator(folder.File("takes"))) takes.push_back(entry.path().filename());
  std::sort(takes.begin(), takes.end());
  EXPECT_EQ(takes, (std::vector<std::string>{"take1.wav", "take2.wav"})) << "no temporary file left";
}

// Lets this process write files of at most limit bytes, as a disk that fills up
// does: writes beyond it fail (instead of raising SIGXFSZ).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_ = {};
  void (*previousHandler_)(int) = SIG_DFL;
};

// One byte short of room for the complete file: the failure may surface while
// writing or only while libsndfile closes the file (a FLAC encoder writes its last
// frames then), and either way nothing may be left behind.
TEST(AudioFileWriter, ADiskThatFillsUpLeavesNoFile) {
  const TestSignal signal;
  for (const FormatCase& c : kCases) {
    SCOPED_TRACE(FormatName(c.format));
    TempFolder folder;
    if (!LibsndfileWrites(c, folder)) continue;
    const std::string path = folder.File("out");
    std::string error;
    ASSERT_TRUE(Render(path, signal, &error, c.format)) << error;
    const auto size = std::filesystem::file_size(std::filesystem::path(path));
    std::filesystem::remove(std::filesystem::path(path));
    bool written = false;
    {
      const FileSizeLimit limit(static_cast<rlim_t>(size - 1));
      written = Render(path, signal, &error, c.format);
    }
    EXPECT_FALSE(written);
    EXPECT_TRUE(folder.Entries().empty());
  }
}
#endif

TEST(AudioFileWriter, WavBeyondFourGibibytesBecomesRf64) {
  const int64_t fourHoursAt48k = 4LL * 3600 * 48000;  // 5.5 GB of stereo float, 2.8 GB of 16-bit
  auto type = [](OutputFormat format, int64_t frames) { return SndfileFormat(format, frames) & SF_FORMAT_TYPEMASK; };
  EXPECT_EQ(type(OutputFormat::kWav16, fourHoursAt48k), SF_FORMAT_WAV);
  EXPECT_EQ(type(OutputFormat::kWavFloat, fourHoursAt48k), SF_FORMAT_RF64);
  EXPECT_EQ(SndfileFormat(OutputFormat::kWav24, 2 * fourHoursAt48k) & SF_FORMAT_SUBMASK, SF_FORMAT_PCM_24);
  EXPECT_EQ(type(OutputFormat::kFlac24, 2 * fourHoursAt48k), SF_FORMAT_FLAC);
}

}  // namespace
}  // namespace spwrender
