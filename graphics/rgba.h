#pragma once
// A colour as alpha, red, green and blue, each 0..255.

#include <cstdint>

struct IRgba {
  int A = 255, R = 0, G = 0, B = 0;

  IRgba() = default;
  IRgba(int a, int r, int g, int b) : A(a), R(r), G(g), B(b) {}

  // The raster layer's word: A<<24 | R<<16 | G<<8 | B.
  uint32_t Packed() const {
    return static_cast<uint32_t>(A & 0xFF) << 24 | static_cast<uint32_t>(R & 0xFF) << 16 |
           static_cast<uint32_t>(G & 0xFF) << 8 | static_cast<uint32_t>(B & 0xFF);
  }
  bool operator==(const IRgba& o) const { return A == o.A && R == o.R && G == o.G && B == o.B; }
};
