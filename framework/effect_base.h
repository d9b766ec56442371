#pragma once
// The host-neutral half of every plug-in instance: parameters, preset slots,
// channel buffers, the attached editor and the recursive instance lock. The
// host binding derives from it and fills in the host-facing virtuals; the
// plug-in class overrides the processing and notification hooks.
//
// Threads: the host's audio thread (block wrappers), the host's main thread
// (state, presets, set-up) and the editor thread enter; each public operation
// that touches shared state takes the instance lock, which is recursive.

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "editor_link.h"
#include "midi_message.h"
#include "parameter.h"
#include "preset_slot.h"
#include "relaxed_atomic.h"
#include "state_chunk.h"
#include "transport_info.h"

enum class EApiCode : int { None = 0, Vst3 = 1, Web = 2 };

struct IEffectConfig {
  int parameterCount = 0;
  const char* channelIo = "0-2";  // "in-out" pairs separated by blanks
  int presetCount = 0;
  const char* effectName = "";
  const char* productName = "";
  const char* manufacturerName = "";
  int version = 0;           // 0xMMmmpp
  int uniqueCode = 0;
  int manufacturerCode = 0;
  int latency = 0;           // samples
  bool doesMidi = false;
  bool doesChunks = false;
  bool isInstrument = false;
  EApiCode apiCode = EApiCode::None;
};

class IEffectBase {
 public:
  static constexpr int kNameSize = 128;

  explicit IEffectBase(const IEffectConfig& config);
  virtual ~IEffectBase();
  IEffectBase(const IEffectBase&) = delete;
  IEffectBase& operator=(const IEffectBase&) = delete;

  // ---- Hooks the plug-in overrides ----
  virtual void Reset() {}
  // [any thread, under the instance lock] Parameter paramIdx holds a new value.
  virtual void ParameterChanged(int paramIdx) {}
  // [audio thread, under the instance lock] Render nFrames into outputs. Default: pass-through.
  virtual void ProcessBlock(double** inputs, double** outputs, int nFrames) noexcept;
  virtual void EditorOpened() {}
  virtual void EditorClosed() {}
  virtual void ActiveStateChanged(bool active) {}
  virtual void HandleMidiMessage(const IMidiMessage& message) {}
  virtual bool GetNoteName(int note, char* out);  // writes "", returns false
  virtual bool SaveState(StateChunk& chunk) { return SaveParams(chunk); }
  virtual int LoadState(const StateChunk& chunk, int startPos) { return LoadParams(chunk, startPos); }
  virtual void ShowParamStatus(int paramIdx) {}
  // Asked for every parameter while stored values are restored; false keeps the parameter as it is.
  // presetIdx is the preset being selected, or -1 when the host restores its own saved state.
  virtual bool AllowParamRestore(int paramIdx, int presetIdx) { return true; }
  virtual void ViewResized() {}

  // ---- Host-facing virtuals the binding fills in ----
  virtual EApiCode ApiCode() const { return apiCode_; }
  virtual void BeginHostEdit(int paramIdx) {}
  virtual void WheelGestureStarted(int paramIdx) {}
  virtual void SendHostEdit(int paramIdx, double normalized) {}
  virtual void EndHostEdit(int paramIdx) {}
  // [any thread, under the instance lock] The plug-in changed parameter
  // paramIdx itself (not through a control's gesture): the host is told the
  // new value as one whole edit, begin, perform and end.
  virtual void ReportParameterToHost(int paramIdx);
  virtual void HostIdentified() {}
  virtual void ShowHostParameterMenu(int paramIdx, int x, int y) {}
  // Host project position in samples; negative before the project start.
  virtual int64_t HostSamplePosition() { return 0; }
  virtual double HostTempo() { return 0.0; }
  virtual void HostTimeSignature(int* numerator, int* denominator);
  virtual int HostCode() const { return hostCode_; }
  // The editor's window wants width x height screen pixels.
  virtual void ResizeEditor(int width, int height) {}
  // Takes ownership of editor (a different one replaces and destroys the previous one).
  virtual void AttachEditor(IEditorLink* editor);
  virtual void ApplyBlockSize(int n);
  virtual void ReportLatency(int samples) { latency_ = samples; }
  virtual bool SendMidiMessage(const IMidiMessage& message) { return false; }
  bool SendMidiMessages(const IMidiMessage* messages, int count);
  virtual bool SaveParams(StateChunk& chunk);
  virtual int LoadParams(const StateChunk& chunk, int startPos);
  virtual bool IsOffline() { return false; }
  // 1 playing, 2 recording, 0 stopped.
  virtual int GetTransportState() { return 0; }
  virtual void HostTimeInfo(ITransportInfo* info) {}

  // ---- Parameters ----
  IParameter* ParamAt(int i);
  const IParameter* ParamAt(int i) const;
  int ParameterCount() const { return static_cast<int>(params_.size()); }
  void SetParameterFromEditor(int paramIdx, double normalized);
  // [audio thread, under the instance lock] A value the host sends with a block:
  // the parameter takes it, the editor's controls show it, the plug-in applies it.
  void ApplyHostValue(int paramIdx, double normalized) noexcept;
  void DeferEndInform(int paramIdx);
  void FlushEndInform();
  // The parameter whose end of gesture is deferred, -1 when none.
  int PendingEndInformIdx() const { return pendingEndInformIdx_; }
  void PushAllParametersToEditor();
  IEditorLink* Editor() const { return editor_.get(); }

