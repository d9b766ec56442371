#include "output_target.h"

#include <filesystem>
#include <system_error>

#include "host_path.h"
#include "standard_output.h"
#include "temporary_file.h"

namespace spwrender {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkHops = 40;  // as the system's own limit on a chain of links

// A link that points nowhere yet: where its chain ends is where the file is created.
bool FollowDanglingLinks(fs::path* path, std::string* reason) {
  std::error_code ec;
  for (int hops = 0; fs::is_symlink(fs::symlink_status(*path, ec)); ++hops) {
    if (hops == kMaxLinkHops) {
      *reason = "its symbolic links never end";
      return false;
    }
    const fs::path link = fs::read_symlink(*path, ec);
    if (ec) {
      *reason = ec.message();
      return false;
    }
    *path = link.is_absolute() ? link : path->parent_path() / link;
  }
  return true;
}

bool Refuse(const std::string& path, const std::string& reason, std::string* error) {
  *error = "cannot write '" + path + "': " + reason;
  return false;
}

}  // namespace

fs::path WorkFolder(const OutputTarget& target) {
  if (target.kind == OutputKind::kFile) return spwhost::NativePath(target.filePath).parent_path();
  std::error_code ec;
  return fs::temp_directory_path(ec);  // empty when there is none: creating a file there fails
}

bool DeliverTemporary(TemporaryFile& temporary, const OutputTarget& target, const std::string& path,
                      std::string* error) {
  return target.kind == OutputKind::kFile ? temporary.MoveTo(target.filePath, error) : temporary.CopyTo(path, error);
}

bool ResolveOutputTarget(const std::string& path, OutputTarget* target, std::string* error) {
  *target = OutputTarget();
  if (path.empty()) return Refuse(path, "it is a folder", error);
#ifdef _WIN32
  // No /dev/stdout here: "-" is standard output itself, which gets the finished file.
  if (path == kStandardOutput) {
    target->kind = OutputKind::kPipe;
    return true;
  }
#endif
  const fs::path native = spwhost::NativePath(path);
  std::error_code ec;
  // The system follows every link here, including the ones of /proc and /dev/fd.
  const fs::file_type type = fs::status(native, ec).type();
  fs::path file = native;
  switch (type) {
    case fs::file_type::directory:
      return Refuse(path, "it is a folder", error);
    case fs::file_type::character:
    case fs::file_type::block:
      target->kind = OutputKind::kDevice;
      return true;
    case fs::file_type::fifo:
      target->kind = OutputKind::kPipe;
      return true;
    case fs::file_type::regular:
      file = fs::canonical(native, ec);
      if (ec) return Refuse(path, ec.message(), error);
      break;
    case fs::file_type::not_found: {
      std::string reason;
      if (!FollowDanglingLinks(&file, &reason)) return Refuse(path, reason, error);
      break;
    }
    case fs::file_type::none:
      return Refuse(path, ec.message(), error);
    default:
      return Refuse(path, "it is neither a file, a device nor a pipe", error);
  }
  target->filePath = spwhost::NarrowPath(file);
  return true;
}

}  // namespace spwrender
