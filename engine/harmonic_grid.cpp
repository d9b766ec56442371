#include "harmonic_grid.h"

#include <cmath>
#include <cstring>

#include "caption_format.h"
#include "rounding.h"

namespace {

constexpr int kExtraHalvings = 7;  // octaves the grid reaches below the anchor

// Carrier grids sit around 500 Hz within 20..20000 Hz; beat grids around 20 Hz within 0.15..2000 Hz.
constexpr double kCarrierAnchor = 500.0;
constexpr double kCarrierFloor = 20.0;
constexpr double kCarrierCeiling = 20000.0;
constexpr double kBeatAnchor = 20.0;
constexpr float kBeatFloor = 0.15f;
constexpr double kBeatCeiling = 2000.0;

}  // namespace

HarmonicGrid::HarmonicGrid(ToneEngine& engine, SlotParameterWriter& writer) noexcept
    : engine_(engine), writer_(writer) {
  for (int16_t& slot : cellSlot_) slot = -1;
  std::memset(occupied_, 0, sizeof occupied_);
}

// ---------------------------------------------------------------- the grid model

HarmonicGrid::Limits HarmonicGrid::CurrentLimits() const noexcept {
  const float reference = engine_.linkMode != 0 ? engine_.SharedReference() : engine_.unlinkReference;
  if (engine_.slotsHoldBase) return {reference, kCarrierAnchor, kCarrierFloor, kCarrierCeiling};
  return {reference, kBeatAnchor, static_cast<double>(kBeatFloor), kBeatCeiling};
}

float HarmonicGrid::StartFrequencyFor(const Limits& limits) noexcept {
  float start = limits.reference;
  if (!(start > 0.0f) || !std::isfinite(start)) return start;  // no octave of it reaches the anchor
  // Into the anchor's octave, then up to seven octaves further down, not below the floor.
  if (static_cast<double>(start) > limits.anchor) {
    while (static_cast<double>(start) * 0.5 >= limits.anchor) start *= 0.5f;
  } else {
    while (static_cast<double>(start) * 2.0 <= limits.anchor) start *= 2.0f;
  }
  for (int i = 0; i < kExtraHalvings && static_cast<double>(start) * 0.5 >= limits.floor; ++i) start *= 0.5f;
  return start;
}

int HarmonicGrid::RowCountFor(float start, double ceiling) noexcept {
  int rows = 0;
  while (rows < kMaxRows && std::ldexp(static_cast<double>(start), rows) < ceiling) ++rows;
  return rows;
}

float HarmonicGrid::CellFrequencyFrom(float start, int cell) const noexcept {
  const int row = cell / kColumns;
  const int column = cell % kColumns;
  const float rowFrequency = std::ldexp(start, row);
  const double exact = column == 0 ? static_cast<double>(rowFrequency)
                                   : static_cast<double>(rowFrequency) * engine_.scaleRatios[column - 1];
  const double hundredths = exact * 100.0;
  if (!(std::fabs(hundredths) < 2147483647.0)) return static_cast<float>(exact);  // far above any ceiling
  return HundredthsToFloat(RoundHalfAwayFromZero(hundredths));
}

bool HarmonicGrid::CellInRange(int cell) const noexcept {
  return static_cast<double>(CellFrequency(cell)) <= CurrentLimits().ceiling;
}

void HarmonicGrid::CellLabel(int cell, char* out) const noexcept {
  const bool beatsWithoutBeat = !engine_.slotsHoldBase && engine_.panMode == 4;
  if (beatsWithoutBeat || !CellInRange(cell)) {
    out[0] = out[1] = '-';
    out[2] = '\0';
    return;
  }
  FormatHzCaption(CellFrequency(cell), out);
}

// ---------------------------------------------------------------- requests and passes

void HarmonicGrid::Refresh(bool referenceChanged) noexcept {
  if (!referenceChanged) {
    refreshRequested_ = true;  // a pending re-link stays: it retunes every cell as well
  } else if (engine_.linkMode != 0) {
    relinkRequested_ = true;
    relinkFollows_ = engine_.linkMode == 2;
  }
  RequestPass();
}

void HarmonicGrid::SetPassesDeferred(bool deferred) noexcept {
  passesDeferred_ = deferred;
  if (WorkPending()) RequestPass();  // nothing may wait for a window that is gone
}

