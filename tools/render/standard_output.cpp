#include "standard_output.h"

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace spwrender {
namespace {

bool StandardOutputIsATerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stdout)) != 0;
#else
  return isatty(STDOUT_FILENO) != 0;
#endif
}

}  // namespace

bool StandardOutputTakesAudio(std::string* error) {
  if (!StandardOutputIsATerminal()) return true;
  *error = "-o -: standard output is a terminal; send it to a file or a program (-o - | COMMAND), or give a file name";
  return false;
}

bool CopyToStandardOutput(std::istream& in) {
#ifdef _WIN32
  // Text mode would turn every byte 10 of the audio into 13 10.
  std::fflush(stdout);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    const size_t n = size_t(in.gcount());
    if (std::fwrite(buffer, 1, n, stdout) != n) return false;
  }
  return std::fflush(stdout) == 0 && !std::ferror(stdout);
}

}  // namespace spwrender
