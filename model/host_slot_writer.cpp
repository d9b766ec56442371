#include "host_slot_writer.h"

#include "parameter_ids.h"

void HostSlotWriter::WriteSlotParameter(int slot, int cell) {
  const int paramIdx = kSlot1 + slot;
  IParameter* param = plugin_.ParamAt(paramIdx);
  if (!param) return;
  plugin_.BeginHostEdit(paramIdx);
  param->SetValueClamped(cell);
  lastAppliedValue_[paramIdx] = -1;
  plugin_.EndHostEdit(paramIdx);
}
