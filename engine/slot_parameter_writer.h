#pragma once
// The grid writes a slot's cell number back into its "Slot n" parameter
// through this door; the plug-in implements it (store the value clamped,
// record it as applied, tell the host). The grid has already
// stored the cell in ToneEngine::slotCell, and the slot bookkeeping of a
// parameter change must not run for this write.

class SlotParameterWriter {
 public:
  virtual ~SlotParameterWriter() = default;
  // slot 0..11, cell 0..168 (0 = none). [under the instance lock, any thread]
  virtual void WriteSlotParameter(int slot, int cell) = 0;
};