void HarmonicGrid::RequestPass() noexcept {
  if (!passesDeferred_) RunPass();
}

bool HarmonicGrid::RunPass() noexcept {
  if (!(engine_.layoutRate > 0.0) || inPass_) return false;
  inPass_ = true;
  const Limits limits = CurrentLimits();
  if (!laidOut_) startFrequency_ = StartFrequencyFor(limits);  // a press may come before any request
  laidOut_ = true;
  rowCount_ = RowCountFor(startFrequency_, limits.ceiling);
  Retune(limits);
  PerformPress();
  engine_.UpdateSlotGains();
  engine_.phaseSync.ShowActiveTones(engine_.activeSlotCount);
  inPass_ = false;
  return true;
}

void HarmonicGrid::Retune(const Limits& limits) noexcept {
  const bool relink = relinkRequested_;
  const bool follows = relinkFollows_;
  if (!relink && !refreshRequested_) return;
  refreshRequested_ = relinkRequested_ = relinkFollows_ = false;  // consumed before the work
  startFrequency_ = StartFrequencyFor(limits);
  rowCount_ = RowCountFor(startFrequency_, limits.ceiling);
  if (relink) {
    if (follows) MoveRows(limits.reference, startFrequency_, rowCount_);
    previousReference_ = limits.reference;
    previousStart_ = startFrequency_;
  }
  const int cells = rowCount_ * kColumns;
  for (int cell = 0; cell < cells; ++cell) {
    if (!occupied_[cell]) continue;
    if (relink) {
      RelinkCell(cell);
    } else {
      RefreshCell(cell);
    }
  }
}

void HarmonicGrid::SetPrevious(float reference, float start) noexcept {
  previousReference_ = reference;
  previousStart_ = start;
}

// "Yes & up/down": when the reference crosses an octave boundary the start
// frequency jumps by an octave the other way; moving the cells a row keeps
// every slot's pitch close to where it was.
void HarmonicGrid::MoveRows(float reference, float start, int rows) noexcept {
  const int cells = rows * kColumns;
  if (reference > previousReference_ && start < previousStart_) {
    lastRowMove_ = 1;
    for (int cell = kCells - 1; cell >= 0; --cell) {
      if (occupied_[cell] && cell + kColumns < cells) MoveCell(cell, cell + kColumns);
    }
  } else if (reference < previousReference_ && start > previousStart_) {
    lastRowMove_ = -1;
    for (int cell = kColumns; cell < kCells; ++cell) {
      if (occupied_[cell]) MoveCell(cell, cell - kColumns);
    }
  } else if (reference > previousReference_) {
    for (int cell = cells < kColumns ? kColumns : cells; cell < kCells; ++cell) {
      if (occupied_[cell]) MoveCell(cell, cell - kColumns);
    }
  }
}

void HarmonicGrid::MoveCell(int from, int to) noexcept {
  if (occupied_[to]) FreeCell(to, true);
  const int slot = cellSlot_[from];
  occupied_[to] = 1;
  cellSlot_[to] = static_cast<int16_t>(slot);
  occupied_[from] = 0;
  cellSlot_[from] = -1;
  if (slot >= 0) WriteSlotCell(slot, to + 1);
}

void HarmonicGrid::RefreshCell(int cell) noexcept {
  if (!CellInRange(cell)) {
    cellSlot_[cell] = -1;  // the slot keeps sounding at its previous frequency
    return;
  }
  engine_.SetSlotFrequency(cellSlot_[cell], CellFrequency(cell), false);  // no slot: captions only
}

void HarmonicGrid::RelinkCell(int cell) noexcept {
  const int slot = cellSlot_[cell];
  if (!CellInRange(cell)) {
    if (slot >= 0) ReleaseSlotOf(cell);
    return;
  }
  if (slot >= 0) {
    engine_.SetSlotFrequency(slot, CellFrequency(cell), false);
    return;
  }
  // Back in range: the lowest free slot takes it, as a click would.
  const int fresh = LowestFreeSlot();
  if (fresh < 0) return;
  cellSlot_[cell] = static_cast<int16_t>(fresh);
  engine_.SetSlotFrequency(fresh, CellFrequency(cell), true);
  WriteSlotCell(fresh, cell + 1);
}

// ---------------------------------------------------------------- cell operations

