#pragma once
// How a drawing operation combines its colour with what is already there.
//   Copy  : with source alpha, an alpha blend (src over dst); without, an opaque copy.
//   Add   : dst + src per channel, saturating; with source alpha the added amount
//           is scaled by the source's alpha.
//   Dodge : colour dodge, dst / (1 - src) per channel, saturating; with source
//           alpha the result is mixed over dst by the source's alpha.
// Opacity (0..1) scales the source's contribution in every mode. The editor
// uses: alpha blend {Copy, true}, copy {Copy, false}, {Add, true}, {Dodge, true}.
//
// The arithmetic, exactly (straight, not premultiplied, 8-bit channels; c is any
// of R, G, B; [x] means (x + 127) / 255 in integers):
//   w  = opacity * 255 rounded, limited to 0..255 (NaN counts as 0); drawing with
//        antialiasing scales w by the pixel's coverage: w = [w * coverage255].
//   a  = [src.a * w] with source alpha, else w. When a is 0 the pixel is unchanged.
//   k  = [dst.a * (255 - a)], what shows of dst through the source.
//   Copy, no source alpha: every channel, alpha included: [src.x * a + dst.x * (255 - a)]
//        (so at full opacity the source word is copied as it is).
//   Copy, source alpha: out.a = a + k; out.c = (src.c * a + dst.c * k + out.a / 2) / out.a
//        (over an opaque dst: out.a = 255, out.c = [src.c * a + dst.c * (255 - a)]).
//   Add  : out.c = min(255, dst.c + [src.c * a]); out.a = a + k.
//   Dodge: d = 0 when dst.c = 0, else 255 when src.c = 255, else
//        min(255, (dst.c * 255 + (255 - src.c) / 2) / (255 - src.c));
//        out.c = [d * a + dst.c * (255 - a)]; out.a = a + k.

#include <cstdint>

enum class RasterMode : uint8_t { Copy, Add, Dodge };

struct RasterBlend {
  RasterMode mode = RasterMode::Copy;
  bool sourceAlpha = true;
  float opacity = 1.0f;  // 0..1
};

// One destination pixel combined with one source pixel (ARGB words).
uint32_t RasterCombine(uint32_t dst, uint32_t src, const RasterBlend& blend) noexcept;
