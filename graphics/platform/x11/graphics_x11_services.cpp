// The desktop services of the X11 editor: folders, web pages and the module's images.

#include <dlfcn.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "graphics_x11.h"
#include "module_image.h"

extern char** environ;

namespace {

// Starts xdg-open in the background through the shell, so the editor neither waits for
// the browser nor leaves a finished child behind; fails when there is no xdg-open.
constexpr char kOpenScript[] =
    "command -v xdg-open >/dev/null 2>&1 || exit 1; xdg-open \"$1\" >/dev/null 2>&1 </dev/null &";

std::string FolderOf(const std::string& path) {
  const size_t cut = path.find_last_of('/');
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

}  // namespace

void IGraphicsX11::HostFolder(std::string& out) {
  char path[PATH_MAX] = {};
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  out = n > 0 ? FolderOf(std::string(path, static_cast<size_t>(n))) : std::string();
}

void IGraphicsX11::ModuleFolder(std::string& out) {
  Dl_info info = {};
  const bool found = dladdr(reinterpret_cast<void*>(&FolderOf), &info) != 0 && info.dli_fname;
  out = found ? FolderOf(info.dli_fname) : std::string();
}

void IGraphicsX11::AskForFile(std::string& path, int action, const char* folder, const char* extensions) {
  path.clear();
}

bool IGraphicsX11::OpenWebPage(const char* target, const char* caption, const char* confirmation,
                               const char* error) {
  if (!target || !*target || confirmation) return false;
  char shell[] = "/bin/sh";
  char flag[] = "-c";
  char script[sizeof kOpenScript];
  std::copy(kOpenScript, kOpenScript + sizeof kOpenScript, script);
  char name[] = "spw-open";
  std::string url(target);
  char* argv[] = {shell, flag, script, name, &url[0], nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, shell, nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::unique_ptr<RasterBitmap> IGraphicsX11::LoadImageFromModule(int id, const char* name) {
  return LoadModuleImage(id);
}
