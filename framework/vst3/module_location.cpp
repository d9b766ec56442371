#include "module_location.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace spw_vst3 {

namespace {

void* gModuleHandle = nullptr;

ModulePath& Directory() {
  static ModulePath directory;
  return directory;
}

#ifdef _WIN32
constexpr DWORD kMaxModulePath = 260;  // units, the classic Windows path limit
#endif

}  // namespace

void SetModuleHandle(void* handle) { gModuleHandle = handle; }

void* ModuleHandle() { return gModuleHandle; }

const ModulePath& ModuleDirectory() { return Directory(); }

void ComputeModuleDirectory() {
  ModulePath path;
#ifdef _WIN32
  wchar_t name[kMaxModulePath] = {};
  const DWORD length = GetModuleFileNameW(static_cast<HMODULE>(gModuleHandle), name, kMaxModulePath);
  if (length > 0 && length < kMaxModulePath) path.assign(name, length);
  const auto cut = path.find_last_of(L'\\');
#else
  Dl_info info = {};
  if (dladdr(reinterpret_cast<void*>(&ComputeModuleDirectory), &info) && info.dli_fname) {
    path = info.dli_fname;
  }
  const auto cut = path.find_last_of('/');
#endif
  Directory() = cut == ModulePath::npos ? ModulePath() : path.substr(0, cut + 1);
}

}  // namespace spw_vst3
