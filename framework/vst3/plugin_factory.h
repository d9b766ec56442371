#pragma once
// The module's class factory: describes itself and its registered classes to the
// host (IPluginFactory, IPluginFactory2, IPluginFactory3) and creates instances.
// Reference counted; destroys itself when the last reference goes.
//
// Threads: any host thread; the class table is filled before the factory is handed out.

#include <atomic>
#include <vector>

#include "pluginterfaces/base/ipluginbase.h"

// SDK interfaces have no virtual destructors: objects are destroyed by their own
// release(), never deleted through an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace spw_vst3 {

class PluginFactory : public Steinberg::IPluginFactory3 {
 public:
  // Creates a new instance, returned with one reference held for the caller, or null.
  using CreateFunction = Steinberg::FUnknown* (*)(void* context);

  explicit PluginFactory(const Steinberg::PFactoryInfo& info);
  virtual ~PluginFactory();

  void AddClass(const Steinberg::PClassInfo2& info, CreateFunction create, void* context);

  // ---- IPluginFactory ----
  Steinberg::tresult PLUGIN_API getFactoryInfo(Steinberg::PFactoryInfo* info) override;
  Steinberg::int32 PLUGIN_API countClasses() override;
  Steinberg::tresult PLUGIN_API getClassInfo(Steinberg::int32 index, Steinberg::PClassInfo* info) override;
  Steinberg::tresult PLUGIN_API createInstance(Steinberg::FIDString cid, Steinberg::FIDString iid,
                                               void** obj) override;
  // ---- IPluginFactory2 ----
  Steinberg::tresult PLUGIN_API getClassInfo2(Steinberg::int32 index, Steinberg::PClassInfo2* info) override;
  // ---- IPluginFactory3 ----
  Steinberg::tresult PLUGIN_API getClassInfoUnicode(Steinberg::int32 index, Steinberg::PClassInfoW* info) override;
  Steinberg::tresult PLUGIN_API setHostContext(Steinberg::FUnknown* context) override;

  // ---- FUnknown ----
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override;
  Steinberg::uint32 PLUGIN_API release() override;

 private:
  struct ClassEntry {
    Steinberg::PClassInfo2 info;
    CreateFunction create;
    void* context;
  };

  Steinberg::PFactoryInfo factoryInfo_;
  std::vector<ClassEntry> classes_;
  std::atomic<Steinberg::uint32> refCount_{1};
};

}  // namespace spw_vst3

#pragma GCC diagnostic pop
