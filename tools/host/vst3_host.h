#pragma once
// A small VST 3 host: loads a plug-in bundle the way an audio workstation does
// and drives one instance of its audio module class. Used by the offline
// renderer and by the integration tests.
//
// Typical use:
//   std::string error;
//   auto module = spwhost::Module::Load("build/stereoPulseWeaver.vst3", &error);
//   auto plugin = module ? module->CreatePlugin(&error) : nullptr;
//   if (!plugin || !plugin->Initialize(&error)) { report error; }
//   plugin->SetupProcessing(48000.0, 512, spwhost::SampleSize::k32, /*offline=*/true);
//   plugin->SetActive(true);
//   plugin->QueueParameterChange(0, 0.25);            // applied at the next Process
//   plugin->ProcessFloat(outputs, 512);                // outputs: 2 channels of 512 floats
//   plugin->SetActive(false);
//   plugin.reset(); module.reset();                    // terminate, release, module exit, unload
//
// Threads: none of its own. A Module and its Plugins are used from one thread;
// destroy every Plugin before its Module.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "plugin_controls.h"

namespace Steinberg {
class FUnknown;
class IPluginFactory;
namespace Vst {
class IComponent;
class IAudioProcessor;
class IEditController;
}  // namespace Vst
}  // namespace Steinberg

namespace spwhost {

class Plugin;

enum class SampleSize { k32 = 0, k64 = 1 };

// The factory's description of itself (PFactoryInfo).
struct FactoryInfo {
  std::string vendor;
  std::string url;
  std::string email;
  int32_t flags = 0;
};

// One class the factory offers (PClassInfo, with the PClassInfo2 fields when the
// factory answers IPluginFactory2, else those stay empty).
struct ClassInfo {
  uint8_t cid[16] = {};
  int32_t cardinality = 0;
  std::string category;
  std::string name;
  uint32_t classFlags = 0;
  std::string subCategories;
  std::string vendor;
  std::string version;
  std::string sdkVersion;
};

// One point of a parameter change (as sent or as received in a block).
struct ParameterPoint {
  uint32_t id = 0;
  double normalized = 0.0;
  int32_t sampleOffset = 0;
};

// A loaded module: the shared library (or DLL) of a bundle, entered and with its
// factory obtained. Destroying it releases the factory, calls the module's exit
// function and unloads the library.
class Module {
 public:
  // bundlePath: the ".vst3" bundle folder (the binary is looked up inside it, under
  // Contents/x86_64-linux/<name>.so or Contents/x86_64-win/<name>.vst3) or the
  // binary itself, as the command line gives it (on Windows in the active code
  // page). On failure returns null and writes a one-line reason to *error:
  // file missing, library not loadable, entry function missing or failing,
  // GetPluginFactory missing or returning null.
  static std::unique_ptr<Module> Load(const std::string& bundlePath, std::string* error);
  ~Module();
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  // The path of the binary that was loaded.
  const std::string& BinaryPath() const { return binaryPath_; }

  FactoryInfo Factory() const;
  std::vector<ClassInfo> Classes() const;
  // The factory's interface with one reference held by the Module (not added for the caller).
  Steinberg::IPluginFactory* RawFactory() const { return factory_; }

  // Creates an instance of the first class of category "Audio Module Class", or of the
  // class with the given 16-byte ID. Null with a reason in *error when the class is
  // not found or the factory cannot create it.
  std::unique_ptr<Plugin> CreatePlugin(std::string* error);
  std::unique_ptr<Plugin> CreatePlugin(const uint8_t cid[16], std::string* error);

 private:
  Module() = default;

  void* library_ = nullptr;  // dlopen handle or HMODULE
  std::string binaryPath_;
  Steinberg::IPluginFactory* factory_ = nullptr;
  bool (*exit_)() = nullptr;  // ModuleExit or ExitDll
};

// One plug-in instance, queried for its component, audio processor and edit
// controller as a host does. The destructor switches processing off, terminates
// the component and releases every interface.
class Plugin : public PluginControls {
 public:
  // Drives an instance made in this process rather than by a module's factory:
  // one object that is component, audio processor and edit controller. Takes
  // references of its own. Null with a reason when a part is missing.
  static std::unique_ptr<Plugin> Adopt(Steinberg::FUnknown* instance, std::string* error);
  ~Plugin() override;
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;

  // initialize() with a host context answering IHostApplication (name hostName),
  // then, when the controller is a separate object, initialize() on it too.
  bool Initialize(std::string* error, const std::string& hostName = "spw host");

  // Arranges no audio input and one stereo output bus. Returns the plug-in's answer.
  bool SetStereoOutput();

