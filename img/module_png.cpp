// The module's PNG resources: on Windows the "PNG" resources of the binary this
// code is linked into (the plug-in's DLL, or a test or tool's own program), on
// other platforms the arrays compiled in from the same files.

#include "module_resources.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "embedded_images.h"
#endif

namespace {

bool Found(const uint8_t* bytes, size_t length, const uint8_t** data, size_t* size) {
  if (data) *data = bytes;
  if (size) *size = length;
  return bytes != nullptr;
}

#ifdef _WIN32
// The module that holds this function: resources come from the same binary.
HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}
#endif

}  // namespace

bool FindModulePng(int id, const uint8_t** data, size_t* size) {
#ifdef _WIN32
  const HMODULE module = ThisModule();
  HRSRC resource = module ? FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG") : nullptr;
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  const DWORD length = bytes ? SizeofResource(module, resource) : 0;
  return Found(length > 0 ? static_cast<const uint8_t*>(bytes) : nullptr, length, data, size);
#else
  for (int i = 0; i < kEmbeddedImageCount; ++i) {
    if (kEmbeddedImages[i].id == id) return Found(kEmbeddedImages[i].data, kEmbeddedImages[i].size, data, size);
  }
  return Found(nullptr, 0, data, size);
#endif
}
