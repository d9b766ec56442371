#pragma once
// One object that is the component, the audio processor and the edit controller
// of a plug-in, as hosts expect of a plug-in whose class flags announce simple
// mode. It keeps the bus lists and answers the bus queries; the audio and state
// operations are left to the class that derives from it.
//
// IComponent and IEditController both declare getState and setState with the same
// signature. The component's pair is routed to getComponentState and
// setComponentStateFromHost, the controller's pair to EditController's (or an
// override of getControllerState / setControllerState), so that the host's two
// different streams never reach the same function.
//
// Threads: bus set-up on the host's main thread; see the deriving class for the rest.

#include "public.sdk/source/vst/vstbus.h"
#include "public.sdk/source/vst/vsteditcontroller.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"

// SDK interfaces have no virtual destructors: objects are destroyed by their own
// release(), never deleted through an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace spw_vst3 {

// IComponent with its state pair renamed.
class ComponentStateRouting : public Steinberg::Vst::IComponent {
 public:
  Steinberg::tresult PLUGIN_API getState(Steinberg::IBStream* state) final {
    return getComponentState(state);
  }
  Steinberg::tresult PLUGIN_API setState(Steinberg::IBStream* state) final {
    return setComponentStateFromHost(state);
  }
  virtual Steinberg::tresult getComponentState(Steinberg::IBStream* state) = 0;
  virtual Steinberg::tresult setComponentStateFromHost(Steinberg::IBStream* state) = 0;
};

// EditController with its state pair renamed.
class ControllerStateRouting : public Steinberg::Vst::EditController {
 public:
  Steinberg::tresult PLUGIN_API getState(Steinberg::IBStream* state) final {
    return getControllerState(state);
  }
  Steinberg::tresult PLUGIN_API setState(Steinberg::IBStream* state) final {
    return setControllerState(state);
  }
  virtual Steinberg::tresult getControllerState(Steinberg::IBStream* state) {
    return EditController::getState(state);
  }
  virtual Steinberg::tresult setControllerState(Steinberg::IBStream* state) {
    return EditController::setState(state);
  }
};

class SingleComponentEffect : public ControllerStateRouting,
                              public ComponentStateRouting,
                              public Steinberg::Vst::IAudioProcessor {
 public:
  SingleComponentEffect();
  ~SingleComponentEffect() override;

  // ---- IPluginBase ----
  Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override;
  Steinberg::tresult PLUGIN_API terminate() override;

  // ---- IComponent ----
  Steinberg::tresult PLUGIN_API getControllerClassId(Steinberg::TUID classId) override;
  Steinberg::tresult PLUGIN_API setIoMode(Steinberg::Vst::IoMode mode) override;
  Steinberg::int32 PLUGIN_API getBusCount(Steinberg::Vst::MediaType type,
                                          Steinberg::Vst::BusDirection dir) override;
  Steinberg::tresult PLUGIN_API getBusInfo(Steinberg::Vst::MediaType type,
                                           Steinberg::Vst::BusDirection dir, Steinberg::int32 index,
                                           Steinberg::Vst::BusInfo& info) override;
  Steinberg::tresult PLUGIN_API getRoutingInfo(Steinberg::Vst::RoutingInfo& inInfo,
                                               Steinberg::Vst::RoutingInfo& outInfo) override;
  Steinberg::tresult PLUGIN_API activateBus(Steinberg::Vst::MediaType type,
                                            Steinberg::Vst::BusDirection dir, Steinberg::int32 index,
                                            Steinberg::TBool state) override;
  Steinberg::tresult PLUGIN_API setActive(Steinberg::TBool state) override;

  // ---- IAudioProcessor ----
  Steinberg::tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs,
                                                   Steinberg::int32 numIns,
                                                   Steinberg::Vst::SpeakerArrangement* outputs,
                                                   Steinberg::int32 numOuts) override;
  Steinberg::tresult PLUGIN_API getBusArrangement(Steinberg::Vst::BusDirection dir,
                                                  Steinberg::int32 index,
                                                  Steinberg::Vst::SpeakerArrangement& arr) override;
  Steinberg::tresult PLUGIN_API canProcessSampleSize(Steinberg::int32 symbolicSampleSize) override;
  Steinberg::uint32 PLUGIN_API getLatencySamples() override { return 0; }
  Steinberg::tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) override;
  Steinberg::tresult PLUGIN_API setProcessing(Steinberg::TBool state) override;
  Steinberg::tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) override;
  Steinberg::uint32 PLUGIN_API getTailSamples() override { return 0; }

  // ---- FUnknown ----
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override { return EditController::addRef(); }
  Steinberg::uint32 PLUGIN_API release() override { return EditController::release(); }

  // ---- Buses ----
  Steinberg::Vst::BusList* getBusList(Steinberg::Vst::MediaType type,
                                      Steinberg::Vst::BusDirection dir);
  Steinberg::Vst::AudioBus* addAudioInput(const Steinberg::Vst::TChar* name,
                                          Steinberg::Vst::SpeakerArrangement arr,
                                          Steinberg::Vst::BusType type, Steinberg::int32 flags);
  Steinberg::Vst::AudioBus* addAudioOutput(const Steinberg::Vst::TChar* name,
                                           Steinberg::Vst::SpeakerArrangement arr,
                                           Steinberg::Vst::BusType type, Steinberg::int32 flags);
  Steinberg::Vst::EventBus* addEventInput(const Steinberg::Vst::TChar* name,
                                          Steinberg::int32 channels, Steinberg::Vst::BusType type,
                                          Steinberg::int32 flags);
  // The audio bus at index of a list, or null.
  Steinberg::Vst::AudioBus* audioBusAt(Steinberg::Vst::BusList& list, Steinberg::int32 index);
  void removeAllBusses();

  const Steinberg::Vst::ProcessSetup& processSetup() const { return processSetup_; }

  OBJ_METHODS(SingleComponentEffect, EditController)

 protected:
  Steinberg::Vst::BusList audioInputs_;
  Steinberg::Vst::BusList audioOutputs_;
  Steinberg::Vst::BusList eventInputs_;
  Steinberg::Vst::BusList eventOutputs_;
  Steinberg::Vst::ProcessSetup processSetup_;
};

}  // namespace spw_vst3

#pragma GCC diagnostic pop
