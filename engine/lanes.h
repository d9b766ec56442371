#pragma once
// Two doubles computed side by side (SSE2 on x86-64, SIMD128 in WebAssembly
// built with -msimd128, a plain pair elsewhere),
// with the few operations the wave shapes use. Each lane is computed with
// exactly the IEEE operation the scalar code uses, so a shape evaluated on
// lanes gives the same bits as on plain doubles. The same operations exist
// for one plain double, so one template serves both; the wider lane types
// (lanes_avx2.h, lanes_avx512.h) offer the same set.
//
// Every lane type V has V::Mask (its comparison result, with Mask::Lanes = V),
// V::kWidth (lanes), V::Fill(x) (x in every lane), V::Load(p) and Store(p, v)
// (kWidth doubles, any alignment). Lanes come in ear pairs: lanes 2k and 2k + 1
// are the left and right ear of slot k of the value. StoreRows takes the
// values of kWidth / 2 successive frames and writes each slot's pairs of those
// frames, in frame order, to its own row: a transpose of pairs.
// [any thread; pure]

#include <cstdint>

#include "rounding.h"

// For wider lanes that hold rounded int32 values as doubles.
constexpr double kInt32Limit = 2147483648.0;       // 2^31: beyond, conversion to int32 saturates
constexpr double kParityShift = 6755399441055744.0;  // 1.5 x 2^52: integer + this has the integer's parity in bit 0

// ---- The operations on one plain double ----
inline double Select(bool c, double yes, double no) noexcept { return c ? yes : no; }
inline int32_t NearestInt(double t) noexcept { return RoundHalfAwayFromZero(t); }  // halves away from zero
inline double ToDouble(int32_t n) noexcept { return static_cast<double>(n); }
inline double NegateIfOdd(double p, int32_t n) noexcept { return (n & 1) ? -p : p; }
// x - amount where the condition holds, x elsewhere.
inline double SubtractWhere(bool c, double x, double amount) noexcept { return c ? x - amount : x; }

// ---- The same operations on two lanes ----
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define SPW_LANES_SSE2 1
#elif defined(__wasm_simd128__)
#include <wasm_simd128.h>
#define SPW_LANES_WASM 1
#endif

#if SPW_LANES_SSE2

struct Lanes2;
struct Mask2 {
  using Lanes = Lanes2;
  __m128d v;  // all ones or all zeros per lane
};
struct Int2 {
  __m128i v;  // two int32 in the low half
};
struct Lanes2 {
  using Mask = Mask2;
  static constexpr int kWidth = 2;
  static Lanes2 Fill(double x) noexcept { return {_mm_set1_pd(x)}; }
  static Lanes2 Load(const double* p) noexcept { return {_mm_loadu_pd(p)}; }
  __m128d v;
};

inline void Store(double* p, Lanes2 a) noexcept { _mm_storeu_pd(p, a.v); }
inline Lanes2 MakeLanes(double low, double high) noexcept { return {_mm_set_pd(high, low)}; }
inline double Low(Lanes2 a) noexcept { return _mm_cvtsd_f64(a.v); }
inline double High(Lanes2 a) noexcept { return _mm_cvtsd_f64(_mm_unpackhi_pd(a.v, a.v)); }

inline Lanes2 operator+(Lanes2 a, Lanes2 b) noexcept { return {_mm_add_pd(a.v, b.v)}; }
inline Lanes2 operator-(Lanes2 a, Lanes2 b) noexcept { return {_mm_sub_pd(a.v, b.v)}; }
inline Lanes2 operator*(Lanes2 a, Lanes2 b) noexcept { return {_mm_mul_pd(a.v, b.v)}; }
inline Mask2 operator>(Lanes2 a, Lanes2 b) noexcept { return {_mm_cmpgt_pd(a.v, b.v)}; }
inline Mask2 operator>=(Lanes2 a, Lanes2 b) noexcept { return {_mm_cmpge_pd(a.v, b.v)}; }
inline Mask2 operator<(Lanes2 a, Lanes2 b) noexcept { return {_mm_cmplt_pd(a.v, b.v)}; }
inline Mask2 operator&(Mask2 a, Mask2 b) noexcept { return {_mm_and_pd(a.v, b.v)}; }
inline bool Any(Mask2 m) noexcept { return _mm_movemask_pd(m.v) != 0; }
inline bool All(Mask2 m) noexcept { return _mm_movemask_pd(m.v) == 3; }
// x - amount where the mask is set; elsewhere x - 0, which is x.
inline Lanes2 SubtractWhere(Mask2 m, Lanes2 x, Lanes2 amount) noexcept {
  return {_mm_sub_pd(x.v, _mm_and_pd(m.v, amount.v))};
}
inline Lanes2 Select(Mask2 m, Lanes2 yes, Lanes2 no) noexcept {
  return {_mm_or_pd(_mm_and_pd(m.v, yes.v), _mm_andnot_pd(m.v, no.v))};
}

