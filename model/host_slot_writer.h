#pragma once
// The grid's write of a cell number into a "Slot n" parameter, told to the
// host as a begin/end edit pair. The value is stored clamped, the slot
// bookkeeping of the change handler does not run for it, and the next
// delivery of the parameter is applied again (its last applied value is
// forgotten).

#include <cstdint>

#include "effect_base.h"
#include "slot_parameter_writer.h"

class HostSlotWriter : public SlotParameterWriter {
 public:
  // lastAppliedValue: the plug-in's table of applied values, one per parameter.
  HostSlotWriter(IEffectBase& plugin, int32_t* lastAppliedValue) : plugin_(plugin), lastAppliedValue_(lastAppliedValue) {}
  // [any thread, under the instance lock]
  void WriteSlotParameter(int slot, int cell) override;

 private:
  IEffectBase& plugin_;
  int32_t* lastAppliedValue_;
};
