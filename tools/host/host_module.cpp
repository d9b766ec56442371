// Loading a bundle's binary, entering it and creating instances from its factory,
// in the order hosts use.

#include <cstring>
#include <filesystem>

#include "host_path.h"
#include "host_text.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "vst3_host.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace spwhost {

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr char kArchFolder[] = "x86_64-win";
constexpr char kBinarySuffix[] = ".vst3";
#else
constexpr char kArchFolder[] = "x86_64-linux";
constexpr char kBinarySuffix[] = ".so";
#endif
constexpr char kAudioModuleCategory[] = "Audio Module Class";

using GetFactoryProc = IPluginFactory*(PLUGIN_API*)();
using EntryProc = bool (*)(void*);
using InitProc = bool (*)();

void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

// The binary inside a bundle folder, or the path itself when it names a file.
fs::path BinaryOf(const fs::path& bundle) {
  if (!fs::is_directory(bundle)) return bundle;
  fs::path name = bundle.filename();
  if (name.empty()) name = bundle.parent_path().filename();
  return bundle / "Contents" / kArchFolder / (name.stem().string() + kBinarySuffix);
}

#ifdef _WIN32
// The system's own wording of an error code, on one line.
std::string SystemErrorText(DWORD code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length > 0 && text != nullptr ? std::string(text, length) : std::string();
  if (text != nullptr) LocalFree(text);
  for (char& c : message) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  // Some texts name the file as an insert ("%1 is not a valid Win32 application").
  for (size_t at; (at = message.find("%1")) != std::string::npos;) message.replace(at, 2, "the file");
  message.erase(message.find_last_not_of(" .") + 1);
  const std::string number = "Windows error " + std::to_string(code);
  return message.empty() ? number : message + " (" + number + ")";
}
#endif

}  // namespace

std::unique_ptr<Module> Module::Load(const std::string& bundlePath, std::string* error) {
  std::error_code ec;
  const fs::path bundle = NativePath(bundlePath);
  if (!fs::exists(bundle, ec)) {
    SetError(error, "no such bundle: " + bundlePath);
    return nullptr;
  }
  const fs::path binary = BinaryOf(bundle);
  if (!fs::is_regular_file(binary, ec)) {
    SetError(error, "bundle has no binary for this platform: " + NarrowPath(binary));
    return nullptr;
  }

  std::unique_ptr<Module> module(new Module());
  module->binaryPath_ = NarrowPath(binary);
#ifdef _WIN32
  HMODULE library = LoadLibraryW(binary.wstring().c_str());
  if (!library) {
    const DWORD code = GetLastError();
    SetError(error, "cannot load " + module->binaryPath_ + ": " + SystemErrorText(code));
    return nullptr;
  }
  module->library_ = library;
  auto lookup = [library](const char* name) { return reinterpret_cast<void*>(GetProcAddress(library, name)); };
  // InitDll is optional for Windows modules; when present it must succeed.
  if (auto init = reinterpret_cast<InitProc>(lookup("InitDll")); init && !init()) {
    SetError(error, "InitDll failed in " + module->binaryPath_);
    return nullptr;
  }
  module->exit_ = reinterpret_cast<InitProc>(lookup("ExitDll"));
#else
  void* library = dlopen(module->binaryPath_.c_str(), RTLD_LAZY | RTLD_LOCAL);
  if (!library) {
    const char* why = dlerror();
    SetError(error, "cannot load " + module->binaryPath_ + ": " + (why ? why : "unknown reason"));
    return nullptr;
  }
  module->library_ = library;
  auto lookup = [library](const char* name) { return dlsym(library, name); };
  auto entry = reinterpret_cast<EntryProc>(lookup("ModuleEntry"));
  if (!entry) {
    SetError(error, "missing export ModuleEntry in " + module->binaryPath_);
    return nullptr;
  }
  if (!entry(library)) {
    SetError(error, "ModuleEntry failed in " + module->binaryPath_);
    return nullptr;
  }
  module->exit_ = reinterpret_cast<InitProc>(lookup("ModuleExit"));
#endif
  auto getFactory = reinterpret_cast<GetFactoryProc>(lookup("GetPluginFactory"));
  if (!getFactory) {
    SetError(error, "missing export GetPluginFactory in " + module->binaryPath_);
    return nullptr;
  }
  module->factory_ = getFactory();
  if (!module->factory_) {
    SetError(error, "GetPluginFactory returned no factory in " + module->binaryPath_);
    return nullptr;
  }
  return module;
}

