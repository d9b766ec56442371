#pragma once
// Four doubles side by side with AVX2: two slots, both ears each. The same
// operations as Lanes2 (lanes.h), each lane computed with exactly the IEEE
// operation the scalar code uses.
//
// Only code compiled for AVX2 may include this (mixing_avx2.cpp); the
// dispatcher calls that code only on processors that report AVX2.
// [any thread; pure]

#include <immintrin.h>

#include "lanes.h"

struct Lanes4;
struct Mask4 {
  using Lanes = Lanes4;
  __m256d v;  // all ones or all zeros per lane
};
struct Int4 {
  __m256d whole;  // four int32 values, held as doubles
};
struct Lanes4 {
  using Mask = Mask4;
  static constexpr int kWidth = 4;
  static Lanes4 Fill(double x) noexcept { return {_mm256_set1_pd(x)}; }
  static Lanes4 Load(const double* p) noexcept { return {_mm256_loadu_pd(p)}; }
  __m256d v;
};

inline void Store(double* p, Lanes4 a) noexcept { _mm256_storeu_pd(p, a.v); }
// Two frames of two slots: slot 0's pairs to row 0, slot 1's to row 1.
inline void StoreRows(double* const* rows, int at, const Lanes4* frames) noexcept {
  _mm256_storeu_pd(rows[0] + at, _mm256_permute2f128_pd(frames[0].v, frames[1].v, 0x20));
  _mm256_storeu_pd(rows[1] + at, _mm256_permute2f128_pd(frames[0].v, frames[1].v, 0x31));
}

inline Lanes4 operator+(Lanes4 a, Lanes4 b) noexcept { return {_mm256_add_pd(a.v, b.v)}; }
inline Lanes4 operator-(Lanes4 a, Lanes4 b) noexcept { return {_mm256_sub_pd(a.v, b.v)}; }
inline Lanes4 operator*(Lanes4 a, Lanes4 b) noexcept { return {_mm256_mul_pd(a.v, b.v)}; }
inline Mask4 operator>(Lanes4 a, Lanes4 b) noexcept { return {_mm256_cmp_pd(a.v, b.v, _CMP_GT_OQ)}; }
inline Mask4 operator>=(Lanes4 a, Lanes4 b) noexcept { return {_mm256_cmp_pd(a.v, b.v, _CMP_GE_OQ)}; }
inline Mask4 operator<(Lanes4 a, Lanes4 b) noexcept { return {_mm256_cmp_pd(a.v, b.v, _CMP_LT_OQ)}; }
inline Mask4 operator&(Mask4 a, Mask4 b) noexcept { return {_mm256_and_pd(a.v, b.v)}; }
inline bool Any(Mask4 m) noexcept { return _mm256_movemask_pd(m.v) != 0; }
inline bool All(Mask4 m) noexcept { return _mm256_movemask_pd(m.v) == 0xF; }
// x - amount where the mask is set; elsewhere x - 0, which is x.
inline Lanes4 SubtractWhere(Mask4 m, Lanes4 x, Lanes4 amount) noexcept {
  return {_mm256_sub_pd(x.v, _mm256_and_pd(m.v, amount.v))};
}
inline Lanes4 Select(Mask4 m, Lanes4 yes, Lanes4 no) noexcept { return {_mm256_blendv_pd(no.v, yes.v, m.v)}; }

// Nearest integer, halves away from zero, truncated to int32 (NearestInt):
// t plus 0.5 carrying t's sign, truncated. Within the int32 range rounding
// toward zero in double gives the conversion's value, and is quicker; + 0
// turns its -0 into the conversion's 0. Outside it (or for NaN) the
// conversion itself gives what the scalar code gets.
inline __m256d PlusHalfAwayFromZero(Lanes4 t) noexcept {
  const __m256d sign = _mm256_and_pd(t.v, _mm256_set1_pd(-0.0));
  return _mm256_add_pd(t.v, _mm256_or_pd(sign, _mm256_set1_pd(0.5)));
}
inline Int4 TruncatedInRange(__m256d r) noexcept {
  return {_mm256_add_pd(_mm256_round_pd(r, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC), _mm256_setzero_pd())};
}
inline Int4 NearestInt(Lanes4 t) noexcept {
  const __m256d r = PlusHalfAwayFromZero(t);
  const __m256d magnitude = _mm256_andnot_pd(_mm256_set1_pd(-0.0), r);
  if (_mm256_movemask_pd(_mm256_cmp_pd(magnitude, _mm256_set1_pd(kInt32Limit), _CMP_NLT_UQ)) != 0) {
    return {_mm256_cvtepi32_pd(_mm256_cvttpd_epi32(r))};
  }
  return TruncatedInRange(r);
}
inline Lanes4 ToDouble(Int4 n) noexcept { return {n.whole}; }
// -p in the lanes where n is odd: adding 1.5 x 2^52 puts n's lowest bit at the
// bottom of the mantissa, from where it moves to the sign bit.
inline Lanes4 NegateIfOdd(Lanes4 p, Int4 n) noexcept {
  const __m256d shifted = _mm256_add_pd(n.whole, _mm256_set1_pd(kParityShift));
  const __m256i odd = _mm256_slli_epi64(_mm256_castpd_si256(shifted), 63);
  return {_mm256_xor_pd(p.v, _mm256_castsi256_pd(odd))};
}

// Within the range (BoundedLanes): no test.
inline Int4 NearestInt(BoundedLanes<Lanes4> t) noexcept { return TruncatedInRange(PlusHalfAwayFromZero(t)); }
