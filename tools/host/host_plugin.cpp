// Driving one plug-in instance: initialisation, processing set-up, blocks with
// parameter changes, events and a running transport, state and controller queries.

#include <cstring>

#include "host_objects.h"
#include "host_text.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/ivstunits.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include "public.sdk/source/common/memorystream.h"
#include "transport_context.h"
#include "vst3_host.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace spwhost {

namespace {

constexpr int kStereo = 2;

}  // namespace

struct Plugin::Impl {
  HostApplication host{"spw host"};
  ParameterChanges changes;
  ParameterChanges outputChanges;
  EventList events;
  ProcessContext context = {};
};

Plugin::Plugin() : impl_(std::make_unique<Impl>()) {}

Plugin::~Plugin() {
  if (active_) component_->setActive(false);
  if (initialized_) {
    if (separateController_) controller_->terminate();
    component_->terminate();
  }
  if (controller_) controller_->release();
  if (processor_) processor_->release();
  if (component_) component_->release();
}

FUnknown* Plugin::HostContext() const { return &impl_->host; }

std::unique_ptr<Plugin> Plugin::FromComponent(FUnknown* instance, std::string* error) {
  std::unique_ptr<Plugin> plugin(new Plugin());
  void* part = nullptr;
  if (instance->queryInterface(IComponent::iid, &part) != kResultOk || !part) {
    if (error) *error = "the instance is no component";
    return nullptr;
  }
  plugin->component_ = static_cast<IComponent*>(part);
  part = nullptr;
  if (instance->queryInterface(IAudioProcessor::iid, &part) != kResultOk || !part) {
    if (error) *error = "the component is no audio processor";
    return nullptr;
  }
  plugin->processor_ = static_cast<IAudioProcessor*>(part);
  part = nullptr;
  if (instance->queryInterface(IEditController::iid, &part) == kResultOk && part) {
    plugin->controller_ = static_cast<IEditController*>(part);
  }
  return plugin;
}

std::unique_ptr<Plugin> Plugin::Adopt(FUnknown* instance, std::string* error) {
  std::unique_ptr<Plugin> plugin = FromComponent(instance, error);
  if (plugin && !plugin->controller_) {
    if (error) *error = "the instance is no edit controller";
    return nullptr;
  }
  return plugin;
}

bool Plugin::Initialize(std::string* error, const std::string& hostName) {
  impl_->host.SetName(hostName);
  const tresult result = component_->initialize(&impl_->host);
  if (result != kResultOk) {
    if (error) *error = "initialize failed with result " + std::to_string(result);
    return false;
  }
  initialized_ = true;
  if (separateController_ && controller_->initialize(&impl_->host) != kResultOk) {
    if (error) *error = "the edit controller's initialize failed";
    return false;
  }
  // Switch on the buses the plug-in asks to be active by default, as hosts do.
  for (MediaType type : {kAudio, kEvent}) {
    for (BusDirection dir : {kInput, kOutput}) {
      for (int32 i = 0; i < component_->getBusCount(type, dir); ++i) {
        BusInfo info = {};
        if (component_->getBusInfo(type, dir, i, info) == kResultOk && (info.flags & BusInfo::kDefaultActive)) {
          component_->activateBus(type, dir, i, true);
        }
      }
    }
  }
  return true;
}

bool Plugin::SetStereoOutput() {
  SpeakerArrangement out = SpeakerArr::kStereo;
  return processor_->setBusArrangements(nullptr, 0, &out, 1) == kResultTrue;
}

bool Plugin::SetupProcessing(double sampleRate, int maxBlockSize, SampleSize size, bool offline) {
  ProcessSetup setup = {offline ? kOffline : kRealtime, static_cast<int32>(size), maxBlockSize, sampleRate};
  sampleRate_ = sampleRate;
  offline_ = offline;
  return processor_->setupProcessing(setup) == kResultOk;
}

bool Plugin::SetActive(bool active) {
  const bool ok = component_->setActive(active) == kResultOk;
  if (ok) active_ = active;
  return ok;
}

bool Plugin::CanProcessSampleSize(SampleSize size) {
  return processor_->canProcessSampleSize(static_cast<int32>(size)) == kResultTrue;
}

