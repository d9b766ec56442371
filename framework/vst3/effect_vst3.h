#pragma once
// The VST 3 binding of the plug-in base: one object that is the component, audio
// processor, edit controller and unit information of a plug-in instance. It turns
// the host's calls into the base's operations: buses, processing with parameter
// changes and note events, state, parameter values and texts, the program list
// and the editor view.
//
// Host-visible IDs: parameters by index 0..N-1; kProgramChangeId is the program
// change parameter and the program list; kBypassId is accepted but not registered.
//
// Threads: process on the host's audio thread, under the instance lock for the
// whole call; state calls on the main thread under the same lock; the controller's
// value calls (get/setParamNormalized, conversions) take no lock.

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "effect_base.h"
#include "unechoed_writes.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/ivstunits.h"
#include "single_component_effect.h"

// SDK interfaces have no virtual destructors: objects are destroyed by their own
// release(), never deleted through an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace spw_vst3 {

class IEffectVST3View;

constexpr Steinberg::Vst::ParamID kProgramChangeId = 0x70727374;  // 'prst'
constexpr Steinberg::Vst::ParamID kBypassId = 0x62706173;         // 'bpas'

class IEffectVST3 : public IEffectBase,
                    public Steinberg::Vst::IUnitInfo,
                    public SingleComponentEffect {
 public:
  // config as for the base (its API code is set to VST 3 here); sidechainChannels:
  // channels of an auxiliary input bus, 0 for none.
  IEffectVST3(const IEffectConfig& config, int sidechainChannels = 0);
  ~IEffectVST3() override;

  // ---- IPluginBase ----
  Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override;

  // ---- IComponent ----
  Steinberg::tresult PLUGIN_API setActive(Steinberg::TBool state) override;
  Steinberg::tresult getComponentState(Steinberg::IBStream* state) override;
  Steinberg::tresult setComponentStateFromHost(Steinberg::IBStream* state) override;

  // ---- IAudioProcessor ----
  Steinberg::tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs,
                                                   Steinberg::int32 numIns,
                                                   Steinberg::Vst::SpeakerArrangement* outputs,
                                                   Steinberg::int32 numOuts) override;
  Steinberg::tresult PLUGIN_API canProcessSampleSize(Steinberg::int32 symbolicSampleSize) override;
  Steinberg::uint32 PLUGIN_API getLatencySamples() override;
  Steinberg::tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) override;
  // [audio thread] Parameter changes (last point of each queue), note events, then audio.
  Steinberg::tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) noexcept override;

  // ---- IEditController ----
  Steinberg::tresult PLUGIN_API setComponentState(Steinberg::IBStream* state) override;
  Steinberg::tresult getControllerState(Steinberg::IBStream* state) override;
  Steinberg::tresult setControllerState(Steinberg::IBStream* state) override;
  Steinberg::tresult PLUGIN_API getParamStringByValue(Steinberg::Vst::ParamID id,
                                                      Steinberg::Vst::ParamValue valueNormalized,
                                                      Steinberg::Vst::String128 string) override;
  Steinberg::Vst::ParamValue PLUGIN_API plainParamToNormalized(Steinberg::Vst::ParamID id,
                                                              Steinberg::Vst::ParamValue plain) override;
  // The SDK's conversion, except that "Presets" gets its value limited to 0..1
  // (NaN: 0) first: the SDK turns it into an int unchecked, undefined beyond the int range.
  Steinberg::Vst::ParamValue PLUGIN_API normalizedParamToPlain(Steinberg::Vst::ParamID id,
                                                              Steinberg::Vst::ParamValue valueNormalized) override;
  Steinberg::Vst::ParamValue PLUGIN_API getParamNormalized(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult PLUGIN_API setParamNormalized(Steinberg::Vst::ParamID id,
                                                   Steinberg::Vst::ParamValue value) override;
  // A view only for the name "editor" (exact); null for any other.
  Steinberg::IPlugView* PLUGIN_API createView(Steinberg::FIDString name) override;

  // ---- IUnitInfo ----
  Steinberg::int32 PLUGIN_API getUnitCount() override;
  Steinberg::tresult PLUGIN_API getUnitInfo(Steinberg::int32 unitIndex, Steinberg::Vst::UnitInfo& info) override;
  Steinberg::int32 PLUGIN_API getProgramListCount() override;
  Steinberg::tresult PLUGIN_API getProgramListInfo(Steinberg::int32 listIndex,
                                                   Steinberg::Vst::ProgramListInfo& info) override;
  Steinberg::tresult PLUGIN_API getProgramName(Steinberg::Vst::ProgramListID listId,
                                               Steinberg::int32 programIndex,
                                               Steinberg::Vst::String128 name) override;
  Steinberg::tresult PLUGIN_API getProgramInfo(Steinberg::Vst::ProgramListID listId,
                                               Steinberg::int32 programIndex,
                                               Steinberg::Vst::CString attributeId,
                                               Steinberg::Vst::String128 attributeValue) override;
  Steinberg::tresult PLUGIN_API hasProgramPitchNames(Steinberg::Vst::ProgramListID listId,
                                                     Steinberg::int32 programIndex) override;
  Steinberg::tresult PLUGIN_API getProgramPitchName(Steinberg::Vst::ProgramListID listId,
                                                    Steinberg::int32 programIndex,
                                                    Steinberg::int16 midiPitch,
                                                    Steinberg::Vst::String128 name) override;
  Steinberg::Vst::UnitID PLUGIN_API getSelectedUnit() override { return 0; }
  Steinberg::tresult PLUGIN_API selectUnit(Steinberg::Vst::UnitID unitId) override;
  Steinberg::tresult PLUGIN_API getUnitByBus(Steinberg::Vst::MediaType type,
                                             Steinberg::Vst::BusDirection dir,
                                             Steinberg::int32 busIndex, Steinberg::int32 channel,
                                             Steinberg::Vst::UnitID& unitId) override;
  Steinberg::tresult PLUGIN_API setUnitProgramData(Steinberg::int32 listOrUnitId,
                                                   Steinberg::int32 programIndex,
                                                   Steinberg::IBStream* data) override;

  // ---- FUnknown ----
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override { return SingleComponentEffect::addRef(); }
  Steinberg::uint32 PLUGIN_API release() override { return SingleComponentEffect::release(); }

  // ---- Base virtuals filled in for the host ----
  // An edit begun while one of the same parameter is open (a typed value or a
  // grid write while a held press edits it) nests inside it: the host hears
  // one beginEdit and one endEdit per parameter, and an end without a begin
  // not at all.
  void BeginHostEdit(int paramIdx) override;
  void SendHostEdit(int paramIdx, double normalized) override;
  void EndHostEdit(int paramIdx) override;
  // Inside process (the audio thread) the value goes into the block's output
  // parameter changes, never to the component handler; elsewhere through the
  // component handler.
  void ReportParameterToHost(int paramIdx) override;
  // Project time of the block being rendered, samples (full 64 bits).
  int64_t HostSamplePosition() override;
  double HostTempo() override;
  void HostTimeSignature(int* numerator, int* denominator) override;
  int GetTransportState() override;
  bool IsOffline() override;
  void HostTimeInfo(ITransportInfo* info) override;
  void ResizeEditor(int width, int height) override;
  void ReportLatency(int samples) override;

  // Views call these from their constructor and destructor.
  void AddView(IEffectVST3View* view);
  void RemoveView(IEffectVST3View* view);
  int SidechainChannels() const { return sidechainChannels_; }

  OBJ_METHODS(IEffectVST3, SingleComponentEffect)

 private:
  class ProcessScope;

  void CreateBuses();
  void RegisterParameters();
  // The preset a program-change value selects: int((count - 1) * v + 0.5) with v
  // limited to 0..1; -1 for NaN.
  int PresetIndexFor(Steinberg::Vst::ParamValue normalized) const noexcept;
  void ApplyParameterChanges(Steinberg::Vst::IParameterChanges* changes) noexcept;
  void DeliverNoteEvents(Steinberg::Vst::IEventList* events) noexcept;
  template <typename Sample>
  void RenderAudio(Steinberg::Vst::ProcessData& data) noexcept;
  template <typename Sample>
  void RenderPiece(Steinberg::Vst::ProcessData& data, int offset, int nFrames) noexcept;

  int sidechainChannels_;
  bool sidechainActive_ = false;
  Steinberg::Vst::ProcessContext context_ = {};  // the host's context of the latest block
  int pieceOffset_ = 0;  // samples into the host block of the piece being rendered
  // Set for the length of a process call (under the instance lock): the
  // plug-in's own edits go into outputChanges_ (null when the host gave none).
  bool inProcess_ = false;
  Steinberg::Vst::IParameterChanges* outputChanges_ = nullptr;
  std::vector<IEffectVST3View*> views_;  // not owned; views_[0] receives resize requests
  // Open edits per parameter; writers: the threads that edit (editor, and the
  // handler under the instance lock); atomic, as they need not hold the lock.
  std::unique_ptr<std::atomic<int>[]> editDepth_;
  // What the plug-in wrote and the host has not echoed yet (under the instance
  // lock), on a clock of the samples processed so far.
  UnechoedWrites unechoed_;
  std::atomic<int64_t> samplesProcessed_{0};  // writer: the audio thread; readers: any, under the lock
};

}  // namespace spw_vst3

#pragma GCC diagnostic pop
