#pragma once
// Eight doubles side by side with AVX-512 (foundation instructions only): four
// slots, both ears each. The same operations as Lanes2 (lanes.h), each lane
// computed with exactly the IEEE operation the scalar code uses.
//
// Only code compiled for AVX-512 may include this (mixing_avx512.cpp);
// the dispatcher calls that code only on processors that report AVX-512F.
// [any thread; pure]

#include <immintrin.h>

#include <cstdint>

#include "lanes.h"

struct Lanes8;
struct Mask8 {
  using Lanes = Lanes8;
  __mmask8 k;  // one bit per lane
};
struct Int8 {
  __m512d whole;  // eight int32 values, held as doubles
};
struct Lanes8 {
  using Mask = Mask8;
  static constexpr int kWidth = 8;
  static Lanes8 Fill(double x) noexcept { return {_mm512_set1_pd(x)}; }
  static Lanes8 Load(const double* p) noexcept { return {_mm512_loadu_pd(p)}; }
  __m512d v;
};

inline void Store(double* p, Lanes8 a) noexcept { _mm512_storeu_pd(p, a.v); }
// Four frames of four slots: slot k's pairs to row k. Two rounds of
// 128-bit shuffles transpose the 4 x 4 pairs.
inline void StoreRows(double* const* rows, int at, const Lanes8* frames) noexcept {
  const __m512d low01 = _mm512_shuffle_f64x2(frames[0].v, frames[1].v, _MM_SHUFFLE(1, 0, 1, 0));
  const __m512d high01 = _mm512_shuffle_f64x2(frames[0].v, frames[1].v, _MM_SHUFFLE(3, 2, 3, 2));
  const __m512d low23 = _mm512_shuffle_f64x2(frames[2].v, frames[3].v, _MM_SHUFFLE(1, 0, 1, 0));
  const __m512d high23 = _mm512_shuffle_f64x2(frames[2].v, frames[3].v, _MM_SHUFFLE(3, 2, 3, 2));
  _mm512_storeu_pd(rows[0] + at, _mm512_shuffle_f64x2(low01, low23, _MM_SHUFFLE(2, 0, 2, 0)));
  _mm512_storeu_pd(rows[1] + at, _mm512_shuffle_f64x2(low01, low23, _MM_SHUFFLE(3, 1, 3, 1)));
  _mm512_storeu_pd(rows[2] + at, _mm512_shuffle_f64x2(high01, high23, _MM_SHUFFLE(2, 0, 2, 0)));
  _mm512_storeu_pd(rows[3] + at, _mm512_shuffle_f64x2(high01, high23, _MM_SHUFFLE(3, 1, 3, 1)));
}

inline Lanes8 operator+(Lanes8 a, Lanes8 b) noexcept { return {_mm512_add_pd(a.v, b.v)}; }
inline Lanes8 operator-(Lanes8 a, Lanes8 b) noexcept { return {_mm512_sub_pd(a.v, b.v)}; }
inline Lanes8 operator*(Lanes8 a, Lanes8 b) noexcept { return {_mm512_mul_pd(a.v, b.v)}; }
inline Mask8 operator>(Lanes8 a, Lanes8 b) noexcept { return {_mm512_cmp_pd_mask(a.v, b.v, _CMP_GT_OQ)}; }
inline Mask8 operator>=(Lanes8 a, Lanes8 b) noexcept { return {_mm512_cmp_pd_mask(a.v, b.v, _CMP_GE_OQ)}; }
inline Mask8 operator<(Lanes8 a, Lanes8 b) noexcept { return {_mm512_cmp_pd_mask(a.v, b.v, _CMP_LT_OQ)}; }
inline Mask8 operator&(Mask8 a, Mask8 b) noexcept { return {static_cast<__mmask8>(a.k & b.k)}; }
inline bool Any(Mask8 m) noexcept { return m.k != 0; }
inline bool All(Mask8 m) noexcept { return m.k == 0xFF; }
// x - amount where the mask is set; elsewhere x untouched.
inline Lanes8 SubtractWhere(Mask8 m, Lanes8 x, Lanes8 amount) noexcept {
  return {_mm512_mask_sub_pd(x.v, m.k, x.v, amount.v)};
}
inline Lanes8 Select(Mask8 m, Lanes8 yes, Lanes8 no) noexcept { return {_mm512_mask_blend_pd(m.k, no.v, yes.v)}; }

// Nearest integer, halves away from zero, truncated to int32 (NearestInt):
// t plus 0.5 carrying t's sign (one bitwise select), truncated. Within the
// int32 range rounding toward zero in double gives the conversion's value,
// and is quicker; + 0 turns its -0 into the conversion's 0. Outside it (or
// for NaN) the conversion itself gives what the scalar code gets.
inline __m512d PlusHalfAwayFromZero(Lanes8 t) noexcept {
  constexpr int kSignOrHalf = 0xEA;  // (a & b) | c
  const __m512i half = _mm512_ternarylogic_epi64(_mm512_castpd_si512(t.v), _mm512_set1_epi64(INT64_MIN),
                                                 _mm512_castpd_si512(_mm512_set1_pd(0.5)), kSignOrHalf);
  return _mm512_add_pd(t.v, _mm512_castsi512_pd(half));
}
inline Int8 TruncatedInRange(__m512d r) noexcept {
  return {_mm512_add_pd(_mm512_roundscale_pd(r, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC), _mm512_setzero_pd())};
}
inline Int8 NearestInt(Lanes8 t) noexcept {
  const __m512d r = PlusHalfAwayFromZero(t);
  if (_mm512_cmp_pd_mask(_mm512_abs_pd(r), _mm512_set1_pd(kInt32Limit), _CMP_NLT_UQ) != 0) {
    return {_mm512_cvtepi32_pd(_mm512_cvttpd_epi32(r))};
  }
  return TruncatedInRange(r);
}
inline Lanes8 ToDouble(Int8 n) noexcept { return {n.whole}; }
// -p in the lanes where n is odd: adding 1.5 x 2^52 puts n's lowest bit at the
// bottom of the mantissa, from where it moves to the sign bit.
inline Lanes8 NegateIfOdd(Lanes8 p, Int8 n) noexcept {
  const __m512d shifted = _mm512_add_pd(n.whole, _mm512_set1_pd(kParityShift));
  const __m512i odd = _mm512_slli_epi64(_mm512_castpd_si512(shifted), 63);
  return {_mm512_castsi512_pd(_mm512_xor_si512(_mm512_castpd_si512(p.v), odd))};
}

// Within the range (BoundedLanes): no test.
inline Int8 NearestInt(BoundedLanes<Lanes8> t) noexcept { return TruncatedInRange(PlusHalfAwayFromZero(t)); }
