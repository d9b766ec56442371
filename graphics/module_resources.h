#pragma once
// The PNG images embedded in the module, by resource id (100 to 119, and 1100 to 1119 for their twice-size versions): Windows
// resources of type "PNG" there, byte arrays compiled in elsewhere. The
// graphics core asks through this one function; the module's image library
// answers it.

#include <cstddef>
#include <cstdint>

// The same picture drawn at twice the size lies under its id plus this offset.
constexpr int kHiResImageIdOffset = 1000;

// [any thread] True with the PNG bytes of resource id (they live as long as the module).
bool FindModulePng(int id, const uint8_t** data, size_t* size);
