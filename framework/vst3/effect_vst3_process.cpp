// The audio path of the binding [audio thread]. Everything here runs under the
// instance lock, allocates nothing and reports only through the result.

#include <algorithm>
#include <cstring>

#include "effect_vst3.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace spw_vst3 {

namespace {

// The most channels of one bus the binding attaches in a block; wider buses keep
// their remaining channels unattached (none of our configurations has them).
constexpr int kMaxBusChannels = 32;
constexpr double kMidiVelocityScale = 127.0;
// How long a host may take to echo a value the plug-in wrote, in seconds of audio.
constexpr double kEchoWindowSeconds = 0.5;
constexpr double kRateBeforeSetup = 48000.0;  // Hz, for that window before the host gives one

template <typename Sample>
Sample** ChannelBuffers(AudioBusBuffers& bus) noexcept;
template <>
Sample32** ChannelBuffers<Sample32>(AudioBusBuffers& bus) noexcept { return bus.channelBuffers32; }
template <>
Sample64** ChannelBuffers<Sample64>(AudioBusBuffers& bus) noexcept { return bus.channelBuffers64; }

// Fills shifted with the bus's channel pointers advanced by offset samples; false
// when the host gave no buffer for a channel.
template <typename Sample>
bool ShiftedChannels(AudioBusBuffers& bus, int channels, int offset, Sample** shifted) noexcept {
  Sample** buffers = ChannelBuffers<Sample>(bus);
  if (!buffers) return false;
  for (int c = 0; c < channels; ++c) {
    if (!buffers[c]) return false;
    shifted[c] = buffers[c] + offset;
  }
  return true;
}

// 32-bit inputs are converted into the scratch buffers; 64-bit ones are used in place.
void AttachInputs(IEffectBase& base, int start, int count, Sample32** buffers, int nFrames) noexcept {
  base.AttachInputBuffers(start, count, buffers, nFrames);
}
void AttachInputs(IEffectBase& base, int start, int count, Sample64** buffers, int) noexcept {
  base.AttachInputBuffers(start, count, buffers);
}

template <typename Sample>
void SilenceOutputs(ProcessData& data) noexcept {
  if (!data.outputs || data.numSamples <= 0) return;
  for (int32 j = 0; j < data.numOutputs; ++j) {
    Sample** buffers = ChannelBuffers<Sample>(data.outputs[j]);
    if (!buffers) continue;
    for (int32 c = 0; c < data.outputs[j].numChannels; ++c) {
      if (buffers[c]) std::memset(buffers[c], 0, sizeof(Sample) * static_cast<size_t>(data.numSamples));
    }
  }
}

}  // namespace

// The plug-in's own edits made during a process call belong to that block.
class IEffectVST3::ProcessScope {
 public:
  ProcessScope(IEffectVST3& effect, IParameterChanges* outputChanges) noexcept : effect_(effect) {
    effect_.inProcess_ = true;
    effect_.outputChanges_ = outputChanges;
  }
  ~ProcessScope() {
    effect_.inProcess_ = false;
    effect_.outputChanges_ = nullptr;
  }
  ProcessScope(const ProcessScope&) = delete;
  ProcessScope& operator=(const ProcessScope&) = delete;

 private:
  IEffectVST3& effect_;
};

void IEffectVST3::ReportParameterToHost(int paramIdx) {
  if (!inProcess_) {
    IEffectBase::ReportParameterToHost(paramIdx);
    return;
  }
  const IParameter* param = ParamAt(paramIdx);
  if (!param || !outputChanges_) return;
  unechoed_.Written(paramIdx, param->NormalizedValue(), samplesProcessed_.load(std::memory_order_relaxed));
  int32 queueIndex = 0;
  IParamValueQueue* queue = outputChanges_->addParameterData(static_cast<ParamID>(paramIdx), queueIndex);
  int32 pointIndex = 0;
  if (queue) queue->addPoint(pieceOffset_, param->NormalizedValue(), pointIndex);
}

tresult PLUGIN_API IEffectVST3::process(ProcessData& data) noexcept {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  ProcessScope scope(*this, data.outputParameterChanges);
  if (data.processContext) context_ = *data.processContext;
  pieceOffset_ = 0;
  ApplyParameterChanges(data.inputParameterChanges);
  DeliverNoteEvents(data.inputEvents);
  if (data.numSamples > 0) samplesProcessed_.fetch_add(data.numSamples, std::memory_order_relaxed);

  if (data.numSamples <= 0 || data.numOutputs <= 0 || !data.outputs) return kResultOk;
  const bool is64 = data.symbolicSampleSize == kSample64;
  if (BlockSize() <= 0) {
    // No setupProcessing yet: there are no scratch buffers to render into.
    if (is64) {
      SilenceOutputs<Sample64>(data);
    } else {
      SilenceOutputs<Sample32>(data);
    }
    return kNotInitialized;
  }
  if (is64) {
    RenderAudio<Sample64>(data);
  } else {
    RenderAudio<Sample32>(data);
  }
  pieceOffset_ = 0;
  return kResultOk;
}

