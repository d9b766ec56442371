#include "default_bundle.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <filesystem>
#include <system_error>
#include <vector>

#include "host_path.h"

#if !defined(SPW_RENDER_BUNDLE_FROM_EXE) || !defined(SPW_RENDER_INSTALLED_BUNDLE)
#error "SPW_RENDER_BUNDLE_FROM_EXE and SPW_RENDER_INSTALLED_BUNDLE (the bundle's paths) must be defined by the build"
#endif

namespace spwrender {
namespace {

std::string ExecutablePath() {
#ifdef _WIN32
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return "";
    if (n < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
#else
  std::vector<char> buffer(4096);
  const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
  return n > 0 && size_t(n) < buffer.size() ? std::string(buffer.data(), size_t(n)) : "";
#endif
}

}  // namespace

std::string ExecutableFolder() {
  const std::string path = ExecutablePath();
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

std::string DefaultBundlePath() {
  const std::string folder = ExecutableFolder();
  const std::string built = folder + SPW_RENDER_BUNDLE_FROM_EXE;
  const std::string installedPath = SPW_RENDER_INSTALLED_BUNDLE;
  const std::string installed = spwhost::NativePath(installedPath).is_absolute() ? installedPath
                                                                                 : folder + installedPath;
  std::error_code ec;
  if (!std::filesystem::is_directory(spwhost::NativePath(built), ec) &&
      std::filesystem::is_directory(spwhost::NativePath(installed), ec)) {
    return installed;
  }
  return built;
}

}  // namespace spwrender
