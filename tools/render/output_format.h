#pragma once
// The audio file formats the renderer writes: stereo WAV with 16-bit, 24-bit or
// 32-bit float samples, or FLAC with 16-bit or 24-bit samples.

#include <cstdint>
#include <string>

namespace spwrender {

enum class OutputFormat { kWav16, kWav24, kWavFloat, kFlac16, kFlac24 };

// The name used on the command line ("wav16", "wav24", "wav32f", "flac16", "flac24").
const char* FormatName(OutputFormat format);
// A description for messages, e.g. "32-bit float WAV".
const char* FormatDescription(OutputFormat format);
// Looks a command-line name up; false when there is none of that name.
bool ParseFormatName(const std::string& name, OutputFormat* format);
// The names, comma-separated, for help and error texts.
std::string FormatNameList();

// Integer formats clip samples beyond full scale; float keeps them.
bool IsIntegerFormat(OutputFormat format);
bool IsFlac(OutputFormat format);
// The libsndfile major and subtype format code for a file of the given length. WAV
// data beyond 4 GiB does not fit a WAV header: such a file is written as RF64, the
// WAV extension for large files.
int SndfileFormat(OutputFormat format, int64_t frames);

// The extension of a file name in lower case, with its dot (".wav"); empty when none.
std::string LowerExtension(const std::string& path);

// The format a file name asks for by its extension: ".flac" gives 24-bit FLAC, ".wav"
// or no extension 32-bit float WAV. False for any other extension (".mp3", ".ogg"),
// which would otherwise get data of a kind its name does not promise.
bool FormatForPath(const std::string& path, OutputFormat* format);
// Whether the file name's extension fits the format: ".wav" fits the WAV formats,
// ".flac" the FLAC ones, any other extension fits every format.
bool ExtensionFits(const std::string& path, OutputFormat format);

}  // namespace spwrender
