#include "slot_mixer.h"

#include "wave_shapes.h"

namespace {

const SlotMixers& MixersOf(MixPath path) noexcept {
#if defined(SPW_WIDE_LANES)
  if (path == MixPath::kAvx512) return kAvx512Mixers;
  if (path == MixPath::kAvx2) return kAvx2Mixers;
#endif
  return kPortableMixers;
}

}  // namespace

SlotMixer SlotMixerFor(MixPath path, WaveFunction wave) noexcept {
  const SlotMixers& mixers = MixersOf(path);
  for (int id = 0; id < kWaveShapes; ++id) {
    if (wave == kWaveChoices[id].function) return mixers.byShape[id];
  }
  return mixers.anyFunction;
}
