#pragma once
// Whether the files a command names are one and the same, so that a tool never
// writes its output over one of its inputs or over another of its outputs. A file
// that exists is known by its identity (device and inode, the system's own test),
// whatever links or relative paths lead to it; a name that does not exist yet by
// the canonical path of its folder plus its name, after any dangling links.
// Devices and pipes are never a clash: writing to them replaces nothing.

#include <string>
#include <vector>

namespace spwhost {

struct NamedFile {
  std::string role;     // how the message names it: "the output", "the timeline"
  std::string path;     // as the user gave it (a narrow path, host_path.h)
  bool folder = false;  // a folder (a bundle): anything inside it clashes as well
};

// True when a and b name the same file (or b is a folder holding a, when
// bFolder). Empty paths name nothing.
bool SameFile(const std::string& a, const std::string& b, bool bFolder = false);

// False with one line naming the first two of files that are the same file, e.g.
// "the output 'x.wav' and the timeline 'x.wav' are the same file".
bool CheckDistinctFiles(const std::vector<NamedFile>& files, std::string* error);

}  // namespace spwhost
