#include "same_file.h"

#include <filesystem>
#include <system_error>

#include "host_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace spwhost {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkHops = 40;  // as the system's own limit on a chain of links

// Where a name that does not exist yet will be created: the end of its chain of
// dangling links, in the canonical form of its folder.
fs::path FutureLocation(fs::path path) {
  std::error_code ec;
  for (int hops = 0; hops < kMaxLinkHops && fs::is_symlink(fs::symlink_status(path, ec)); ++hops) {
    const fs::path link = fs::read_symlink(path, ec);
    if (ec) break;
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  const fs::path folder = fs::weakly_canonical(fs::absolute(path, ec).parent_path(), ec);
  return ec ? path.lexically_normal() : folder / path.filename();
}

// A location in the form two names of one file share: on Windows names that
// differ only in case are one file, so they are compared in capitals (the system's
// own case mapping).
fs::path Comparable(const fs::path& location) {
#ifdef _WIN32
  std::wstring name = location.wstring();
  if (!name.empty()) CharUpperBuffW(&name[0], static_cast<DWORD>(name.size()));
  return fs::path(name);
#else
  return location;
#endif
}

// Regular files, folders and names still to be created can be overwritten.
bool Replaceable(fs::file_type type) {
  return type == fs::file_type::regular || type == fs::file_type::directory || type == fs::file_type::not_found;
}

bool SameExisting(const fs::path& a, const fs::path& b, bool bFolder) {
  std::error_code ec;
  if (fs::equivalent(a, b, ec)) return true;
  if (!bFolder) return false;
  for (fs::path up = fs::canonical(a, ec); !ec && up.has_relative_path(); up = up.parent_path()) {
    if (fs::equivalent(up, b, ec)) return true;
  }
  return false;
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b, bool bFolder) {
  if (a.empty() || b.empty()) return false;
  const fs::path pa = NativePath(a), pb = NativePath(b);
  std::error_code ec;
  const fs::file_type ta = fs::status(pa, ec).type(), tb = fs::status(pb, ec).type();
  if (!Replaceable(ta) || !Replaceable(tb)) return false;
  if (ta != fs::file_type::not_found && tb != fs::file_type::not_found) return SameExisting(pa, pb, bFolder);
  // One of them is still to be created: it is the other only by name, or inside it by name.
  const fs::path fa = Comparable(ta == fs::file_type::not_found ? FutureLocation(pa) : fs::canonical(pa, ec));
  const fs::path fb = Comparable(tb == fs::file_type::not_found ? FutureLocation(pb) : fs::canonical(pb, ec));
  if (fa == fb) return true;
  if (!bFolder) return false;
  const auto rest = fa.lexically_relative(fb);
  return !rest.empty() && *rest.begin() != "..";
}

bool CheckDistinctFiles(const std::vector<NamedFile>& files, std::string* error) {
  for (size_t i = 0; i < files.size(); ++i) {
    for (size_t j = 0; j < files.size(); ++j) {
      if (i == j) continue;
      if (!SameFile(files[i].path, files[j].path, files[j].folder)) continue;
      const bool inside = files[j].folder && !SameFile(files[i].path, files[j].path, false);
      const std::string a = files[i].role + " '" + files[i].path + "'", b = files[j].role + " '" + files[j].path + "'";
      *error = inside ? a + " lies inside " + b : a + " and " + b + " are the same file";
      return false;
    }
  }
  return true;
}

}  // namespace spwhost
