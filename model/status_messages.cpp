#include "status_messages.h"

#include <chrono>
#include <cstdio>

#include "parameter_ids.h"

namespace {
const char* PanMessage(int panMode) {
  switch (panMode) {
    case 4: return "Binaural off";
    case 3: return "Center & higher freq. to left";
    case 2: return "Center & higher freq. to right";
    case 1: return "Higher freq. to left";
    default: return "Higher freq. to right";
  }
}

const char* LinkMessage(int linkMode) {
  switch (linkMode) {
    case 2: return "Linked harmonics & follow up/down";
    case 1: return "Linked harmonics with fixed slot";
    default: return "Unlinked harmonics from reference";
  }
}

const char* EqualizerMessage(int equalizerMode) {
  switch (equalizerMode) {
    case 0: return "Harmonics equalizer: linear";
    case 1: return "Harmonics equalizer: pink noise";
    case 2: return "Harmonics equalizer: decrease by 4.5dB";
    default: return "Harmonics equalizer: brownian noise";
  }
}
}  // namespace

void ComposeParamStatus(int paramIdx, const ToneEngine& engine, const IEffectBase& base, char* out) noexcept {
  const size_t n = kStatusTextSize;
  switch (paramIdx) {
    case kBinaural:
      std::snprintf(out, n, "Binaural: %.2fHz", static_cast<double>(engine.binauralFrequency));
      break;
    case kBaseFreq:
      std::snprintf(out, n, "Base freq: %.2fHz", static_cast<double>(engine.baseFrequency));
      break;
    case kReference:
      std::snprintf(out, n, "%s", engine.slotsHoldBase ? "Freq of reference: binaural" : "Freq of reference: base");
      break;
    case kPlayAnyway:
      std::snprintf(out, n, "%s", engine.playAnyway ? "Play anyway was activated" : "Play anyway was deactivated");
      break;
    case kWave:
      std::snprintf(out, n, "Set wave: %s",
                    base.ParamAt(kWave)->ValueTextFor(static_cast<int>(engine.bank.waveId)));
      break;
    case kBinauralPan:
      std::snprintf(out, n, "%s", PanMessage(engine.panMode));
      break;
    case kLinkFreq:
      std::snprintf(out, n, "%s", LinkMessage(engine.linkMode));
      break;
    case kFreqEqualizer:
      std::snprintf(out, n, "%s", EqualizerMessage(engine.equalizerMode));
      break;
    case kFade:
      std::snprintf(out, n, "Fade when freq. change: %.2fs", base.ParamAt(kFade)->Value());
      break;
    case kStartStopFade:
      std::snprintf(out, n, "%s", engine.fadeByVolume ? "Start/stop fade: by volume" : "Start/end fade: by freq");
      break;
    case kVolume:
      std::snprintf(out, n, "Volume amount: %d%%", RoundHalfAway(base.ParamAt(kVolume)->Value()));
      break;
    default:
      out[0] = '\0';
      break;
  }
}

uint32_t StatusClockMs() noexcept {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}
