#pragma once
// Byte-per-unit conversions between the framework's 8-bit texts and the SDK's
// UTF-16 strings: widening maps each byte to one unit, narrowing keeps each
// unit's low byte. Both always terminate and never write past size units/bytes.

#include "pluginterfaces/base/ftypes.h"

namespace spw_vst3 {

inline void WidenText(const char* text, Steinberg::char16* out, int size) noexcept {
  if (!out || size <= 0) return;
  int i = 0;
  for (; text && text[i] && i < size - 1; ++i) {
    out[i] = static_cast<Steinberg::char16>(static_cast<unsigned char>(text[i]));
  }
  out[i] = 0;
}

inline void NarrowText(const Steinberg::char16* text, char* out, int size) noexcept {
  if (!out || size <= 0) return;
  int i = 0;
  for (; text && text[i] && i < size - 1; ++i) out[i] = static_cast<char>(text[i] & 0xFF);
  out[i] = '\0';
}

}  // namespace spw_vst3
