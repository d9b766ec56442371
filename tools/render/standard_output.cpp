#include "standard_output.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace spwrender {

bool StandardOutputTakesAudio(std::string* error) {
#ifdef _WIN32
  *error = "-o -: this build cannot write audio to standard output; give a file name";
  return false;
#else
  if (!isatty(STDOUT_FILENO)) return true;
  *error = "-o -: standard output is a terminal; send it to a file or a program (-o - | COMMAND), or give a file name";
  return false;
#endif
}

}  // namespace spwrender