Module::~Module() {
  if (factory_) factory_->release();
  if (exit_) exit_();
#ifdef _WIN32
  if (library_) FreeLibrary(static_cast<HMODULE>(library_));
#else
  if (library_) dlclose(library_);
#endif
}

FactoryInfo Module::Factory() const {
  FactoryInfo out;
  PFactoryInfo info;
  if (factory_->getFactoryInfo(&info) != kResultOk) return out;
  out.vendor = FixedText(info.vendor, sizeof info.vendor);
  out.url = FixedText(info.url, sizeof info.url);
  out.email = FixedText(info.email, sizeof info.email);
  out.flags = info.flags;
  return out;
}

std::vector<ClassInfo> Module::Classes() const {
  std::vector<ClassInfo> classes;
  FUnknownPtr<IPluginFactory2> factory2(factory_);
  for (int32 i = 0; i < factory_->countClasses(); ++i) {
    ClassInfo out;
    PClassInfo info;
    if (factory_->getClassInfo(i, &info) != kResultOk) continue;
    std::memcpy(out.cid, info.cid, sizeof out.cid);
    out.cardinality = info.cardinality;
    out.category = FixedText(info.category, sizeof info.category);
    out.name = FixedText(info.name, sizeof info.name);
    PClassInfo2 info2;
    if (factory2 && factory2->getClassInfo2(i, &info2) == kResultOk) {
      out.classFlags = info2.classFlags;
      out.subCategories = FixedText(info2.subCategories, sizeof info2.subCategories);
      out.vendor = FixedText(info2.vendor, sizeof info2.vendor);
      out.version = FixedText(info2.version, sizeof info2.version);
      out.sdkVersion = FixedText(info2.sdkVersion, sizeof info2.sdkVersion);
    }
    classes.push_back(out);
  }
  return classes;
}

std::unique_ptr<Plugin> Module::CreatePlugin(std::string* error) {
  for (const ClassInfo& info : Classes()) {
    if (info.category == kAudioModuleCategory) return CreatePlugin(info.cid, error);
  }
  SetError(error, "class not found: no \"Audio Module Class\" in " + binaryPath_);
  return nullptr;
}

std::unique_ptr<Plugin> Module::CreatePlugin(const uint8_t cid[16], std::string* error) {
  TUID classId;
  std::memcpy(classId, cid, sizeof classId);
  void* object = nullptr;
  if (factory_->createInstance(classId, IComponent::iid, &object) != kResultOk || !object) {
    SetError(error, "class not found or not creatable as a component in " + binaryPath_);
    return nullptr;
  }
  auto* component = static_cast<IComponent*>(object);
  std::unique_ptr<Plugin> plugin = Plugin::FromComponent(component, error);
  component->release();  // the plug-in holds references of its own
  if (!plugin || plugin->controller_) return plugin;
  // A component with a separate controller names the controller's class.
  TUID controllerId;
  void* controller = nullptr;
  if (plugin->component_->getControllerClassId(controllerId) != kResultOk ||
      factory_->createInstance(controllerId, IEditController::iid, &controller) != kResultOk || !controller) {
    SetError(error, "the component has no edit controller");
    return nullptr;
  }
  plugin->controller_ = static_cast<IEditController*>(controller);
  plugin->separateController_ = true;
  return plugin;
}

}  // namespace spwhost
