#pragma once
// A uniquely named file to write a render into before it goes to its final place,
// so that no partial file ever appears under the final name. Unique (mkstemp), so
// neither a user's own file nor a second render to the same name is touched.
// Removed by the destructor, and on interruption (interrupt_cleanup.h), unless
// moved into place.

#include <filesystem>
#include <string>

namespace spwrender {

class TemporaryFile {
 public:
  TemporaryFile() = default;
  ~TemporaryFile() { Remove(); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // Creates an empty file in folder, readable as a new file would be (the user's
  // file-creation mask applies). False with a one-line reason about forPath, the
  // file the user asked for, otherwise.
  bool Create(const std::filesystem::path& folder, const std::string& forPath, std::string* error);
  // Renames the file onto finalPath (in the same folder), replacing what is there.
  bool MoveTo(const std::string& finalPath, std::string* error);
  // Copies the file's bytes into destination (a pipe), then removes it.
  bool CopyTo(const std::string& destination, std::string* error);
  void Remove();

  const std::string& Path() const { return path_; }

 private:
  std::string path_;  // empty: none (not created, removed or moved)
  int interruptTicket_ = -1;
};

}  // namespace spwrender
