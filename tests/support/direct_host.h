#pragma once
// A host in the test's own process: one instance of the plug-in class, initialised,
// set up for a stereo output at 48 kHz and switched on, driven through its VST 3
// interfaces. Blocks of audio run with a playing transport and the parameter
// changes queued for them.
//
// Threads: Process on one thread at a time (the host's audio thread); the other
// calls from any thread, as a host makes them.

#include <cmath>
#include <cstdint>
#include <vector>

#include "host_objects.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include "public.sdk/source/common/memorystream.h"
#include "stereo_pulse_weaver.h"

class DirectHost {
 public:
  static constexpr int kMaxBlock = 512;
  static constexpr double kRate = 48000.0;

  DirectHost() : plugin_(new CLS_STEREOPULSEWEAVER()) {
    using namespace Steinberg::Vst;
    ready_ = plugin_->initialize(&app_) == Steinberg::kResultOk;
    SpeakerArrangement stereo = SpeakerArr::kStereo;
    ready_ = ready_ && plugin_->setBusArrangements(nullptr, 0, &stereo, 1) == Steinberg::kResultTrue;
    ProcessSetup setup = {kRealtime, kSample64, kMaxBlock, kRate};
    ready_ = ready_ && plugin_->setupProcessing(setup) == Steinberg::kResultOk;
    plugin_->setActive(true);
  }
  ~DirectHost() {
    plugin_->setActive(false);
    plugin_->terminate();
    plugin_->release();
  }
  DirectHost(const DirectHost&) = delete;
  DirectHost& operator=(const DirectHost&) = delete;

  bool Ready() const { return ready_; }
  CLS_STEREOPULSEWEAVER& Plugin() { return *plugin_; }
  Steinberg::Vst::IComponent& Component() { return *plugin_; }
  Steinberg::Vst::IEditController& Controller() { return *plugin_; }
  // The changes the next block delivers; emptied by Process.
  spwhost::ParameterChanges& Changes() { return changes_; }
  void Queue(Steinberg::Vst::ParamID id, double normalized) {
    Steinberg::int32 index = 0;
    if (auto* queue = changes_.addParameterData(id, index)) queue->addPoint(0, normalized, index);
  }

  // The state the component writes for the host.
  std::vector<uint8_t> State() {
    Steinberg::MemoryStream stream;
    Component().getState(&stream);
    const auto* bytes = reinterpret_cast<const uint8_t*>(stream.getData());
    return std::vector<uint8_t>(bytes, bytes + stream.getSize());
  }
  Steinberg::tresult Restore(std::vector<uint8_t> bytes) {
    Steinberg::MemoryStream stream(bytes.data(), static_cast<Steinberg::TSize>(bytes.size()));
    return Component().setState(&stream);
  }

  // Renders frames (1 to kMaxBlock) in 64- or 32-bit samples; true when the block
  // was processed and every sample is finite.
  bool Process(int frames, bool doubles) {
    using namespace Steinberg::Vst;
    double left[kMaxBlock], right[kMaxBlock];
    float leftF[kMaxBlock], rightF[kMaxBlock];
    void* channels[2] = {doubles ? static_cast<void*>(left) : leftF, doubles ? static_cast<void*>(right) : rightF};
    AudioBusBuffers bus = {};
    bus.numChannels = 2;
    if (doubles) {
      bus.channelBuffers64 = reinterpret_cast<Sample64**>(channels);
    } else {
      bus.channelBuffers32 = reinterpret_cast<Sample32**>(channels);
    }
    ProcessContext context = {};
    context.state = ProcessContext::kPlaying;
    context.sampleRate = kRate;
    context.projectTimeSamples = position_;
    ProcessData data;
    data.symbolicSampleSize = doubles ? kSample64 : kSample32;
    data.numSamples = frames;
    data.numOutputs = 1;
    data.outputs = &bus;
    data.inputParameterChanges = &changes_;
    data.processContext = &context;
    const bool processed = plugin_->process(data) == Steinberg::kResultOk;
    changes_.Clear();
    position_ += frames;
    bool finite = true;
    for (int i = 0; i < frames; ++i) {
      finite = finite && (doubles ? std::isfinite(left[i]) && std::isfinite(right[i])
                                  : std::isfinite(leftF[i]) && std::isfinite(rightF[i]));
    }
    return processed && finite;
  }

 private:
  spwhost::HostApplication app_{"spw test host"};
  CLS_STEREOPULSEWEAVER* plugin_;
  spwhost::ParameterChanges changes_;
  bool ready_ = false;
  int64_t position_ = 0;
};
