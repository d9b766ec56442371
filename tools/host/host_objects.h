#pragma once
// The objects a host hands a plug-in: its application context, the parameter
// changes and the note events of one block. Each is reference counted the SDK's
// way but lives inside the host library, which keeps it alive while in use.

#include <atomic>
#include <string>
#include <vector>

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

// SDK interfaces have no virtual destructors: objects are destroyed by their own
// release(), never deleted through an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace spwhost {

// Reference counting for objects owned by the host library: counts, never deletes.
#define SPWHOST_REFCOUNT                                                   \
  Steinberg::uint32 PLUGIN_API addRef() override { return ++refs_; }        \
  Steinberg::uint32 PLUGIN_API release() override { return --refs_; }       \
                                                                            \
 private:                                                                   \
  std::atomic<Steinberg::uint32> refs_{1};                                  \
                                                                            \
 public:

class HostApplication : public Steinberg::Vst::IHostApplication {
 public:
  explicit HostApplication(std::string name) : name_(std::move(name)) {}
  virtual ~HostApplication() = default;
  void SetName(const std::string& name) { name_ = name; }
  Steinberg::tresult PLUGIN_API getName(Steinberg::Vst::String128 name) override;
  Steinberg::tresult PLUGIN_API createInstance(Steinberg::TUID cid, Steinberg::TUID iid, void** obj) override;
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  SPWHOST_REFCOUNT

 private:
  std::string name_;
};

// A component handler that takes every edit and restart and does nothing with them;
// a host overrides what it acts on.
class ComponentHandler : public Steinberg::Vst::IComponentHandler {
 public:
  virtual ~ComponentHandler() = default;
  Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID) override { return Steinberg::kResultOk; }
  Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID, Steinberg::Vst::ParamValue) override {
    return Steinberg::kResultOk;
  }
  Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID) override { return Steinberg::kResultOk; }
  Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32) override { return Steinberg::kResultOk; }
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID interfaceId, void** obj) override;
  SPWHOST_REFCOUNT
};

class ParamValueQueue : public Steinberg::Vst::IParamValueQueue {
 public:
  explicit ParamValueQueue(Steinberg::Vst::ParamID id) : id_(id) {}
  virtual ~ParamValueQueue() = default;
  Steinberg::Vst::ParamID PLUGIN_API getParameterId() override { return id_; }
  Steinberg::int32 PLUGIN_API getPointCount() override { return static_cast<Steinberg::int32>(points_.size()); }
  Steinberg::tresult PLUGIN_API getPoint(Steinberg::int32 index, Steinberg::int32& sampleOffset,
                                         Steinberg::Vst::ParamValue& value) override;
  Steinberg::tresult PLUGIN_API addPoint(Steinberg::int32 sampleOffset, Steinberg::Vst::ParamValue value,
                                         Steinberg::int32& index) override;
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  SPWHOST_REFCOUNT

 private:
  Steinberg::Vst::ParamID id_;
  std::vector<std::pair<Steinberg::int32, Steinberg::Vst::ParamValue>> points_;
};

class ParameterChanges : public Steinberg::Vst::IParameterChanges {
 public:
  virtual ~ParameterChanges();
  Steinberg::int32 PLUGIN_API getParameterCount() override { return static_cast<Steinberg::int32>(queues_.size()); }
  Steinberg::Vst::IParamValueQueue* PLUGIN_API getParameterData(Steinberg::int32 index) override;
  Steinberg::Vst::IParamValueQueue* PLUGIN_API addParameterData(const Steinberg::Vst::ParamID& id,
                                                                Steinberg::int32& index) override;
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  void Clear();
  SPWHOST_REFCOUNT

 private:
  std::vector<ParamValueQueue*> queues_;
};

class EventList : public Steinberg::Vst::IEventList {
 public:
  virtual ~EventList() = default;
  Steinberg::int32 PLUGIN_API getEventCount() override { return static_cast<Steinberg::int32>(events_.size()); }
  Steinberg::tresult PLUGIN_API getEvent(Steinberg::int32 index, Steinberg::Vst::Event& e) override;
  Steinberg::tresult PLUGIN_API addEvent(Steinberg::Vst::Event& e) override;
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  void Clear() { events_.clear(); }
  SPWHOST_REFCOUNT

 private:
  std::vector<Steinberg::Vst::Event> events_;
};

}  // namespace spwhost

#pragma GCC diagnostic pop