// Nearest integer, halves away from zero, truncated to int32 like the scalar
// form: t plus 0.5 carrying t's sign (for t = -0 both forms give 0).
inline Int2 NearestInt(Lanes2 t) noexcept {
  const __m128d sign = _mm_and_pd(t.v, _mm_set1_pd(-0.0));
  return {_mm_cvttpd_epi32(_mm_add_pd(t.v, _mm_or_pd(sign, _mm_set1_pd(0.5))))};
}
inline Lanes2 ToDouble(Int2 n) noexcept { return {_mm_cvtepi32_pd(n.v)}; }
// -p in the lanes where n is odd: the sign bit flipped, as negation does.
inline Lanes2 NegateIfOdd(Lanes2 p, Int2 n) noexcept {
  const __m128i odd = _mm_and_si128(_mm_unpacklo_epi32(n.v, n.v), _mm_set1_epi32(1));
  return {_mm_xor_pd(p.v, _mm_castsi128_pd(_mm_slli_epi64(odd, 63)))};
}

#elif SPW_LANES_WASM

struct Lanes2;
struct Mask2 {
  using Lanes = Lanes2;
  v128_t v;  // all ones or all zeros per 64-bit lane
};
struct Int2 {
  v128_t v;  // two int32 in the low half
};
struct Lanes2 {
  using Mask = Mask2;
  static constexpr int kWidth = 2;
  static Lanes2 Fill(double x) noexcept { return {wasm_f64x2_splat(x)}; }
  static Lanes2 Load(const double* p) noexcept { return {wasm_v128_load(p)}; }
  v128_t v;
};

inline void Store(double* p, Lanes2 a) noexcept { wasm_v128_store(p, a.v); }
inline Lanes2 MakeLanes(double low, double high) noexcept { return {wasm_f64x2_make(low, high)}; }
inline double Low(Lanes2 a) noexcept { return wasm_f64x2_extract_lane(a.v, 0); }
inline double High(Lanes2 a) noexcept { return wasm_f64x2_extract_lane(a.v, 1); }

inline Lanes2 operator+(Lanes2 a, Lanes2 b) noexcept { return {wasm_f64x2_add(a.v, b.v)}; }
inline Lanes2 operator-(Lanes2 a, Lanes2 b) noexcept { return {wasm_f64x2_sub(a.v, b.v)}; }
inline Lanes2 operator*(Lanes2 a, Lanes2 b) noexcept { return {wasm_f64x2_mul(a.v, b.v)}; }
inline Mask2 operator>(Lanes2 a, Lanes2 b) noexcept { return {wasm_f64x2_gt(a.v, b.v)}; }
inline Mask2 operator>=(Lanes2 a, Lanes2 b) noexcept { return {wasm_f64x2_ge(a.v, b.v)}; }
inline Mask2 operator<(Lanes2 a, Lanes2 b) noexcept { return {wasm_f64x2_lt(a.v, b.v)}; }
inline Mask2 operator&(Mask2 a, Mask2 b) noexcept { return {wasm_v128_and(a.v, b.v)}; }
inline bool Any(Mask2 m) noexcept { return wasm_v128_any_true(m.v); }
inline bool All(Mask2 m) noexcept { return wasm_i64x2_all_true(m.v); }
// x - amount where the mask is set; elsewhere x - 0, which is x.
inline Lanes2 SubtractWhere(Mask2 m, Lanes2 x, Lanes2 amount) noexcept {
  return {wasm_f64x2_sub(x.v, wasm_v128_and(m.v, amount.v))};
}
inline Lanes2 Select(Mask2 m, Lanes2 yes, Lanes2 no) noexcept { return {wasm_v128_bitselect(yes.v, no.v, m.v)}; }

// Nearest integer, halves away from zero: t plus 0.5 carrying t's sign,
// truncated. The truncation saturates, where the scalar conversion (and SSE2)
// gives INT32_MIN for anything outside the int32 range and for NaN: those
// lanes get INT32_MIN here too.
inline Int2 NearestInt(Lanes2 t) noexcept {
  const v128_t sign = wasm_v128_and(t.v, wasm_f64x2_splat(-0.0));
  const v128_t u = wasm_f64x2_add(t.v, wasm_v128_or(sign, wasm_f64x2_splat(0.5)));
  const v128_t inRange = wasm_f64x2_lt(wasm_f64x2_abs(u), wasm_f64x2_splat(kInt32Limit));
  const v128_t inRange32 = wasm_i32x4_shuffle(inRange, inRange, 0, 2, 0, 2);
  return {wasm_v128_bitselect(wasm_i32x4_trunc_sat_f64x2_zero(u), wasm_i32x4_splat(INT32_MIN), inRange32)};
}
inline Lanes2 ToDouble(Int2 n) noexcept { return {wasm_f64x2_convert_low_i32x4(n.v)}; }
// -p in the lanes where n is odd: the sign bit flipped, as negation does.
inline Lanes2 NegateIfOdd(Lanes2 p, Int2 n) noexcept {
  const v128_t odd = wasm_v128_and(wasm_i64x2_extend_low_i32x4(n.v), wasm_i64x2_splat(1));
  return {wasm_v128_xor(p.v, wasm_i64x2_shl(odd, 63))};
}

