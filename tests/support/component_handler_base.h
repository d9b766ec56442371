#pragma once
// What every test host's component handler answers alike: its interface,
// reference counting and restartComponent; the edits are the derived class's.

#include "host_objects.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

class ComponentHandlerBase : public Steinberg::Vst::IComponentHandler {
 public:
  virtual ~ComponentHandlerBase() = default;
  Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32) override { return Steinberg::kResultOk; }
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID queried, void** obj) override {
    QUERY_INTERFACE(queried, obj, Steinberg::FUnknown::iid, Steinberg::Vst::IComponentHandler)
    QUERY_INTERFACE(queried, obj, Steinberg::Vst::IComponentHandler::iid, Steinberg::Vst::IComponentHandler)
    *obj = nullptr;
    return Steinberg::kNoInterface;
  }
  SPWHOST_REFCOUNT
};

#pragma GCC diagnostic pop
