#include "default_bundle.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "host_path.h"

#if !defined(SPW_RENDER_BUNDLE_FROM_EXE) || !defined(SPW_RENDER_INSTALLED_BUNDLE)
#error "SPW_RENDER_BUNDLE_FROM_EXE and SPW_RENDER_INSTALLED_BUNDLE (the bundle's paths) must be defined by the build"
#endif

namespace spwrender {
namespace {

constexpr const char* kBundleName = "stereoPulseWeaver.vst3";

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

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(spwhost::NativePath(path), ec);
}

}  // namespace

std::string ExecutableFolder() {
  const std::string path = ExecutablePath();
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

HostFolders HostFoldersOfEnvironment() {
#ifdef _WIN32
  return {"", Environment("CommonProgramFiles")};
#else
  return {Environment("HOME"), ""};
#endif
}

std::vector<BundlePlace> BundlePlaces(const std::string& programFolder, const HostFolders& folders) {
  const std::string installed = SPW_RENDER_INSTALLED_BUNDLE;
  std::vector<BundlePlace> places = {
      {programFolder + kBundleName, "beside the program"},
      {programFolder + SPW_RENDER_BUNDLE_FROM_EXE, "in the program's build tree"},
      {spwhost::NativePath(installed).is_absolute() ? installed : programFolder + installed,
       "installed with the program"},
  };
#ifdef _WIN32
  if (!folders.commonProgramFiles.empty()) {
    places.push_back({folders.commonProgramFiles + "\\VST3\\" + kBundleName, "in the common VST3 folder"});
  }
#else
  if (!folders.home.empty()) places.push_back({folders.home + "/.vst3/" + kBundleName, "in ~/.vst3"});
  places.push_back({std::string("/usr/lib/vst3/") + kBundleName, "in /usr/lib/vst3"});
  places.push_back({std::string("/usr/local/lib/vst3/") + kBundleName, "in /usr/local/lib/vst3"});
#endif
  return places;
}

const BundlePlace* FirstBundlePlace(const std::vector<BundlePlace>& places,
                                    const std::function<bool(const std::string&)>& isFolder) {
  for (const BundlePlace& place : places) {
    if (isFolder(place.path)) return &place;
  }
  return nullptr;
}

std::vector<BundlePlace> DefaultBundlePlaces() {
  return BundlePlaces(ExecutableFolder(), HostFoldersOfEnvironment());
}

bool FindDefaultBundle(BundlePlace* found) {
  const std::vector<BundlePlace> places = DefaultBundlePlaces();
  const BundlePlace* first = FirstBundlePlace(places, IsFolder);
  if (first) *found = *first;
  return first != nullptr;
}

std::string DefaultBundlePath() {
  BundlePlace found;
  return FindDefaultBundle(&found) ? found.path : ExecutableFolder() + SPW_RENDER_BUNDLE_FROM_EXE;
}

}  // namespace spwrender