  // setupProcessing: realtime or offline mode, the sample size, the largest block
  // (samples) and the rate (Hz). False when the plug-in refuses.
  bool SetupProcessing(double sampleRate, int maxBlockSize, SampleSize size, bool offline);
  bool SetActive(bool active);
  bool CanProcessSampleSize(SampleSize size);

  // Transport of the process context sent with every block. Playing by default at
  // 120 BPM from project time 0; while playing, the project time advances by each
  // block's length.
  void SetTransport(bool playing, double tempoBpm = 120.0);
  void SetProjectTimeSamples(int64_t samples);
  int64_t ProjectTimeSamples() const { return projectTime_; }

  // Parameter changes sent with the next Process call, then cleared. Points for the
  // same ID go into one queue in the order given.
  void QueueParameterChange(uint32_t id, double normalized, int32_t sampleOffset = 0) override;
  // A note-on or note-off event sent with the next Process call.
  void QueueNote(bool on, int16_t channel, int16_t pitch, float velocity, int32_t sampleOffset = 0);

  // Renders nFrames into the host's buffers: outputs[0], outputs[1] (stereo).
  // outputs may be null with nFrames 0: the plug-in then only receives the
  // queued parameter changes. True when the plug-in answers kResultOk.
  bool ProcessFloat(float* const* outputs, int nFrames) override;
  bool ProcessDouble(double* const* outputs, int nFrames);
  // The plug-in's raw tresult of the last Process call (0 = kResultOk).
  int32_t LastProcessResult() const override { return lastResult_; }
  // The changes the plug-in wrote into the last block's output parameter
  // changes, queue by queue, each queue's points in order.
  const std::vector<ParameterPoint>& LastOutputChanges() const { return lastOutputChanges_; }

  // Component state (IComponent::getState / setState) through a memory stream.
  bool GetState(std::vector<uint8_t>* bytes);
  bool SetState(const std::vector<uint8_t>& bytes);
  int32_t LastStateResult() const { return lastResult_; }
  // Edit controller state (IEditController::getState / setState), and a component
  // state handed to the controller (setComponentState), as a host restores a project:
  // only when the controller is an object of its own (true at once otherwise).
  bool GetControllerState(std::vector<uint8_t>* bytes);
  bool SetControllerState(const std::vector<uint8_t>& bytes);
  bool SetComponentStateOnController(const std::vector<uint8_t>& bytes);

  // Edit controller.
  int ParameterCount() override;
  bool GetParameterInfo(int index, ParameterInfo* info) override;
  // Index of the parameter whose title equals title exactly, or -1.
  int FindParameter(const std::string& title);
  std::string ValueToString(uint32_t id, double normalized) override;  // "" when refused
  bool StringToValue(uint32_t id, const std::string& text, double* normalized);
  double NormalizedToPlain(uint32_t id, double normalized) override;
  double PlainToNormalized(uint32_t id, double plain) override;
  double GetParamNormalized(uint32_t id) override;
  bool SetParamNormalized(uint32_t id, double normalized);

  // Program list of the root unit (IUnitInfo): its ID, name and program names.
  // Empty when the controller has no unit information or no list.
  bool ProgramList(int32_t* listId, std::string* name, std::vector<std::string>* programs) override;

  // The interfaces, for callers that need more than the above (no reference added).
  Steinberg::Vst::IComponent* Component() const { return component_; }
  Steinberg::Vst::IAudioProcessor* Processor() const { return processor_; }
  Steinberg::Vst::IEditController* Controller() const { return controller_; }
  Steinberg::FUnknown* HostContext() const;

 private:
  friend class Module;
  struct Impl;
  Plugin();
  // Queries component and audio processor, and the edit controller when the same object is one.
  static std::unique_ptr<Plugin> FromComponent(Steinberg::FUnknown* instance, std::string* error);

  template <typename Sample>
  bool Process(Sample* const* outputs, int nFrames, SampleSize size);

  std::unique_ptr<Impl> impl_;
  Steinberg::Vst::IComponent* component_ = nullptr;
  Steinberg::Vst::IAudioProcessor* processor_ = nullptr;
  Steinberg::Vst::IEditController* controller_ = nullptr;
  bool separateController_ = false;
  bool initialized_ = false;
  bool active_ = false;
  bool playing_ = true;
  double tempo_ = 120.0;
  double sampleRate_ = 44100.0;
  bool offline_ = false;  // the processing mode announced in setupProcessing
  int64_t projectTime_ = 0;
  int32_t lastResult_ = 0;
  std::vector<ParameterPoint> lastOutputChanges_;
};

}  // namespace spwhost
