#pragma once
// The combine arithmetic of raster_blend.h as inline pixel functions. A drawing
// operation picks its mixer once (RasterWithMixer) and runs its loops with it,
// so the inner loops make no indirect calls and the compiler sees every step.

#include <algorithm>
#include <cstdint>

#include "raster_blend.h"

namespace raster {

constexpr uint32_t kMax = 255;

// x / 255 rounded: (x + 127) / 255.
inline uint32_t Div255(uint32_t x) { return (x + 127) / 255; }

inline uint32_t Channel(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

inline uint32_t Pack(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return a << 24 | r << 16 | g << 8 | b;
}

// Opacity 0..1 as a weight 0..255; NaN gives 0.
inline uint32_t OpacityWeight(float opacity) {
  if (!(opacity > 0.0f)) return 0;
  if (opacity >= 1.0f) return kMax;
  return static_cast<uint32_t>(opacity * 255.0f + 0.5f);
}

// Coverage 0..1 as 0..255; NaN gives 0.
inline uint32_t Coverage255(double coverage) {
  if (!(coverage > 0.0)) return 0;
  return coverage >= 1.0 ? kMax : static_cast<uint32_t>(coverage * 255.0 + 0.5);
}

// What shows of dst's alpha through a source of alpha a.
inline uint32_t BehindAlpha(uint32_t dst, uint32_t a) { return Div255(Channel(dst, 24) * (kMax - a)); }

inline uint32_t LerpChannel(uint32_t d, uint32_t s, uint32_t a) { return Div255(s * a + d * (kMax - a)); }

// Copy without source alpha: every channel, alpha included, moves toward src.
struct LerpOp {
  static uint32_t Apply(uint32_t d, uint32_t s, uint32_t a) {
    return Pack(LerpChannel(Channel(d, 24), Channel(s, 24), a), LerpChannel(Channel(d, 16), Channel(s, 16), a),
                LerpChannel(Channel(d, 8), Channel(s, 8), a), LerpChannel(Channel(d, 0), Channel(s, 0), a));
  }
};

// Straight-alpha "over".
struct OverOp {
  static uint32_t Apply(uint32_t d, uint32_t s, uint32_t a) {
    if (Channel(d, 24) == kMax) {  // the common case: the same result without the division
      return Pack(kMax, LerpChannel(Channel(d, 16), Channel(s, 16), a), LerpChannel(Channel(d, 8), Channel(s, 8), a),
                  LerpChannel(Channel(d, 0), Channel(s, 0), a));
    }
    const uint32_t k = BehindAlpha(d, a);
    const uint32_t outA = a + k;
    auto c = [&](int shift) { return (Channel(s, shift) * a + Channel(d, shift) * k + outA / 2) / outA; };
    return Pack(outA, c(16), c(8), c(0));
  }
};

struct AddOp {
  static uint32_t Apply(uint32_t d, uint32_t s, uint32_t a) {
    auto c = [&](int shift) { return std::min(kMax, Channel(d, shift) + Div255(Channel(s, shift) * a)); };
    return Pack(a + BehindAlpha(d, a), c(16), c(8), c(0));
  }
};

struct DodgeOp {
  static uint32_t Dodge(uint32_t d, uint32_t s) {
    if (d == 0) return 0;
    if (s == kMax) return kMax;
    return std::min(kMax, (d * kMax + (kMax - s) / 2) / (kMax - s));
  }
  static uint32_t Apply(uint32_t d, uint32_t s, uint32_t a) {
    auto c = [&](int shift) {
      const uint32_t dc = Channel(d, shift);
      return LerpChannel(dc, Dodge(dc, Channel(s, shift)), a);
    };
    return Pack(a + BehindAlpha(d, a), c(16), c(8), c(0));
  }
};

// One combine mode: dst and src words and a weight 0..255 (opacity times coverage).
template <class Op, bool kSourceAlpha>
struct Mixer {
  uint32_t operator()(uint32_t dst, uint32_t src, uint32_t weight) const {
    const uint32_t a = kSourceAlpha ? Div255(Channel(src, 24) * weight) : weight;
    return a == 0 ? dst : Op::Apply(dst, src, a);
  }
};

// Calls fn with the mixer of blend's mode (an object with the call operator above).
template <class Fn>
void RasterWithMixer(const RasterBlend& blend, Fn&& fn) {
  const bool alpha = blend.sourceAlpha;
  switch (blend.mode) {
    case RasterMode::Add:
      if (alpha) fn(Mixer<AddOp, true>{}); else fn(Mixer<AddOp, false>{});
      return;
    case RasterMode::Dodge:
      if (alpha) fn(Mixer<DodgeOp, true>{}); else fn(Mixer<DodgeOp, false>{});
      return;
    case RasterMode::Copy:
    default:
      if (alpha) fn(Mixer<OverOp, true>{}); else fn(Mixer<LerpOp, false>{});
      return;
  }
}

}  // namespace raster
