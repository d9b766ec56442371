// For programs built without the editor's images: every resource is missing,
// so every image loads as empty.
#include "module_resources.h"

bool FindModulePng(int id, const uint8_t** data, size_t* size) {
  if (data) *data = nullptr;
  if (size) *size = 0;
  return false;
}
