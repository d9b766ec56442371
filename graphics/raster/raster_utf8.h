#pragma once
// UTF-8 decoding for text drawing.

#include <cstdint>

constexpr uint32_t kRasterReplacementChar = 0xFFFD;

// The code point starting at *p; moves *p past it. A malformed sequence (stray
// continuation byte, overlong form, surrogate, beyond U+10FFFF, cut short) gives
// U+FFFD and moves on by one byte. *p must not point at the terminating NUL.
uint32_t RasterNextCodepoint(const char*& p);
