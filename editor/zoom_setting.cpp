#include "zoom_setting.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace spw_editor {
namespace {

namespace fs = std::filesystem;

constexpr char kProductFolder[] = "stereoPulseWeaver";
constexpr char kFileName[] = "settings.ini";
constexpr char kZoomKey[] = "zoom=";

// A path made from UTF-8 text (Windows reads narrow paths in the system's code page).
fs::path PathOf(const std::string& utf8) {
  return fs::u8path(utf8);
}

bool Offered(int percent) {
  for (const int choice : kZoomChoices) {
    if (choice == percent) return true;
  }
  return false;
}

bool ReplaceFile(const fs::path& from, const fs::path& to) {
#ifdef _WIN32
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  std::error_code error;
  fs::rename(from, to, error);  // atomic on POSIX file systems
  return !error;
#endif
}

}  // namespace

std::string ZoomSettingsFolder() {
#ifdef _WIN32
  const wchar_t* appData = _wgetenv(L"APPDATA");
  if (!appData || !*appData) return std::string();
  const std::string base = fs::path(appData).u8string();
#else
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  std::string base;
  if (config && *config) {
    base = config;
  } else if (home && *home) {
    base = std::string(home) + "/.config";
  } else {
    return std::string();
  }
#endif
  return (PathOf(base) / kProductFolder).u8string();
}

int LoadZoom(const std::string& folder) {
  if (folder.empty()) return kZoomChoices[0];
  std::ifstream file(PathOf(folder) / kFileName);
  std::string line;
  while (std::getline(file, line)) {
    if (line.rfind(kZoomKey, 0) != 0) continue;
    char* end = nullptr;
    const long percent = std::strtol(line.c_str() + sizeof kZoomKey - 1, &end, 10);
    if (end && (*end == '\0' || *end == '\r') && Offered(static_cast<int>(percent))) return static_cast<int>(percent);
  }
  return kZoomChoices[0];
}

bool SaveZoom(const std::string& folder, int percent) {
  if (folder.empty() || !Offered(percent)) return false;
  const fs::path dir = PathOf(folder);
  std::error_code error;
  fs::create_directories(dir, error);
  const fs::path target = dir / kFileName, temporary = dir / (std::string(kFileName) + ".tmp");
  {
    std::ofstream file(temporary, std::ios::trunc);
    file << kZoomKey << percent << '\n';
    file.flush();
    if (!file) {
      file.close();
      fs::remove(temporary, error);
      return false;
    }
  }
  if (ReplaceFile(temporary, target)) return true;
  fs::remove(temporary, error);
  return false;
}

}  // namespace spw_editor
