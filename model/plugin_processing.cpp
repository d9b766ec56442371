// The plug-in's audio hooks: one block, Reset, switching the component on, and
// where the grid's passes run while an editor window is open or closed.
#include <mutex>

#include "stereo_pulse_weaver.h"

void CLS_STEREOPULSEWEAVER::ProcessBlock(double** inputs, double** outputs, int nFrames) noexcept {
  engine_.blockSeen.store(1, std::memory_order_relaxed);
  if (!engine_.initialised.load(std::memory_order_relaxed)) {
    // The first block derives every frequency from the real sample rate.
    engine_.initialised.store(1, std::memory_order_relaxed);
    Reset();
  }
  const double volumeTarget = engine_.BlockVolumeTarget(GetTransportState() != 0);
  ExpireStatusLine();
  // A re-alignment asked for during a glide waits for its end, at most 5 ms: a
  // glide can start only from one set of phases, not from a mix of two.
  if (engine_.resyncRequested.load(std::memory_order_relaxed) && !realignGlide_.Gliding()) {
    realignGlide_.Begin(engine_);
    engine_.RealignPhases(HostSamplePosition());
  }
  realignGlide_.Render(engine_, inputs, outputs, nFrames, volumeTarget);
}

void CLS_STEREOPULSEWEAVER::Reset() {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  if (!engine_.initialised.load(std::memory_order_relaxed)) {
    // No audio yet: the grid follows the host's set-up rate; the first block
    // still derives everything from the rate it plays at.
    if (ParamsReady()) engine_.SetLayoutRate(LayoutRateBeforeAudio());
    return;
  }
  const bool nothingSounded = !engine_.anyFrequencySet;
  if (engine_.AdoptSampleRate(SampleRate())) {
    // Increments and the fade length depend on the rate: apply these again.
    for (int paramIdx : {kBaseFreq, kBinaural, kFade}) {
      lastAppliedValue[paramIdx] = -1;
      ParameterChanged(paramIdx);
    }
    // Unlinked slots get their first frequencies from the grid.
    if (nothingSounded && engine_.linkMode == 0) grid_.Refresh(false);
  }
  engine_.resyncRequested.store(1, std::memory_order_relaxed);
}

double CLS_STEREOPULSEWEAVER::LayoutRateBeforeAudio() const {
  // The host gives the block size and the rate together, in setupProcessing.
  return BlockSize() > 0 ? SampleRate() : kDefaultLayoutRate;
}

void CLS_STEREOPULSEWEAVER::ActiveStateChanged(bool active) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  if (active) Reset();
}

void CLS_STEREOPULSEWEAVER::EditorOpened() {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  grid_.SetPassesDeferred(true);
}

void CLS_STEREOPULSEWEAVER::EditorClosed() {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  grid_.SetPassesDeferred(false);
}
