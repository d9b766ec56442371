#pragma once
// Builds a 16-byte class ID from four 32-bit words in the COM-compatible layout,
// the same bytes on every platform: word 1 little-endian; word 2 as its high half
// then its low half, each little-endian; words 3 and 4 big-endian.

#include <cstdint>

#include "pluginterfaces/base/funknown.h"

namespace spw_vst3 {

inline void ComposeClassId(uint32_t w1, uint32_t w2, uint32_t w3, uint32_t w4, Steinberg::TUID out) {
  auto byte = [](uint32_t word, int shift) { return static_cast<Steinberg::int8>((word >> shift) & 0xFF); };
  const int little[4] = {0, 8, 16, 24};
  const int big[4] = {24, 16, 8, 0};
  for (int i = 0; i < 4; ++i) out[i] = byte(w1, little[i]);
  out[4] = byte(w2, 16);
  out[5] = byte(w2, 24);
  out[6] = byte(w2, 0);
  out[7] = byte(w2, 8);
  for (int i = 0; i < 4; ++i) out[8 + i] = byte(w3, big[i]);
  for (int i = 0; i < 4; ++i) out[12 + i] = byte(w4, big[i]);
}

}  // namespace spw_vst3
