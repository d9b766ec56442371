// The mixers on four lanes. Built for AVX2 (without fused multiply-add): only
// called where the processor reports AVX2.
#include "lanes_avx2.h"
#include "two_step_mixing.h"

constexpr SlotMixers kAvx2Mixers = two_step::MakeSlotMixers<Lanes4>();
