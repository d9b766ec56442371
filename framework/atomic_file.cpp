#include "atomic_file.h"

#include <atomic>
#include <fstream>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

// Beside the target (a rename across file systems is no rename), unique per process
// and per call, so that neither another writer's temporary nor a user's file is touched.
fs::path TemporaryBeside(const fs::path& target) {
  static std::atomic<unsigned> calls{0};
#ifdef _WIN32
  const unsigned long process = GetCurrentProcessId();
#else
  const long process = static_cast<long>(getpid());
#endif
  fs::path temporary = target;
  temporary += ".tmp" + std::to_string(process) + "-" + std::to_string(calls.fetch_add(1, std::memory_order_relaxed));
  return temporary;
}

bool WriteWhole(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

// The bytes reach the disk before the rename makes them the file; on Windows the
// rename's write-through does that.
bool SyncToDisk(const fs::path& path) {
#ifdef _WIN32
  (void)path;
  return true;
#else
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = fsync(fd) == 0;
  close(fd);
  return synced;
#endif
}

bool ReplaceWith(const fs::path& temporary, const fs::path& target, std::error_code* error) {
#ifdef _WIN32
  if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  *error = std::error_code(static_cast<int>(GetLastError()), std::system_category());
  return false;
#else
  fs::rename(temporary, target, *error);  // atomic on POSIX file systems
  return !*error;
#endif
}

}  // namespace

bool WriteFileAtomically(const fs::path& target, std::string_view bytes, std::string* reason) {
  std::error_code error;
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), error);
  if (error) {
    *reason = "cannot make its folder: " + error.message();
    return false;
  }
  const fs::path temporary = TemporaryBeside(target);
  if (!WriteWhole(temporary, bytes)) {
    *reason = "cannot write a temporary file beside it";
  } else if (!SyncToDisk(temporary)) {
    *reason = "cannot write it to the disk";
  } else if (!ReplaceWith(temporary, target, &error)) {
    *reason = "cannot replace it: " + error.message();
  } else {
    return true;
  }
  fs::remove(temporary, error);
  return false;
}
