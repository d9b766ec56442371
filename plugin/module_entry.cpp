// The module's exported entry points: the factory, and the load and unload hooks
// of each platform (ModuleEntry/ModuleExit on Linux, InitDll/ExitDll and the DLL
// entry on Windows). Only these are exported.

#include <mutex>

#include "module_location.h"
#include "plugin_class_info.h"
#include "plugin_editor.h"
#include "plugin_factory.h"
#include "stereo_pulse_weaver.h"

#ifdef _WIN32
#include <windows.h>
#endif

using namespace Steinberg;

namespace {

class ModuleFactory;
ModuleFactory* gFactory = nullptr;

// Forgets itself when the host releases its last reference, so a later
// GetPluginFactory makes a new factory instead of handing out a dead one.
class ModuleFactory : public spw_vst3::PluginFactory {
 public:
  using PluginFactory::PluginFactory;
  ~ModuleFactory() override { gFactory = nullptr; }
};

std::mutex& CreationLock() {
  static std::mutex lock;  // process-wide; lives until the module is unloaded
  return lock;
}

// Two host threads creating instances at once construct them one after the
// other. A construction that fails (no memory, no watchdog thread) gives the
// host a null instance instead of an exception crossing into it.
FUnknown* CreateInstance(void*) {
  std::lock_guard<std::mutex> guard(CreationLock());
  try {
    return static_cast<Vst::IAudioProcessor*>(new CLS_STEREOPULSEWEAVER(BuildWindowedEditor));
  } catch (...) {
    return nullptr;
  }
}

bool EnterModule() {
  spw_vst3::ComputeModuleDirectory();
  return true;
}

}  // namespace

extern "C" {

IPluginFactory* PLUGIN_API GetPluginFactory() {
  if (gFactory) {
    gFactory->addRef();
    return gFactory;
  }
  auto* factory = new (std::nothrow) ModuleFactory(PluginFactoryInfo());
  if (!factory) return nullptr;
  factory->AddClass(PluginClassInfo(), &CreateInstance, nullptr);
  // The host's first reference is the factory's initial one.
  gFactory = factory;
  return gFactory;
}

#ifdef _WIN32

SMTG_EXPORT_SYMBOL bool InitDll() {
  // The graphics layer loads its images and registers its window class with the
  // module handle; it reads it through spw_vst3::ModuleHandle().
  return true;
}

SMTG_EXPORT_SYMBOL bool ExitDll() { return true; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    spw_vst3::SetModuleHandle(instance);
    EnterModule();
  }
  return TRUE;
}

#else

SMTG_EXPORT_SYMBOL bool ModuleEntry(void* sharedLibraryHandle) {
  spw_vst3::SetModuleHandle(sharedLibraryHandle);
  return EnterModule();
}

SMTG_EXPORT_SYMBOL bool ModuleExit() { return true; }

#endif

}  // extern "C"
