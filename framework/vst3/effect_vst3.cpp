#include "effect_vst3.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "effect_parameter.h"
#include "effect_vst3_view.h"
#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "speaker_arrangements.h"
#include "utf16_text.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace spw_vst3 {

namespace {

IEffectConfig WithVst3Api(IEffectConfig config) {
  config.apiCode = EApiCode::Vst3;
  return config;
}

constexpr int kMaxBusChannelsPerLabel = 2;  // an instrument announces one stereo bus per output pair
constexpr int kMaxSidechainChannels = 2;

IPtr<Bus> ReplacementBus(const TChar* name, BusType type, int32 flags, int channels) {
  auto* bus = new AudioBus(name, type, flags, ArrangementForChannels(channels));
  bus->setActive((flags & BusInfo::kDefaultActive) != 0);
  return owned(static_cast<Bus*>(bus));
}

}  // namespace

IEffectVST3::IEffectVST3(const IEffectConfig& config, int sidechainChannels)
    : IEffectBase(WithVst3Api(config)),
      sidechainChannels_(sidechainChannels),
      editDepth_(new std::atomic<int>[static_cast<size_t>(ParameterCount())]()),
      unechoed_(ParameterCount()) {
  SetInputConnections(0, InputChannelCount(), true);
  SetOutputConnections(0, OutputChannelCount(), true);
  InputBusLabels().push_back("Main Input");
  if (sidechainChannels_ > 0) InputBusLabels().push_back("Aux Input");
  if (IsInstrument()) {
    char label[32];
    for (int pair = 0; pair * kMaxBusChannelsPerLabel < OutputChannelCount(); ++pair) {
      std::snprintf(label, sizeof label, "Output %i", pair + 1);
      OutputBusLabels().push_back(label);
    }
  } else {
    OutputBusLabels().push_back("Output");
  }
}

IEffectVST3::~IEffectVST3() = default;

tresult PLUGIN_API IEffectVST3::queryInterface(const TUID interfaceId, void** obj) {
  QUERY_INTERFACE(interfaceId, obj, IUnitInfo::iid, IUnitInfo)
  return SingleComponentEffect::queryInterface(interfaceId, obj);
}

// ---------------------------------------------------------------- initialisation

tresult PLUGIN_API IEffectVST3::initialize(FUnknown* context) {
  const tresult result = SingleComponentEffect::initialize(context);
  if (context) {
    FUnknownPtr<IHostApplication> host(context);
    String128 wide = {};
    if (host && host->getName(wide) == kResultOk) {
      char name[128];  // at most 127 characters, whatever the host wrote
      NarrowText(wide, name, sizeof name);
      IdentifyHost(name, 0);
    }
  }
  if (result == kResultOk) {
    CreateBuses();
    RegisterParameters();
  }
  HostIdentified();
  return result;
}

void IEffectVST3::CreateBuses() {
  String128 name;
  const int mainInputs = InputChannelCount() - sidechainChannels_;
  if (mainInputs >= 1 && mainInputs <= 6) {
    WidenText(InputBusLabels()[0].c_str(), name, 128);
    addAudioInput(name, ArrangementForChannels(mainInputs), kMain, BusInfo::kDefaultActive);
  }
  if (IsInstrument()) {
    for (int pair = 0; pair * kMaxBusChannelsPerLabel < OutputChannelCount(); ++pair) {
      WidenText(OutputBusLabels()[static_cast<size_t>(pair)].c_str(), name, 128);
      addAudioOutput(name, SpeakerArr::kStereo, kMain, BusInfo::kDefaultActive);
    }
  } else {
    WidenText(OutputBusLabels()[0].c_str(), name, 128);
    addAudioOutput(name, ArrangementForChannels(OutputChannelCount()), kMain, BusInfo::kDefaultActive);
  }
  if (sidechainChannels_ > 0 && sidechainChannels_ <= kMaxSidechainChannels) {
    WidenText(InputBusLabels()[1].c_str(), name, 128);
    addAudioInput(name, ArrangementForChannels(sidechainChannels_), kAux, 0);
  }
  if (DoesMidi()) addEventInput(STR16("MIDI Input"), 1, kMain, BusInfo::kDefaultActive);
}

