// The mixers on two lanes (SSE2): any x86-64 processor.
#include "mixing_loops.h"

const SlotMixers kPortableMixers = mixing::MakeSlotMixers<Lanes2>();
