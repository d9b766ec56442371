#pragma once
// UTF-8 texts of the editor to and from the UTF-16 of the Win32 calls.

#include <string>

#include <windows.h>

inline std::wstring Widen(const char* utf8) {
  if (!utf8 || !*utf8) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &wide[0], n);
  wide.resize(static_cast<size_t>(n - 1));  // without the terminator
  return wide;
}

inline std::string Narrow(const wchar_t* wide) {
  if (!wide || !*wide) return std::string();
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string utf8(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, &utf8[0], n, nullptr, nullptr);
  utf8.resize(static_cast<size_t>(n - 1));
  return utf8;
}
