#include "stereo_pulse_weaver.h"

#include <cstring>

#include "factory_presets.h"
#include "parameter_table.h"

IEffectConfig CLS_STEREOPULSEWEAVER::Config() {
  IEffectConfig config;
  config.parameterCount = kParameterCount;
  config.channelIo = "0-2";
  config.presetCount = kPresetSlotCount;
  config.effectName = "stereoPulseWeaver";
  config.productName = "";
  config.manufacturerName = "Orvanti";
  config.version = 68096;  // v1.10
  config.uniqueCode = 0x53505756;
  config.manufacturerCode = 0x51464C4E;
  config.latency = 0;
  config.doesMidi = true;
  config.doesChunks = false;
  config.isInstrument = true;
  return config;
}

CLS_STEREOPULSEWEAVER::CLS_STEREOPULSEWEAVER(EditorBuilder buildEditor)
    : PluginBinding(Config()),
      slotWriter_(*this, lastAppliedValue),
      grid_(engine_, slotWriter_),
      effects_(engine_, grid_),
      watchdog_(engine_) {
  std::memset(lastAppliedValue, 0x9B, sizeof lastAppliedValue);  // matches no applied value
  engine_.passThrough = InputChannelCount() == 2 ? 1 : 0;
  DefineParameters(*this);
  if (buildEditor) editorBridge_ = buildEditor(*this);
  AddFactoryPresets(*this);
}

CLS_STEREOPULSEWEAVER::~CLS_STEREOPULSEWEAVER() = default;
