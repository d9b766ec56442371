#pragma once
// A tone engine with its grid, as the plug-in wires them, for headless tests:
// the grid's parameter writes are recorded instead of reaching a host.

#include <cmath>
#include <vector>

#include "harmonic_grid.h"
#include "parameter_effects.h"
#include "tone_engine.h"
#include "wave_shapes.h"

struct RecordingWriter : SlotParameterWriter {
  struct Write {
    int slot;
    int cell;
  };
  void WriteSlotParameter(int slot, int cell) override { writes.push_back({slot, cell}); }
  std::vector<Write> writes;
};

struct EngineRig {
  ToneEngine engine;
  RecordingWriter writer;
  HarmonicGrid grid{engine, writer};
  ParameterEffects effects{engine, grid};

  // The plug-in's defaults applied, then what the first block does at rate: "Binaural" 4 Hz, "Base Freq" 400 Hz, "Reference" carriers, "Wave"
  // sine, "Center Right", linked, "Pink noise", "Fade" 1 s, "By Volume",
  // "Volume" 75 %, no slots.
  explicit EngineRig(double rate = 48000.0) {
    effects.ApplyBinaural(400);
    effects.ApplyBaseFreq(40000);
    effects.ApplyReference(0);
    effects.ApplyPlayAnyway(0);
    effects.ApplyWave(0);
    effects.ApplyPan(2);
    effects.ApplyLinkMode(1);
    effects.ApplyEqualizer(1);
    effects.ApplyFade(100);
    effects.ApplyStartStopFade(0);
    effects.ApplyVolume(75);
    effects.ApplyUnlinkRef(15);
    // What the first block's Reset does.
    engine.initialised.store(1);
    engine.AdoptSampleRate(rate);
    effects.ApplyBaseFreq(40000);
    effects.ApplyBinaural(400);
    effects.ApplyFade(100);
  }

  // Renders n frames into left/right with the transport running.
  void Render(int n, std::vector<double>& left, std::vector<double>& right, bool transportRunning = true) {
    left.assign(static_cast<size_t>(n), -7.0);
    right.assign(static_cast<size_t>(n), -7.0);
    double* outs[2] = {left.data(), right.data()};
    engine.RenderBlock(nullptr, outs, n, engine.BlockVolumeTarget(transportRunning));
  }

  // Frequency in Hz a voice is heading for (channel 0 left, 1 right).
  double TargetHz(int channel, int slot) const {
    return engine.bank.targetIncrement[channel * kToneSlots + slot] * engine.sampleRateSeen / kTwoPi;
  }
};
