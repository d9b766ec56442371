// The mixers on four lanes. Built for AVX2 (without fused multiply-add): only
// called where the processor reports AVX2.
#include "lanes_avx2.h"
#include "mixing_loops.h"

const SlotMixers kAvx2Mixers = mixing::MakeSlotMixers<Lanes4>();
