#pragma once
// Font files compiled in as byte arrays (generated at build time), for a build
// with no fonts of the system to ask for.

#include <cstddef>
#include <cstdint>

struct EmbeddedFont {
  const char* family;
  const uint8_t* data;
  size_t size;  // bytes
};

extern const EmbeddedFont kEmbeddedFonts[];
extern const int kEmbeddedFontCount;
