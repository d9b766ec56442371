#pragma once
// The grid's write of a cell number into a "Slot n" parameter, told to the
// host as a whole edit (begin, the value, end; within a block, in its output
// parameter changes). The value is stored clamped, the slot bookkeeping of the
// change handler does not run for it, and it counts as applied, so the host's
// echo of it changes nothing.

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
