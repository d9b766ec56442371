#pragma once
// Where the built bundle is: SPW_BUNDLE_RELATIVE is its path relative to the
// folder of the test program, which is resolved at run time so the same build
// works natively and under wine.

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

inline std::string TestProgramFolder() {
#ifdef _WIN32
  wchar_t wide[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, wide, MAX_PATH);
  std::string path;
  for (DWORD i = 0; i < n; ++i) path.push_back(static_cast<char>(wide[i] & 0xFF));
  return path.substr(0, path.find_last_of("\\/") + 1);
#else
  char buffer[4096] = {};
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  std::string path(buffer, n > 0 ? static_cast<size_t>(n) : 0);
  return path.substr(0, path.find_last_of('/') + 1);
#endif
}

inline std::string BundlePath() { return TestProgramFolder() + SPW_BUNDLE_RELATIVE; }
