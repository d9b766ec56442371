#pragma once
// Reading a small text file the user names (a timeline), whatever it turns out to
// be: a folder, a device that never ends or a file far too large are refused
// instead of read.

#include <cstddef>
#include <string>

namespace spwrender {

// Reads the whole file at path (a narrow path, as the command line gives it) into
// *text. False with a one-line reason when it cannot be read or holds more than
// maxBytes.
bool ReadTextFile(const std::string& path, size_t maxBytes, std::string* text, std::string* error);

}  // namespace spwrender
