#pragma once
// The player's component handler: what the editor performs (performEdit) goes into
// the player's copy of the values and, through the edit queue, to the plug-in in the
// next audio callback. Begin and end of a gesture need nothing more from a player
// that records no automation.
//
// Threads: the UI thread, which the editor calls it on.

#include "edit_queue.h"
#include "host_objects.h"
#include "parameter_table.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace spwplay {

class EditHandler : public Steinberg::Vst::IComponentHandler {
 public:
  EditHandler(ParameterTable& table, EditQueue& queue) : table_(table), queue_(queue) {}
  virtual ~EditHandler() = default;

  Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID) override { return Steinberg::kResultOk; }
  Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value) override {
    const int index = table_.IndexOf(id);
    if (index >= 0) table_.Set(index, value);
    return queue_.Push({id, value}) ? Steinberg::kResultOk : Steinberg::kResultFalse;
  }
  Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID) override { return Steinberg::kResultOk; }
  Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32) override { return Steinberg::kResultOk; }
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID queried, void** obj) override {
    QUERY_INTERFACE(queried, obj, Steinberg::FUnknown::iid, Steinberg::Vst::IComponentHandler)
    QUERY_INTERFACE(queried, obj, Steinberg::Vst::IComponentHandler::iid, Steinberg::Vst::IComponentHandler)
    *obj = nullptr;
    return Steinberg::kNoInterface;
  }
  SPWHOST_REFCOUNT

 private:
  ParameterTable& table_;
  EditQueue& queue_;
};

}  // namespace spwplay

#pragma GCC diagnostic pop
