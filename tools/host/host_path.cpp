#include "host_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace spwhost {

#ifdef _WIN32
std::filesystem::path NativePath(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), units);
  return std::filesystem::path(wide);
}

std::string NarrowPath(const std::filesystem::path& path) {
  const std::wstring& wide = path.native();
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), size, text.data(), bytes, nullptr, nullptr);
  return text;
}
#else
std::filesystem::path NativePath(const std::string& text) { return std::filesystem::path(text); }

std::string NarrowPath(const std::filesystem::path& path) { return path.native(); }
#endif

}  // namespace spwhost