int HarmonicGrid::LowestFreeSlot() const noexcept {
  for (int s = 0; s < kToneSlots; ++s) {
    if (!engine_.bank.slotActive[s]) return s;
  }
  return -1;
}

void HarmonicGrid::Occupy(int cell, int slot) noexcept {
  occupied_[cell] = 1;
  cellSlot_[cell] = static_cast<int16_t>(slot);
  ++occupiedCount_;
}

void HarmonicGrid::FreeCell(int cell, bool writeParameter) noexcept {
  const int slot = cellSlot_[cell];
  if (slot >= 0) {
    engine_.ReleaseSlot(slot);
    if (writeParameter) WriteSlotCell(slot, 0);
  }
  occupied_[cell] = 0;
  cellSlot_[cell] = -1;
  --occupiedCount_;
}

void HarmonicGrid::ReleaseSlotOf(int cell) noexcept {
  const int slot = cellSlot_[cell];
  engine_.ReleaseSlot(slot);
  WriteSlotCell(slot, 0);
  cellSlot_[cell] = -1;
}

void HarmonicGrid::WriteSlotCell(int slot, int cellNumber) noexcept {
  engine_.slotCell[slot] = cellNumber;
  writer_.WriteSlotParameter(slot, cellNumber);
}

bool HarmonicGrid::AssignCell(int cell) noexcept {
  if (!ValidCell(cell) || occupied_[cell] || occupiedCount_ >= kMaxOccupied) return false;
  const int slot = LowestFreeSlot();
  if (slot < 0 || !CellInRange(cell)) return false;
  engine_.SetSlotFrequency(slot, CellFrequency(cell), true);
  WriteSlotCell(slot, cell + 1);
  engine_.bank.slotActive[slot] = 1;
  Occupy(cell, slot);
  return true;
}

void HarmonicGrid::ReleaseCell(int cell) noexcept {
  if (!Occupied(cell)) return;
  const bool hadSlot = cellSlot_[cell] >= 0;
  FreeCell(cell, true);
  if (!hadSlot) return;
  float shown = -1.0f;  // none left: the last frequency shown
  for (int s = 0; s < kToneSlots; ++s) {
    if (engine_.bank.slotActive[s]) shown = engine_.bank.slotFrequency[s];
  }
  engine_.SetSlotFrequency(-1, shown, false);
}

void HarmonicGrid::ShowCell(int cell) noexcept {
  if (ValidCell(cell)) engine_.SetSlotFrequency(-1, CellFrequency(cell), false);
}

void HarmonicGrid::PressCell(int cell, bool rightButton) noexcept {
  if (!ValidCell(cell)) return;
  heldCell_ = pendingPress_ = cell;
  pressIsRight_ = rightButton;
  RequestPass();
}

void HarmonicGrid::EndPress() noexcept {
  heldCell_ = -1;
  if (!(engine_.layoutRate > 0.0)) pendingPress_ = -1;
}

void HarmonicGrid::PerformPress() noexcept {
  const int cell = pendingPress_;
  if (cell < 0) return;
  pendingPress_ = -1;
  if (cell >= rowCount_ * kColumns) return;  // no such row on this grid
  if (pressIsRight_) {
    ReleaseCell(cell);  // a free cell: nothing
  } else if (occupied_[cell]) {
    ShowCell(cell);
  } else {
    AssignCell(cell);
  }
}

int HarmonicGrid::LowestOccupiedCell() const noexcept {
  for (int cell = 0; cell < kCells; ++cell) {
    if (occupied_[cell]) return cell;
  }
  return -1;
}

// ---------------------------------------------------------------- slot parameters

void HarmonicGrid::ApplySlotParameter(int slot, int cellNumber) noexcept {
  if (slot < 0 || slot >= kToneSlots) return;
  const int old = engine_.slotCell[slot];
  if (old > 0 && old <= kCells && occupied_[old - 1]) {
    bool shared = false;
    for (int m = 0; m < kToneSlots; ++m) shared = shared || (m != slot && engine_.slotCell[m] == old);
    if (!shared) FreeCell(old - 1, false);
  }
  if (cellNumber > 0 && cellNumber <= kCells && !occupied_[cellNumber - 1]) Occupy(cellNumber - 1, slot);
  Refresh(false);
  engine_.slotCell[slot] = cellNumber;
}
