// The mixers on eight lanes. Built for AVX-512F (without fused multiply-add):
// only called where the processor reports AVX-512F.
#include "lanes_avx512.h"
#include "mixing_loops.h"

const SlotMixers kAvx512Mixers = mixing::MakeSlotMixers<Lanes8>();
