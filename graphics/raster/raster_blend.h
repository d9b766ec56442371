#pragma once
// How a drawing operation combines its colour with what is already there.
//   Copy  : with source alpha, an alpha blend (src over dst); without, an opaque copy.
//   Add   : dst + src per channel, saturating; with source alpha the added amount
//           is scaled by the source's alpha.
//   Dodge : colour dodge, dst / (1 - src) per channel, saturating; with source
//           alpha the result is mixed over dst by the source's alpha.
// Opacity (0..1) scales the source's contribution in every mode. The editor
// uses: alpha blend {Copy, true}, copy {Copy, false}, {Add, true}, {Dodge, true}.

#include <cstdint>

enum class RasterMode : uint8_t { Copy, Add, Dodge };

struct RasterBlend {
  RasterMode mode = RasterMode::Copy;
  bool sourceAlpha = true;
  float opacity = 1.0f;  // 0..1
};

// One destination pixel combined with one source pixel (ARGB words).
uint32_t RasterCombine(uint32_t dst, uint32_t src, const RasterBlend& blend) noexcept;
