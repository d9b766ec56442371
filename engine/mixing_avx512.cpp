// The mixers on eight lanes. Built for AVX-512F (without fused multiply-add):
// only called where the processor reports AVX-512F.
#include "lanes_avx512.h"
#include "two_step_mixing.h"

constexpr SlotMixers kAvx512Mixers = two_step::MakeSlotMixers<Lanes8>();
