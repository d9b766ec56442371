#include "temporary_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "host_path.h"
#include "interrupt_cleanup.h"
#include "standard_output.h"

namespace spwrender {
namespace {

// Hidden on Linux; mkstemp replaces the six X.
constexpr const char* kTemplateName = ".spw_render.XXXXXX";

#ifdef _WIN32
void MakeReadableAsNew(int) {}
void CloseDescriptor(int fd) { _close(fd); }
#else
// mkstemp creates the file for its owner only; a render is an ordinary file.
void MakeReadableAsNew(int fd) {
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, static_cast<mode_t>(0666) & ~mask);
}
void CloseDescriptor(int fd) { close(fd); }
#endif

}  // namespace

bool TemporaryFile::Create(const std::filesystem::path& folder, const std::string& forPath, std::string* error) {
  Remove();
  const std::string pattern = spwhost::NarrowPath(folder / kTemplateName);
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) {
    *error = "cannot write '" + forPath + "': " + std::strerror(errno);
    return false;
  }
  MakeReadableAsNew(fd);
  CloseDescriptor(fd);
  path_ = name.data();
  interruptTicket_ = RemoveOnInterrupt(path_);
  return true;
}

bool TemporaryFile::MoveTo(const std::string& finalPath, std::string* error) {
  std::error_code ec;
  std::filesystem::rename(spwhost::NativePath(path_), spwhost::NativePath(finalPath), ec);
  if (ec) {
    *error = "cannot move the finished file to '" + finalPath + "': " + ec.message();
    return false;
  }
  ForgetOnInterrupt(interruptTicket_);
  interruptTicket_ = -1;
  path_.clear();
  return true;
}

bool TemporaryFile::CopyTo(const std::string& destination, std::string* error) {
  std::ifstream in(spwhost::NativePath(path_), std::ios::binary);
  bool written = false;
  if (destination == kStandardOutput) {
    written = in && CopyToStandardOutput(in);
  } else {
    std::ofstream out(spwhost::NativePath(destination), std::ios::binary);
    if (in && out) out << in.rdbuf();
    out.close();
    written = in && out;
  }
  Remove();
  if (!written) {
    const std::string name = destination == kStandardOutput ? "standard output" : "'" + destination + "'";
    *error = "writing " + name + " failed: " + std::strerror(errno);
    return false;
  }
  return true;
}

void TemporaryFile::Remove() {
  if (path_.empty()) return;
  std::error_code ec;
  std::filesystem::remove(spwhost::NativePath(path_), ec);
  ForgetOnInterrupt(interruptTicket_);
  interruptTicket_ = -1;
  path_.clear();
}

}  // namespace spwrender
