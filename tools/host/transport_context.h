#pragma once
// The transport a host hands the plug-in with each process call: a steady 4/4 at
// a tempo, and where the call starts, in samples and in quarter notes.

#include <cstdint>

#include "pluginterfaces/vst/ivstprocesscontext.h"

namespace spwhost {

inline void FillTransport(Steinberg::Vst::ProcessContext& context, double sampleRate, double tempoBpm,
                          int64_t projectSamples, bool playing) noexcept {
  using Steinberg::Vst::ProcessContext;
  constexpr double kSecondsPerMinute = 60.0;
  context = {};
  context.state = ProcessContext::kTempoValid | ProcessContext::kTimeSigValid |
                  ProcessContext::kProjectTimeMusicValid | (playing ? ProcessContext::kPlaying : 0);
  context.sampleRate = sampleRate;
  context.projectTimeSamples = projectSamples;
  context.tempo = tempoBpm;
  context.projectTimeMusic = static_cast<double>(projectSamples) / sampleRate * tempoBpm / kSecondsPerMinute;
  context.timeSigNumerator = 4;
  context.timeSigDenominator = 4;
}

}  // namespace spwhost