void IEffectVST3::ApplyParameterChanges(IParameterChanges* changes) noexcept {
  if (!changes) return;
  const int32 queues = changes->getParameterCount();
  const int64_t echoWindow =
      static_cast<int64_t>(kEchoWindowSeconds * (SampleRate() > 0.0 ? SampleRate() : kRateBeforeSetup));
  for (int32 q = 0; q < queues; ++q) {
    IParamValueQueue* queue = changes->getParameterData(q);
    if (!queue) continue;
    const int32 points = queue->getPointCount();
    if (points <= 0) continue;
    // Only the block's final value counts; it is applied before any audio of the block.
    int32 offset = 0;
    ParamValue value = 0.0;
    if (queue->getPoint(points - 1, offset, value) != kResultOk) continue;
    const ParamID id = queue->getParameterId();
    if (id == kBypassId) {
      SetBypassed(value > 0.5);
    } else if (id == kProgramChangeId) {
      SelectPreset(PresetIndexFor(value));  // -1 (NaN) selects nothing
    } else if (id < static_cast<ParamID>(ParameterCount())) {
      const int index = static_cast<int>(id);
      // The echo of a value the plug-in wrote itself is no change, however late it comes.
      if (unechoed_.TakeEcho(index, value, samplesProcessed_.load(std::memory_order_relaxed), echoWindow)) continue;
      ApplyHostValue(index, value);
    }
  }
}

void IEffectVST3::DeliverNoteEvents(IEventList* events) noexcept {
  if (!events || !DoesMidi()) return;
  const int32 count = events->getEventCount();
  for (int32 i = 0; i < count; ++i) {
    Event event = {};
    if (events->getEvent(i, event) != kResultOk) continue;
    IMidiMessage message;
    message.offset = event.sampleOffset;
    if (event.type == Event::kNoteOnEvent) {
      const double velocity = std::min(1.0, std::max(0.0, static_cast<double>(event.noteOn.velocity)));
      message.status = static_cast<uint8_t>(0x90 | (event.noteOn.channel & 0x0F));
      message.data1 = static_cast<uint8_t>(event.noteOn.pitch & 0x7F);
      message.data2 = static_cast<uint8_t>(velocity * kMidiVelocityScale);
    } else if (event.type == Event::kNoteOffEvent) {
      message.status = static_cast<uint8_t>(0x80 | (event.noteOff.channel & 0x0F));
      message.data1 = static_cast<uint8_t>(event.noteOff.pitch & 0x7F);
      message.data2 = 0;
    } else {
      continue;
    }
    HandleMidiMessage(message);
  }
}

template <typename Sample>
void IEffectVST3::RenderAudio(ProcessData& data) noexcept {
  // A host block longer than the announced maximum is rendered in pieces that fit
  // the scratch buffers.
  const int maxPiece = BlockSize();
  for (int offset = 0; offset < data.numSamples; offset += maxPiece) {
    const int n = std::min(maxPiece, data.numSamples - offset);
    pieceOffset_ = offset;
    RenderPiece<Sample>(data, offset, n);
  }
}

template <typename Sample>
void IEffectVST3::RenderPiece(ProcessData& data, int offset, int nFrames) noexcept {
  Sample* shifted[kMaxBusChannels];
  if (data.numInputs > 0 && data.inputs && InputChannelCount() > 0) {
    const int mainChannels = InputChannelCount() - sidechainChannels_;
    const int c = std::min({data.inputs[0].numChannels, mainChannels, kMaxBusChannels});
    const bool attached = c > 0 && ShiftedChannels<Sample>(data.inputs[0], c, offset, shifted);
    SetInputConnections(0, mainChannels, false);
    if (attached) {
      SetInputConnections(0, c, true);
      AttachInputs(*this, 0, c, shifted, nFrames);
    }
    if (sidechainChannels_ > 0) {
      AudioBus* aux = audioBusAt(audioInputs_, 1);
      sidechainActive_ = data.numInputs > 1 && aux && aux->isActive();
      const int sc = sidechainActive_ ? std::min({data.inputs[1].numChannels, sidechainChannels_, kMaxBusChannels}) : 0;
      const bool scAttached = sc > 0 && ShiftedChannels<Sample>(data.inputs[1], sc, offset, shifted);
      SetInputConnections(mainChannels, sidechainChannels_, false);
      if (scAttached) {
        SetInputConnections(mainChannels, sc, true);
        AttachInputs(*this, mainChannels, sc, shifted, nFrames);
      }
    }
  }

  int start = 0;
  for (int32 j = 0; j < data.numOutputs && start < OutputChannelCount(); ++j) {
    const int c = std::min(data.outputs[j].numChannels, kMaxBusChannels);
    AudioBus* bus = audioBusAt(audioOutputs_, j);
    const bool active = bus && bus->isActive() && c > 0 &&
                        ShiftedChannels<Sample>(data.outputs[j], c, offset, shifted);
    SetOutputConnections(start, c, active);
    SetOutputConnections(start + c, OutputChannelCount() - (start + c), false);
    if (active) AttachOutputBuffers(start, c, shifted);
    start += c;
  }

  if (Bypassed()) {
    PassThroughBuffers(Sample(), nFrames);
  } else {
    ProcessBuffers(Sample(), nFrames);
  }
}

}  // namespace spw_vst3
