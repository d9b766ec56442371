#pragma once
// A small file the renderer makes besides its audio (the picture of a session),
// written whole into a temporary file first and put in place only on Deliver, so
// that it can wait until the audio file has made it. Written the way the audio is:
// never partial under its name, links followed, devices and pipes written
// (output_target.h, temporary_file.h); removed if never delivered.

#include <cstdint>
#include <string>
#include <vector>

#include "output_target.h"
#include "temporary_file.h"

namespace spwrender {

class StagedFile {
 public:
  // Prepares bytes as the file path (a narrow path, as the command line gives it).
  // False with a one-line reason.
  bool Stage(const std::string& path, std::vector<uint8_t> bytes, std::string* error);
  // Puts the file in place. False with a one-line reason; nothing is left then.
  bool Deliver(std::string* error);

 private:
  std::string path_;
  OutputTarget target_;
  TemporaryFile temporary_;     // none for a device
  std::vector<uint8_t> bytes_;  // a device's, written on Deliver
};

}  // namespace spwrender