void IEffectVST3::RegisterParameters() {
  if (PresetCount() > 0) {
    auto* presets = new StringListParameter(STR16("Presets"), kProgramChangeId, nullptr,
                                            ParameterInfo::kIsList | ParameterInfo::kIsProgramChange,
                                            kRootUnitId);
    String128 empty = {};
    for (int i = 0; i < PresetCount(); ++i) presets->appendString(empty);
    parameters.addParameter(presets);
  }
  std::vector<const char*>& groups = ParameterGroups();
  groups.clear();
  for (int i = 0; i < ParameterCount(); ++i) {
    const IParameter& param = *ParamAt(i);
    UnitID unit = kRootUnitId;
    if (param.GroupName()[0] != '\0') {
      auto found = std::find_if(groups.begin(), groups.end(),
                                [&](const char* g) { return std::strcmp(g, param.GroupName()) == 0; });
      if (found == groups.end()) found = groups.insert(groups.end(), param.GroupName());
      unit = static_cast<UnitID>(found - groups.begin()) + 1;
    }
    parameters.addParameter(new IEffectParameter(param, static_cast<ParamID>(i), unit));
    ParameterChanged(i);
  }
}

int IEffectVST3::PresetIndexFor(ParamValue normalized) const noexcept {
  if (std::isnan(normalized)) return -1;
  return static_cast<int>((PresetCount() - 1) * LimitNormalized(normalized) + 0.5);
}

// ---------------------------------------------------------------- component

tresult PLUGIN_API IEffectVST3::setActive(TBool state) {
  ActiveStateChanged(state != 0);
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                   SpeakerArrangement* outputs, int32 numOuts) {
  if (numIns < 0 || numOuts < 0 || (numIns > 0 && !inputs) || (numOuts > 0 && !outputs)) {
    return kInvalidArgument;
  }
  SetInputConnections(0, InputChannelCount(), false);
  SetOutputConnections(0, OutputChannelCount(), false);
  const int inChannels = numIns > 0 ? SpeakerArr::getChannelCount(inputs[0]) : 0;
  const int outChannels = numOuts > 0 ? SpeakerArr::getChannelCount(outputs[0]) : 0;
  const auto& pairs = ChannelIoPairs();
  const bool supported = std::any_of(pairs.begin(), pairs.end(), [&](const std::pair<int, int>& io) {
    return io.first == inChannels && io.second == outChannels;
  });
  if (!supported) return kResultFalse;

  AudioBus* in0 = audioBusAt(audioInputs_, 0);
  if (in0 && SpeakerArr::getChannelCount(in0->getArrangement()) != inChannels) {
    audioInputs_[0] = ReplacementBus(STR16("Input"), kMain, BusInfo::kDefaultActive, inChannels);
  }
  AudioBus* out0 = audioBusAt(audioOutputs_, 0);
  if (out0 && SpeakerArr::getChannelCount(out0->getArrangement()) != outChannels) {
    audioOutputs_[0] = ReplacementBus(STR16("Output"), kMain, BusInfo::kDefaultActive, outChannels);
  }

  if (sidechainChannels_ <= 0) {
    // One input arrangement per input bus, or a single empty one: hosts describe a
    // plug-in without audio inputs either way.
    const int inputBuses = static_cast<int>(audioInputs_.size());
    return numIns == 1 || numIns == inputBuses ? kResultTrue : kResultFalse;
  }
  if (numIns != 2) return kResultFalse;
  const int sideChannels = SpeakerArr::getChannelCount(inputs[1]);
  AudioBus* aux = audioBusAt(audioInputs_, 1);
  if (aux && SpeakerArr::getChannelCount(aux->getArrangement()) != sideChannels) {
    audioInputs_[1] = ReplacementBus(STR16("Sidechain Input"), kAux, 0, sideChannels);
  }
  return kResultTrue;
}

tresult PLUGIN_API IEffectVST3::canProcessSampleSize(int32 symbolicSampleSize) {
  return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64 ? kResultTrue : kResultFalse;
}

