#include "host_slot_writer.h"

#include "parameter_ids.h"
#include "rounding.h"

void HostSlotWriter::WriteSlotParameter(int slot, int cell) {
  const int paramIdx = kSlot1 + slot;
  IParameter* param = plugin_.ParamAt(paramIdx);
  if (!param) return;
  param->SetValueClamped(cell);
  // Recorded as applied: the host's echo of this value changes nothing.
  lastAppliedValue_[paramIdx] = RoundHalfAwayFromZero(param->Value());
  plugin_.ReportParameterToHost(paramIdx);
}
