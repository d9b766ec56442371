#pragma once
// A small plug-in on the VST 3 binding that records what reaches it: parameter
// changes, MIDI messages and every rendered piece, and writes a running sample
// count into its outputs so tests can see which host samples each piece filled.

#include <string>
#include <vector>

#include "effect_vst3.h"

class ProbeEffect : public spw_vst3::IEffectVST3 {
 public:
  static constexpr int kParams = 3;   // 0 Double "Freq" Hz, 1 Enum "Shape", 2 Int "Level" %
  static constexpr int kPresets = 5;

  struct Piece {
    int nFrames;
    int64_t position;
  };

  ProbeEffect() : IEffectVST3(Config(), 0) {
    ParamAt(0)->DefineDouble("Freq", 440.0, 20.0, 20000.0, 0.01, "Hz");
    ParamAt(0)->SetResponseShape(2.0);
    ParamAt(1)->DefineEnumeration("Shape", 0, 3, "");
    ParamAt(1)->AddValueText(0, "Sine");
    ParamAt(1)->AddValueText(1, "Saw");
    ParamAt(1)->AddValueText(2, "Square");
    ParamAt(2)->DefineInteger("Level", 75, 0, 100, "%");
    AddPreset("low", {100.0, 1, 10});
    AddPreset("mid", {1000.0, 2, 50});
    AddPreset("high", {5000.0, 0, 90});
  }

  static IEffectConfig Config() {
    IEffectConfig config;
    config.parameterCount = kParams;
    config.channelIo = "0-2";
    config.presetCount = kPresets;
    config.effectName = "probe";
    config.manufacturerName = "Orvanti";
    config.doesMidi = true;
    config.isInstrument = true;
    return config;
  }

  void ParameterChanged(int paramIdx) override {
    changed.push_back(paramIdx);
    events.push_back("param " + std::to_string(paramIdx));
    if (changed.size() >= kParams) SetParamsReady();
  }

  void ProcessBlock(double**, double** outputs, int nFrames) noexcept override {
    pieces.push_back({nFrames, HostSamplePosition()});
    events.push_back("block");
    for (int i = 0; i < nFrames; ++i) {
      outputs[0][i] = static_cast<double>(rendered + i);
      outputs[1][i] = -static_cast<double>(rendered + i);
    }
    rendered += nFrames;
  }

  void HandleMidiMessage(const IMidiMessage& message) override { midi.push_back(message); }
  void EditorOpened() override { events.push_back("editor opened"); }
  void EditorClosed() override { events.push_back("editor closed"); }

  std::vector<int> changed;
  std::vector<std::string> events;
  std::vector<Piece> pieces;
  std::vector<IMidiMessage> midi;
  int rendered = 0;
};
