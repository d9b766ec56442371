#pragma once
// The speaker arrangement the binding announces for a bus of a given channel count.

#include "pluginterfaces/vst/vstspeaker.h"

namespace spw_vst3 {

inline Steinberg::Vst::SpeakerArrangement ArrangementForChannels(int channels) noexcept {
  using namespace Steinberg::Vst::SpeakerArr;
  switch (channels) {
    case 1: return kMono;
    case 2: return kStereo;
    case 3: return k30Music;  // left, right, centre surround
    case 4: return kAmbi1stOrderACN;
    case 5: return k50;
    case 6: return k51;
    default: return kEmpty;
  }
}

}  // namespace spw_vst3
