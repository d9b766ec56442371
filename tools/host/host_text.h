#pragma once
// Text conversions of the host library: SDK fixed-size 8-bit fields and UTF-16
// strings to std::string (one byte per UTF-16 unit), and back.

#include <string>

#include "pluginterfaces/base/ftypes.h"

namespace spwhost {

inline std::string FixedText(const char* text, size_t size) {
  size_t n = 0;
  while (n < size && text[n]) ++n;
  return std::string(text, n);
}

inline std::string Narrow(const Steinberg::char16* text, size_t maxUnits) {
  std::string out;
  for (size_t i = 0; i < maxUnits && text[i]; ++i) out.push_back(static_cast<char>(text[i] & 0xFF));
  return out;
}

inline void Widen(const std::string& text, Steinberg::char16* out, size_t size) {
  size_t i = 0;
  for (; i < text.size() && i + 1 < size; ++i) {
    out[i] = static_cast<Steinberg::char16>(static_cast<unsigned char>(text[i]));
  }
  out[i] = 0;
}

}  // namespace spwhost
