#pragma once
// Where the renderer's output goes, decided before anything is written. A regular
// file (or a name that does not exist yet) is written beside itself and replaced
// at the end; a symbolic link is followed, so the file it points to is replaced
// and the link stays. A device (/dev/null) or a pipe (a FIFO, a shell's >(...))
// is written, never replaced. Anything else (a folder, a socket) is refused.

#include <filesystem>
#include <string>

namespace spwrender {

enum class OutputKind {
  kFile,    // a regular file, created or replaced
  kDevice,  // written in place
  kPipe,    // gets the finished file: a WAV header holds the length, known only at the end
};

struct OutputTarget {
  OutputKind kind = OutputKind::kFile;
  std::string filePath;  // kFile: the file to create or replace, links followed
};

// The folder to prepare files for target in: beside the final file, so that the
// file can be renamed into place; for a device or a pipe (whose folder may be
// /dev/fd) the system's temporary folder.
std::filesystem::path WorkFolder(const OutputTarget& target);

class TemporaryFile;
// Puts the finished temporary file where target wants it: renamed onto the file,
// or copied into the pipe at path. Not for a device, which is written in place.
bool DeliverTemporary(TemporaryFile& temporary, const OutputTarget& target, const std::string& path,
                      std::string* error);

// Decides the target of path. False with a one-line reason when it cannot be written.
bool ResolveOutputTarget(const std::string& path, OutputTarget* target, std::string* error);

}  // namespace spwrender
