#pragma once
// Where the plug-in module lives: its handle (HMODULE on Windows, the handle the
// host passed to ModuleEntry on Linux) and its folder with the trailing separator.
// Set once by the module's entry code before any instance exists; read anywhere.

#include <string>

namespace spw_vst3 {

#ifdef _WIN32
using ModulePath = std::wstring;
#else
using ModulePath = std::string;
#endif

void SetModuleHandle(void* handle);
void* ModuleHandle();

// Computes the folder of the binary that contains this code (empty when unknown).
void ComputeModuleDirectory();
const ModulePath& ModuleDirectory();

}  // namespace spw_vst3
