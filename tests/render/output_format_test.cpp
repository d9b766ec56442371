// Output formats: which file type each becomes, and the WAV size limit.

#include <gtest/gtest.h>
#include <sndfile.h>

#include "output_format.h"

namespace spwrender {
namespace {

int FileType(OutputFormat format, int64_t frames) { return SndfileFormat(format, frames) & SF_FORMAT_TYPEMASK; }

TEST(OutputFormat, WavBeyondFourGibibytesBecomesRf64) {
  const int64_t fourHoursAt48k = 4LL * 3600 * 48000;  // 5.5 GB of stereo float, 2.8 GB of 16-bit
  EXPECT_EQ(FileType(OutputFormat::kWavFloat, 48000), SF_FORMAT_WAV);
  EXPECT_EQ(FileType(OutputFormat::kWav16, fourHoursAt48k), SF_FORMAT_WAV);
  EXPECT_EQ(FileType(OutputFormat::kWavFloat, fourHoursAt48k), SF_FORMAT_RF64);
  EXPECT_EQ(FileType(OutputFormat::kWav24, 2 * fourHoursAt48k), SF_FORMAT_RF64);
  EXPECT_EQ(SndfileFormat(OutputFormat::kWav24, 2 * fourHoursAt48k) & SF_FORMAT_SUBMASK, SF_FORMAT_PCM_24);
  EXPECT_EQ(FileType(OutputFormat::kFlac24, 2 * fourHoursAt48k), SF_FORMAT_FLAC);
}

TEST(OutputFormat, FileNameExtensionsAndFormatsMustAgree) {
  EXPECT_TRUE(ExtensionFits("dir.flac/out.WAV", OutputFormat::kWav16));
  EXPECT_FALSE(ExtensionFits("dir.wav/out.flac", OutputFormat::kWav16));
  EXPECT_TRUE(ExtensionFits("out.raw", OutputFormat::kFlac16));
  EXPECT_EQ(FormatForPath("dir.flac/out"), OutputFormat::kWavFloat);
}

}  // namespace
}  // namespace spwrender
