#include "output_format.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <iterator>

namespace spwrender {
namespace {

// A WAV file counts its bytes in 32 bits; the header and its chunks need some room.
constexpr int64_t kWavMaxBytes = 0xFFFFFFFFLL;
constexpr int64_t kWavHeaderRoom = 1 << 16;

struct FormatRow {
  OutputFormat format;
  const char* name;
  const char* description;
  int sndfile;
};

const FormatRow kFormats[] = {
    {OutputFormat::kWav16, "wav16", "16-bit WAV", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
    {OutputFormat::kWav24, "wav24", "24-bit WAV", SF_FORMAT_WAV | SF_FORMAT_PCM_24},
    {OutputFormat::kWavFloat, "wav32f", "32-bit float WAV", SF_FORMAT_WAV | SF_FORMAT_FLOAT},
    {OutputFormat::kFlac16, "flac16", "16-bit FLAC", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
    {OutputFormat::kFlac24, "flac24", "24-bit FLAC", SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
};

const FormatRow& Row(OutputFormat format) {
  return *std::find_if(std::begin(kFormats), std::end(kFormats),
                       [format](const FormatRow& row) { return row.format == format; });
}

}  // namespace

std::string LowerExtension(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  const auto dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = path.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

const char* FormatName(OutputFormat format) { return Row(format).name; }

const char* FormatDescription(OutputFormat format) { return Row(format).description; }

bool ParseFormatName(const std::string& name, OutputFormat* format) {
  for (const FormatRow& row : kFormats) {
    if (name == row.name) {
      *format = row.format;
      return true;
    }
  }
  return false;
}

std::string FormatNameList() {
  std::string list;
  for (const FormatRow& row : kFormats) list += (list.empty() ? "" : ", ") + std::string(row.name);
  return list;
}

bool IsIntegerFormat(OutputFormat format) { return format != OutputFormat::kWavFloat; }

bool IsFlac(OutputFormat format) {
  return format == OutputFormat::kFlac16 || format == OutputFormat::kFlac24;
}

int SndfileFormat(OutputFormat format, int64_t frames) {
  const int code = Row(format).sndfile;
  if ((code & SF_FORMAT_TYPEMASK) != SF_FORMAT_WAV) return code;
  const int bytesPerFrame = 2 * (format == OutputFormat::kWav16 ? 2 : format == OutputFormat::kWav24 ? 3 : 4);
  const bool fitsWav = frames <= (kWavMaxBytes - kWavHeaderRoom) / bytesPerFrame;
  return fitsWav ? code : (code & ~SF_FORMAT_TYPEMASK) | SF_FORMAT_RF64;
}

bool FormatForPath(const std::string& path, OutputFormat* format) {
  const std::string ext = LowerExtension(path);
  if (ext == ".flac") {
    *format = OutputFormat::kFlac24;
  } else if (ext.empty() || ext == ".wav") {
    *format = OutputFormat::kWavFloat;
  } else {
    return false;
  }
  return true;
}

bool ExtensionFits(const std::string& path, OutputFormat format) {
  const std::string ext = LowerExtension(path);
  if (ext == ".flac") return IsFlac(format);
  if (ext == ".wav") return !IsFlac(format);
  return true;
}

}  // namespace spwrender