#else

struct Lanes2;
struct Mask2 {
  using Lanes = Lanes2;
  bool low, high;
};
struct Int2 {
  int32_t low, high;
};
struct Lanes2 {
  using Mask = Mask2;
  static constexpr int kWidth = 2;
  static Lanes2 Fill(double x) noexcept { return {x, x}; }
  static Lanes2 Load(const double* p) noexcept { return {p[0], p[1]}; }
  double low, high;
};

inline void Store(double* p, Lanes2 a) noexcept {
  p[0] = a.low;
  p[1] = a.high;
}
inline Lanes2 MakeLanes(double low, double high) noexcept { return {low, high}; }
inline double Low(Lanes2 a) noexcept { return a.low; }
inline double High(Lanes2 a) noexcept { return a.high; }
inline Lanes2 operator+(Lanes2 a, Lanes2 b) noexcept { return {a.low + b.low, a.high + b.high}; }
inline Lanes2 operator-(Lanes2 a, Lanes2 b) noexcept { return {a.low - b.low, a.high - b.high}; }
inline Lanes2 operator*(Lanes2 a, Lanes2 b) noexcept { return {a.low * b.low, a.high * b.high}; }
inline Mask2 operator>(Lanes2 a, Lanes2 b) noexcept { return {a.low > b.low, a.high > b.high}; }
inline Mask2 operator>=(Lanes2 a, Lanes2 b) noexcept { return {a.low >= b.low, a.high >= b.high}; }
inline Mask2 operator<(Lanes2 a, Lanes2 b) noexcept { return {a.low < b.low, a.high < b.high}; }
inline Mask2 operator&(Mask2 a, Mask2 b) noexcept { return {a.low && b.low, a.high && b.high}; }
inline bool Any(Mask2 m) noexcept { return m.low || m.high; }
inline bool All(Mask2 m) noexcept { return m.low && m.high; }
inline Lanes2 SubtractWhere(Mask2 m, Lanes2 x, Lanes2 amount) noexcept {
  return {m.low ? x.low - amount.low : x.low, m.high ? x.high - amount.high : x.high};
}
inline Lanes2 Select(Mask2 m, Lanes2 yes, Lanes2 no) noexcept {
  return {m.low ? yes.low : no.low, m.high ? yes.high : no.high};
}
inline Int2 NearestInt(Lanes2 t) noexcept { return {RoundHalfAwayFromZero(t.low), RoundHalfAwayFromZero(t.high)}; }
inline Lanes2 ToDouble(Int2 n) noexcept { return {static_cast<double>(n.low), static_cast<double>(n.high)}; }
inline Lanes2 NegateIfOdd(Lanes2 p, Int2 n) noexcept {
  return {(n.low & 1) ? -p.low : p.low, (n.high & 1) ? -p.high : p.high};
}

#endif

inline Lanes2 Broadcast(double x) noexcept { return Lanes2::Fill(x); }
// One frame of one slot: row 0.
inline void StoreRows(double* const* rows, int at, const Lanes2* frames) noexcept { Store(rows[0] + at, frames[0]); }

// ---- Mixed lane and scalar arithmetic, for every lane type: the scalar is used in every lane ----
template <class V, class = typename V::Mask>
inline V operator+(V a, double b) noexcept { return a + V::Fill(b); }
template <class V, class = typename V::Mask>
inline V operator+(double a, V b) noexcept { return V::Fill(a) + b; }
template <class V, class = typename V::Mask>
inline V operator-(V a, double b) noexcept { return a - V::Fill(b); }
template <class V, class = typename V::Mask>
inline V operator-(double a, V b) noexcept { return V::Fill(a) - b; }
template <class V, class = typename V::Mask>
inline V operator*(V a, double b) noexcept { return a * V::Fill(b); }
template <class V, class = typename V::Mask>
inline V operator*(double a, V b) noexcept { return V::Fill(a) * b; }
template <class V, class M = typename V::Mask>
inline M operator>(V a, double b) noexcept { return a > V::Fill(b); }
template <class V, class M = typename V::Mask>
inline M operator>=(V a, double b) noexcept { return a >= V::Fill(b); }
template <class V, class M = typename V::Mask>
inline M operator<(V a, double b) noexcept { return a < V::Fill(b); }
template <class M, class V = typename M::Lanes>
inline V Select(M m, double yes, double no) noexcept { return Select(m, V::Fill(yes), V::Fill(no)); }
template <class V, class = typename V::Mask>
inline V SubtractWhere(typename V::Mask m, V x, double amount) noexcept {
  return SubtractWhere(m, x, V::Fill(amount));
}

// ---- For the wider lane types: lanes that round without a range test ----
// Lanes known to hold values whose nearest integers lie far inside the int32
// range (the mixer checks its phases and shape factors per chunk), so that
// NearestInt needs no range test; each wide lane type gives that NearestInt.
// Every other operation is V's: the conversions either way are implicit on purpose.
template <class V>
struct BoundedLanes : V {
  BoundedLanes() = default;
  BoundedLanes(V a) noexcept : V(a) {}
};
