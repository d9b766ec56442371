#pragma once
// The player's component handler: what the editor performs (performEdit) goes into
// the player's copy of the values and, through the edit queue, to the plug-in in the
// next audio callback, and is kept as the person's choice (chosen_settings.h).
// Begin and end of a gesture need nothing more from a player that records no
// automation.
//
// Threads: the UI thread, which the editor calls it on.

#include <vector>

#include "edit_queue.h"
#include "host_objects.h"
#include "parameter_table.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace spwplay {

class EditHandler : public spwhost::ComponentHandler {
 public:
  EditHandler(ParameterTable& table, EditQueue& queue) : table_(table), queue_(queue) {}
  virtual ~EditHandler() = default;

  Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value) override {
    const int index = table_.IndexOf(id);
    if (index >= 0) table_.Set(index, value);
    // A drag's run of values of one knob is one choice: its last value.
    if (!byHand_.empty() && byHand_.back().id == id) byHand_.pop_back();
    byHand_.push_back({id, value});
    return queue_.Push({id, value}) ? Steinberg::kResultOk : Steinberg::kResultFalse;
  }

  // What the person set by hand, in order.
  const std::vector<Edit>& ByHand() const { return byHand_; }

 private:
  std::vector<Edit> byHand_;
  ParameterTable& table_;
  EditQueue& queue_;
};

}  // namespace spwplay

#pragma GCC diagnostic pop
