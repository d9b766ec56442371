#include "single_component_effect.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace spw_vst3 {

SingleComponentEffect::SingleComponentEffect()
    : audioInputs_(kAudio, kInput),
      audioOutputs_(kAudio, kOutput),
      eventInputs_(kEvent, kInput),
      eventOutputs_(kEvent, kOutput),
      processSetup_{kRealtime, kSample32, 1024, 44100.0} {}

SingleComponentEffect::~SingleComponentEffect() = default;

tresult PLUGIN_API SingleComponentEffect::initialize(FUnknown* context) {
  return EditController::initialize(context);
}

tresult PLUGIN_API SingleComponentEffect::terminate() {
  removeAllBusses();
  return EditController::terminate();
}

tresult PLUGIN_API SingleComponentEffect::queryInterface(const TUID interfaceId, void** obj) {
  // The controller's interfaces (IEditController, IEditController2, IPluginBase,
  // IConnectionPoint, FUnknown) come from EditController.
  QUERY_INTERFACE(interfaceId, obj, IComponent::iid, IComponent)
  QUERY_INTERFACE(interfaceId, obj, IAudioProcessor::iid, IAudioProcessor)
  return EditController::queryInterface(interfaceId, obj);
}

// ---------------------------------------------------------------- buses

BusList* SingleComponentEffect::getBusList(MediaType type, BusDirection dir) {
  if (type == kAudio) return dir == kInput ? &audioInputs_ : &audioOutputs_;
  if (type == kEvent) return dir == kInput ? &eventInputs_ : &eventOutputs_;
  return nullptr;
}

namespace {
// A default-active bus starts active, so a host that never calls activateBus still
// gets the main output.
AudioBus* AddAudioBus(BusList& list, const TChar* name, SpeakerArrangement arr, BusType type, int32 flags) {
  auto* bus = new AudioBus(name, type, flags, arr);
  bus->setActive((flags & BusInfo::kDefaultActive) != 0);
  list.emplace_back(owned(bus));
  return bus;
}
}  // namespace

AudioBus* SingleComponentEffect::addAudioInput(const TChar* name, SpeakerArrangement arr,
                                               BusType type, int32 flags) {
  return AddAudioBus(audioInputs_, name, arr, type, flags);
}

AudioBus* SingleComponentEffect::addAudioOutput(const TChar* name, SpeakerArrangement arr,
                                                BusType type, int32 flags) {
  return AddAudioBus(audioOutputs_, name, arr, type, flags);
}

EventBus* SingleComponentEffect::addEventInput(const TChar* name, int32 channels, BusType type,
                                               int32 flags) {
  auto* bus = new EventBus(name, type, flags, channels);
  bus->setActive((flags & BusInfo::kDefaultActive) != 0);
  eventInputs_.emplace_back(owned(bus));
  return bus;
}

AudioBus* SingleComponentEffect::audioBusAt(BusList& list, int32 index) {
  if (index < 0 || index >= static_cast<int32>(list.size())) return nullptr;
  return FCast<AudioBus>(list.at(static_cast<size_t>(index)).get());
}

void SingleComponentEffect::removeAllBusses() {
  audioInputs_.clear();
  audioOutputs_.clear();
  eventInputs_.clear();
  eventOutputs_.clear();
}

// ---------------------------------------------------------------- IComponent

tresult PLUGIN_API SingleComponentEffect::getControllerClassId(TUID) { return kNotImplemented; }

tresult PLUGIN_API SingleComponentEffect::setIoMode(IoMode) { return kNotImplemented; }

int32 PLUGIN_API SingleComponentEffect::getBusCount(MediaType type, BusDirection dir) {
  BusList* list = getBusList(type, dir);
  return list ? static_cast<int32>(list->size()) : 0;
}

tresult PLUGIN_API SingleComponentEffect::getBusInfo(MediaType type, BusDirection dir, int32 index,
                                                     BusInfo& info) {
  BusList* list = getBusList(type, dir);
  if (!list || index < 0 || index >= static_cast<int32>(list->size())) return kInvalidArgument;
  info.mediaType = type;
  info.direction = dir;
  return list->at(static_cast<size_t>(index))->getInfo(info) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::getRoutingInfo(RoutingInfo&, RoutingInfo&) {
  return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::activateBus(MediaType type, BusDirection dir, int32 index,
                                                      TBool state) {
  BusList* list = getBusList(type, dir);
  if (!list || index < 0 || index >= static_cast<int32>(list->size())) return kInvalidArgument;
  list->at(static_cast<size_t>(index))->setActive(state);
  return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::setActive(TBool) { return kResultOk; }

// ---------------------------------------------------------------- IAudioProcessor

tresult PLUGIN_API SingleComponentEffect::setBusArrangements(SpeakerArrangement*, int32,
                                                             SpeakerArrangement*, int32) {
  return kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::getBusArrangement(BusDirection dir, int32 index,
                                                            SpeakerArrangement& arr) {
  AudioBus* bus = audioBusAt(dir == kInput ? audioInputs_ : audioOutputs_, index);
  if (!bus) return kInvalidArgument;
  arr = bus->getArrangement();
  return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::canProcessSampleSize(int32 symbolicSampleSize) {
  return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::setupProcessing(ProcessSetup& setup) {
  processSetup_ = setup;
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setProcessing(TBool) { return kNotImplemented; }

tresult PLUGIN_API SingleComponentEffect::process(ProcessData&) { return kResultOk; }

}  // namespace spw_vst3