uint32 PLUGIN_API IEffectVST3::getLatencySamples() {
  return static_cast<uint32>(Latency() > 0 ? Latency() : 0);
}

tresult PLUGIN_API IEffectVST3::setupProcessing(ProcessSetup& setup) {
  if (setup.symbolicSampleSize != kSample32 && setup.symbolicSampleSize != kSample64) return kResultFalse;
  if (setup.maxSamplesPerBlock <= 0 || !(setup.sampleRate > 0.0)) return kInvalidArgument;
  {
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    SetBypassed(false);
    SetSampleRate(setup.sampleRate);
    try {
      ApplyBlockSize(setup.maxSamplesPerBlock);
    } catch (const std::bad_alloc&) {
      return kOutOfMemory;
    }
  }
  Reset();
  processSetup_ = setup;
  return kResultOk;
}

// ---------------------------------------------------------------- host virtuals

void IEffectVST3::BeginHostEdit(int paramIdx) {
  const bool known = paramIdx >= 0 && paramIdx < ParameterCount();
  if (known && editDepth_[static_cast<size_t>(paramIdx)].fetch_add(1, std::memory_order_relaxed) > 0) return;
  if (componentHandler) componentHandler->beginEdit(static_cast<ParamID>(paramIdx));
}

void IEffectVST3::SendHostEdit(int paramIdx, double normalized) {
  {
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    unechoed_.Written(paramIdx, normalized, samplesProcessed_.load(std::memory_order_relaxed));
  }
  if (componentHandler) componentHandler->performEdit(static_cast<ParamID>(paramIdx), normalized);
}

void IEffectVST3::EndHostEdit(int paramIdx) {
  if (paramIdx >= 0 && paramIdx < ParameterCount()) {
    std::atomic<int>& depth = editDepth_[static_cast<size_t>(paramIdx)];
    int open = depth.load(std::memory_order_relaxed);
    while (open > 0 && !depth.compare_exchange_weak(open, open - 1, std::memory_order_relaxed)) {
    }
    if (open != 1) return;  // none open, or an outer edit still is
  }
  if (componentHandler) componentHandler->endEdit(static_cast<ParamID>(paramIdx));
}

int64_t IEffectVST3::HostSamplePosition() { return context_.projectTimeSamples + pieceOffset_; }

double IEffectVST3::HostTempo() { return context_.tempo; }

void IEffectVST3::HostTimeSignature(int* numerator, int* denominator) {
  if (numerator) *numerator = context_.timeSigNumerator;
  if (denominator) *denominator = context_.timeSigDenominator;
}

int IEffectVST3::GetTransportState() {
  if (context_.state & ProcessContext::kPlaying) return 1;
  if (context_.state & ProcessContext::kRecording) return 2;
  return 0;
}

bool IEffectVST3::IsOffline() { return processSetup_.processMode == kOffline; }

void IEffectVST3::HostTimeInfo(ITransportInfo* info) {
  if (!info) return;
  info->tempo = context_.tempo;
  info->samplePosition = static_cast<double>(HostSamplePosition());
  info->ppqPosition = context_.projectTimeMusic;
  info->lastBar = context_.barPositionMusic;
  info->cycleStart = context_.cycleStartMusic;
  info->cycleEnd = context_.cycleEndMusic;
  info->numerator = context_.timeSigNumerator;
  info->denominator = context_.timeSigDenominator;
  info->transportIsRunning = (context_.state & ProcessContext::kPlaying) != 0;
  info->transportLoopEnabled = (context_.state & ProcessContext::kCycleActive) != 0;
}

void IEffectVST3::ResizeEditor(int width, int height) {
  if (!Editor() || views_.empty()) return;
  views_[0]->RequestResize(width, height);
}

void IEffectVST3::ReportLatency(int samples) {
  IEffectBase::ReportLatency(samples);
  if (componentHandler) componentHandler->restartComponent(kLatencyChanged);
}

// ---------------------------------------------------------------- views

void IEffectVST3::AddView(IEffectVST3View* view) { views_.push_back(view); }

void IEffectVST3::RemoveView(IEffectVST3View* view) {
  views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

}  // namespace spw_vst3