void Plugin::SetTransport(bool playing, double tempoBpm) {
  playing_ = playing;
  tempo_ = tempoBpm;
}

void Plugin::SetProjectTimeSamples(int64_t samples) { projectTime_ = samples; }

void Plugin::QueueParameterChange(uint32_t id, double normalized, int32_t sampleOffset) {
  int32 index = 0;
  int32 pointIndex = 0;
  ParamID paramId = id;
  impl_->changes.addParameterData(paramId, index)->addPoint(sampleOffset, normalized, pointIndex);
}

void Plugin::QueueNote(bool on, int16_t channel, int16_t pitch, float velocity, int32_t sampleOffset) {
  Event event = {};
  event.sampleOffset = sampleOffset;
  if (on) {
    event.type = Event::kNoteOnEvent;
    event.noteOn = {channel, pitch, 0.0f, velocity, 0, -1};
  } else {
    event.type = Event::kNoteOffEvent;
    event.noteOff = {channel, pitch, velocity, -1, 0.0f};
  }
  impl_->events.addEvent(event);
}

namespace {

void CollectOutputChanges(ParameterChanges& changes, std::vector<ParameterPoint>* points) {
  points->clear();
  for (int32 q = 0; q < changes.getParameterCount(); ++q) {
    IParamValueQueue* queue = changes.getParameterData(q);
    for (int32 i = 0; i < queue->getPointCount(); ++i) {
      ParameterPoint point;
      point.id = queue->getParameterId();
      if (queue->getPoint(i, point.sampleOffset, point.normalized) == kResultOk) points->push_back(point);
    }
  }
  changes.Clear();
}

}  // namespace

template <typename Sample>
bool Plugin::Process(Sample* const* outputs, int nFrames, SampleSize size) {
  ProcessContext& context = impl_->context;
  FillTransport(context, sampleRate_, tempo_, projectTime_, playing_);

  AudioBusBuffers bus = {};
  bus.numChannels = kStereo;
  if constexpr (sizeof(Sample) == sizeof(Sample32)) {
    bus.channelBuffers32 = const_cast<Sample32**>(outputs);
  } else {
    bus.channelBuffers64 = const_cast<Sample64**>(outputs);
  }

  ProcessData data;
  data.processMode = offline_ ? kOffline : kRealtime;
  data.symbolicSampleSize = static_cast<int32>(size);
  data.numSamples = nFrames;
  data.numInputs = 0;
  data.numOutputs = outputs ? 1 : 0;
  data.inputs = nullptr;
  data.outputs = outputs ? &bus : nullptr;
  data.inputParameterChanges = &impl_->changes;
  data.outputParameterChanges = &impl_->outputChanges;
  data.inputEvents = &impl_->events;
  data.outputEvents = nullptr;
  data.processContext = &context;

  lastResult_ = processor_->process(data);
  CollectOutputChanges(impl_->outputChanges, &lastOutputChanges_);
  impl_->changes.Clear();
  impl_->events.Clear();
  if (playing_) projectTime_ += nFrames;
  return lastResult_ == kResultOk;
}

bool Plugin::ProcessFloat(float* const* outputs, int nFrames) {
  return Process<float>(outputs, nFrames, SampleSize::k32);
}

bool Plugin::ProcessDouble(double* const* outputs, int nFrames) {
  return Process<double>(outputs, nFrames, SampleSize::k64);
}

namespace {

// A state written by getState-like calls into bytes.
template <typename Write>
tresult WriteState(Write write, std::vector<uint8_t>* bytes) {
  MemoryStream stream;
  const tresult result = write(&stream);
  if (bytes) {
    const auto* data = reinterpret_cast<const uint8_t*>(stream.getData());
    bytes->assign(data, data + stream.getSize());
  }
  return result;
}

// bytes handed to setState-like calls, from a copy the call may not outlive.
template <typename Read>
tresult ReadState(Read read, const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> copy(bytes);
  MemoryStream stream(copy.data(), static_cast<TSize>(copy.size()));
  return read(&stream);
}

}  // namespace

bool Plugin::GetState(std::vector<uint8_t>* bytes) {
  lastResult_ = WriteState([this](IBStream* s) { return component_->getState(s); }, bytes);
  return lastResult_ == kResultOk;
}