  // ---- Presets ----
  void AddPreset(const char* name, const double* values, int count);
  void AddPreset(const char* name, std::initializer_list<double> values);
  void AddDefaultPresets(const char* name, int count);
  bool SelectPreset(int index);
  const char* PresetName(int index) const;
  bool PresetFilled(int index) const;
  int PresetCount() const { return static_cast<int>(presets_.size()); }
  int CurrentPresetIdx() const { return currentPresetIdx_; }
  void SetCurrentPresetIdx(int index) { currentPresetIdx_ = index; }

  // ---- Identity ----
  void VersionText(char* out, int size) const;  // "v1.10" for 0x010A00
  void IdentifyHost(const char* name, int version);
  const char* EffectName() const { return effectName_; }
  const char* ProductName() const { return productName_; }
  const char* ManufacturerName() const { return manufacturerName_; }
  int Version() const { return version_; }
  int UniqueCode() const { return uniqueCode_; }
  int ManufacturerCode() const { return manufacturerCode_; }
  int Latency() const { return latency_; }
  bool DoesMidi() const { return doesMidi_; }
  bool DoesChunks() const { return doesChunks_; }
  bool IsInstrument() const { return isInstrument_; }
  int HostVersion() const { return hostVersion_; }

  // ---- Channels and block wrappers [audio thread, under the instance lock] ----
  int InputChannelCount() const { return static_cast<int>(inputs_.size()); }
  int OutputChannelCount() const { return static_cast<int>(outputs_.size()); }
  // Pairs (inputs, outputs) read from the channel-IO text.
  const std::vector<std::pair<int, int>>& ChannelIoPairs() const { return channelIo_; }
  bool InputConnected(int channel) const;
  bool OutputConnected(int channel) const;
  void SetInputConnections(int start, int count, bool connected);
  void SetOutputConnections(int start, int count, bool connected);
  void AttachInputBuffers(int start, int count, double** buffers);
  void AttachInputBuffers(int start, int count, float** buffers, int nFrames);
  void AttachOutputBuffers(int start, int count, double** buffers);
  void AttachOutputBuffers(int start, int count, float** buffers);
  void ProcessBuffers(double, int nFrames) noexcept;
  void ProcessBuffers(float, int nFrames) noexcept;
  void PassThroughBuffers(double, int nFrames) noexcept;
  void PassThroughBuffers(float, int nFrames) noexcept;
  int BlockSize() const { return blockSize_; }
  double SampleRate() const { return sampleRate_; }
  void SetSampleRate(double rate) { sampleRate_ = rate; }

  // ---- Instance lock and shared flags ----
  std::recursive_mutex& Mutex() { return mutex_; }
  // Set once by the plug-in when every parameter has been applied; gates the block wrappers.
  bool ParamsReady() const { return paramsReady_.load(std::memory_order_relaxed) != 0; }
  void SetParamsReady() { paramsReady_.store(1, std::memory_order_relaxed); }
  bool Bypassed() const { return bypass_.load(std::memory_order_relaxed) != 0; }
  void SetBypassed(bool bypassed) { bypass_.store(bypassed ? 1 : 0, std::memory_order_relaxed); }

  // Bus labels and parameter groups, kept here for the host binding.
  std::vector<std::string>& InputBusLabels() { return inputBusLabels_; }
  std::vector<std::string>& OutputBusLabels() { return outputBusLabels_; }
  std::vector<const char*>& ParameterGroups() { return parameterGroups_; }

 private:
  struct Channel {
    bool connected = false;
    double** entry = nullptr;  // this channel's slot in the pointer array ProcessBlock receives
    std::vector<double> scratch;
    float* hostFloat = nullptr;  // outputs: the host's 32-bit buffer of the current block
  };

  void ParseChannelIo(const char* text);
  void SetConnections(std::vector<Channel>& channels, int start, int count, bool connected);
  void ConvertOutputsToFloat(int nFrames) noexcept;
  void PassThroughBody(double** inputs, double** outputs, int nFrames) noexcept;
  double** InputArray() { return inputs_.empty() ? nullptr : inputPtrs_.data(); }

  std::vector<std::pair<int, int>> channelIo_;
  std::vector<std::unique_ptr<IParameter>> params_;
  std::vector<std::unique_ptr<IPresetSlot>> presets_;
  RelaxedAtomic<int> currentPresetIdx_{0};  // also set by the controller side without the lock
  int selectingPresetIdx_ = -1;  // preset whose values LoadParams is restoring, -1 for host state
  std::vector<double> valuesBeforeRestore_;  // LoadParams' record, sized once: it may run on the audio thread
  int pendingEndInformIdx_ = -1;
  std::recursive_mutex mutex_;
  std::atomic<uint8_t> paramsReady_{0};  // writer: plug-in (under lock); readers: block wrappers
  bool isInstrument_;
  std::atomic<uint8_t> bypass_{0};       // writer: binding (process, controller); reader: process
  std::vector<const char*> parameterGroups_;
  double sampleRate_ = 44100.0;
  int latency_;
  char effectName_[kNameSize] = {};
  char productName_[kNameSize] = {};
  char manufacturerName_[kNameSize] = {};
  int uniqueCode_;
  int manufacturerCode_;
  int version_;
  int hostCode_ = -1;
  EApiCode apiCode_;
  int hostVersion_ = 0;
  bool doesChunks_;
  bool doesMidi_;
  int blockSize_ = 0;
  std::unique_ptr<IEditorLink> editor_;
  std::vector<Channel> inputs_;
  std::vector<Channel> outputs_;
  std::vector<double*> inputPtrs_;
  std::vector<double*> outputPtrs_;
  std::vector<std::string> inputBusLabels_;
  std::vector<std::string> outputBusLabels_;
};
