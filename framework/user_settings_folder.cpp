#include "user_settings_folder.h"

#include <cstdlib>

namespace {

constexpr char kProductFolder[] = "stereoPulseWeaver";

}  // namespace

std::filesystem::path UserSettingsFolder() {
#ifdef _WIN32
  // The wide variable: the narrow one loses what the code page cannot spell.
  const wchar_t* appData = _wgetenv(L"APPDATA");
  if (!appData || !*appData) return {};
  return std::filesystem::path(appData) / kProductFolder;
#else
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && config[0] == '/') return std::filesystem::path(config) / kProductFolder;
  const char* home = std::getenv("HOME");
  if (!home || !*home) return {};
  return std::filesystem::path(home) / ".config" / kProductFolder;
#endif
}
