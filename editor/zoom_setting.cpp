#include "zoom_setting.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "atomic_file.h"

namespace spw_editor {
namespace {

namespace fs = std::filesystem;

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

}  // namespace

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
  std::string reason;  // the editor has no place to show it: the zoom is simply not remembered
  return WriteFileAtomically(PathOf(folder) / kFileName, kZoomKey + std::to_string(percent) + "\n", &reason);
}

}  // namespace spw_editor