bool Plugin::SetState(const std::vector<uint8_t>& bytes) {
  lastResult_ = ReadState([this](IBStream* s) { return component_->setState(s); }, bytes);
  return lastResult_ == kResultOk;
}

bool Plugin::GetControllerState(std::vector<uint8_t>* bytes) {
  lastResult_ = WriteState([this](IBStream* s) { return controller_->getState(s); }, bytes);
  return lastResult_ == kResultOk;
}

bool Plugin::SetControllerState(const std::vector<uint8_t>& bytes) {
  lastResult_ = ReadState([this](IBStream* s) { return controller_->setState(s); }, bytes);
  return lastResult_ == kResultOk;
}

bool Plugin::SetComponentStateOnController(const std::vector<uint8_t>& bytes) {
  if (!separateController_) return true;
  lastResult_ = ReadState([this](IBStream* s) { return controller_->setComponentState(s); }, bytes);
  return lastResult_ == kResultOk;
}

// The tools read VST 3's flags through plugin_controls.h, which does without the SDK.
static_assert(parameter_flags::kIsReadOnly == Vst::ParameterInfo::kIsReadOnly &&
              parameter_flags::kIsHidden == Vst::ParameterInfo::kIsHidden &&
              parameter_flags::kIsProgramChange == Vst::ParameterInfo::kIsProgramChange);

int Plugin::ParameterCount() { return controller_->getParameterCount(); }

bool Plugin::GetParameterInfo(int index, ParameterInfo* info) {
  Vst::ParameterInfo raw = {};
  if (!info || controller_->getParameterInfo(index, raw) != kResultOk) return false;
  info->id = raw.id;
  info->title = Narrow(raw.title, 128);
  info->shortTitle = Narrow(raw.shortTitle, 128);
  info->units = Narrow(raw.units, 128);
  info->stepCount = raw.stepCount;
  info->defaultNormalized = raw.defaultNormalizedValue;
  info->unitId = raw.unitId;
  info->flags = raw.flags;
  return true;
}

int Plugin::FindParameter(const std::string& title) {
  ParameterInfo info;
  for (int i = 0; i < ParameterCount(); ++i) {
    if (GetParameterInfo(i, &info) && info.title == title) return i;
  }
  return -1;
}

std::string Plugin::ValueToString(uint32_t id, double normalized) {
  String128 text = {};
  if (controller_->getParamStringByValue(id, normalized, text) != kResultOk) return "";
  return Narrow(text, 128);
}

bool Plugin::StringToValue(uint32_t id, const std::string& text, double* normalized) {
  String128 wide = {};
  Widen(text, wide, 128);
  ParamValue value = 0.0;
  if (controller_->getParamValueByString(id, wide, value) != kResultOk) return false;
  if (normalized) *normalized = value;
  return true;
}

double Plugin::NormalizedToPlain(uint32_t id, double normalized) {
  return controller_->normalizedParamToPlain(id, normalized);
}

double Plugin::PlainToNormalized(uint32_t id, double plain) {
  return controller_->plainParamToNormalized(id, plain);
}

double Plugin::GetParamNormalized(uint32_t id) { return controller_->getParamNormalized(id); }

bool Plugin::SetParamNormalized(uint32_t id, double normalized) {
  return controller_->setParamNormalized(id, normalized) == kResultOk;
}

bool Plugin::ProgramList(int32_t* listId, std::string* name, std::vector<std::string>* programs) {
  FUnknownPtr<IUnitInfo> units(controller_);
  if (!units) return false;
  UnitInfo root = {};
  if (units->getUnitInfo(0, root) != kResultOk || root.programListId == kNoProgramListId) return false;
  for (int32 i = 0; i < units->getProgramListCount(); ++i) {
    ProgramListInfo info = {};
    if (units->getProgramListInfo(i, info) != kResultOk || info.id != root.programListId) continue;
    if (listId) *listId = info.id;
    if (name) *name = Narrow(info.name, 128);
    if (programs) {
      programs->clear();
      for (int32 p = 0; p < info.programCount; ++p) {
        String128 programName = {};
        units->getProgramName(info.id, p, programName);
        programs->push_back(Narrow(programName, 128));
      }
    }
    return true;
  }
  return false;
}

}  // namespace spwhost
