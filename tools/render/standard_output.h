#pragma once
// "-o -": the audio goes to standard output, as it goes into any pipe (the finished
// file, output_target.h), when standard output is not a terminal.

#include <istream>
#include <string>

namespace spwrender {

// What "-" stands for as an output path.
#ifdef _WIN32
constexpr char kStandardOutput[] = "-";
#else
constexpr char kStandardOutput[] = "/dev/stdout";
#endif

// False with a one-line reason when standard output cannot take the audio: a
// terminal.
bool StandardOutputTakesAudio(std::string* error);

// Where there is no /dev/stdout: the bytes of in written to standard output,
// untranslated. False when they could not all be written.
bool CopyToStandardOutput(std::istream& in);

}  // namespace spwrender
