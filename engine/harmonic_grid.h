#pragma once
// The harmonic grid the tone slots are picked from: octave rows of a natural
// minor scale built on a reference frequency, 7 cells per row, numbered
// row * 7 + column + 1. It remembers which cells are occupied and by which
// slot, and performs the grid operations on the engine: refresh, re-link
// (following the reference up and down by whole rows if asked), assign and
// release a cell.
//
// The slot panel of the editor drives it: Refresh() and the panel's presses
// record requests, and RunPass() does the pending work. While passes are not
// deferred (no editor window open) every request runs its pass at once; while
// they are, the panel runs them from its timer tick.
//
// Threads: every operation runs under the instance lock (parameter handling
// on any thread, the panel on the editor thread).

#include <cstdint>

#include "slot_parameter_writer.h"
#include "tone_engine.h"

class HarmonicGrid {
 public:
  static constexpr int kColumns = 7;
  static constexpr int kRowCapacity = 24;
  static constexpr int kCells = kColumns * kRowCapacity;  // 168
  static constexpr int kMaxRows = 14;
  static constexpr int kMaxOccupied = kToneSlots;

  // The reference and limits of the current reference kind (Hz).
  struct Limits {
    float reference;
    double anchor;
    double floor;
    double ceiling;
  };

  // [main thread, at construction]
  HarmonicGrid(ToneEngine& engine, SlotParameterWriter& writer) noexcept;
  HarmonicGrid(const HarmonicGrid&) = delete;
  HarmonicGrid& operator=(const HarmonicGrid&) = delete;

  // ---- Requests ----

  // Asks for a re-link (referenceChanged, only while linked; following the
  // reference by rows with "Yes & up/down") or a refresh. A pending re-link
  // stays pending through later refreshes (it refreshes too), and a held
  // press never drops a request.
  void Refresh(bool referenceChanged) noexcept;
  // Performs the pending requests (consumed before the work, so one made
  // meanwhile waits for the next pass), then a pending press, and renews the
  // slot gains and the active-tone count. The requests come first: they give
  // slots recorded by slot parameters their place before a click picks the
  // lowest free slot. Does nothing and returns false while the engine knows no
  // sample rate to derive increments for (everything stays pending) or inside
  // a pass.
  bool RunPass() noexcept;
  // True while an editor window is open: the panel runs the passes from its
  // timer tick. Setting it false runs pending work at once.
  void SetPassesDeferred(bool deferred) noexcept;
  // Work the next pass would do: requests or a press.
  bool WorkPending() const noexcept {
    return pendingPress_ >= 0 || refreshRequested_ || relinkRequested_;
  }
  // True once a pass has computed the start frequency and the rows.
  bool LaidOut() const noexcept { return laidOut_; }

  // ---- The panel's press ----

  // The button went down on cell (0-based, absolute). The press is performed
  // once, by the first pass that finds a layout rate and the cell within the
  // rows: a left press on a free cell assigns it, on an occupied
  // one shows its frequency; a right press releases an occupied cell.
  void PressCell(int cell, bool rightButton) noexcept;
  // The button came up. A press not performed yet still is (a quick click),
  // unless the engine knows no rate yet: a press on a grid without rows is lost.
  // Only the drawing tells a held press from a performed one.
  void EndPress() noexcept;
  // The cell under the held button (drawn pressed), -1 when none.
  int HeldCell() const noexcept { return heldCell_; }

  // ---- Cell operations ----

  // A click on free cell (0-based index): the lowest free slot plays it with a
  // restart and its parameter gets the cell number. Refused (false) when 12
  // cells are occupied, no slot is free or the cell is above the ceiling.
  bool AssignCell(int cell) noexcept;
  // A right click on occupied cell: the slot is released (stop rule), its
  // parameter set to 0, the cell freed, and the ear captions show the
  // highest-numbered slot still active.
  void ReleaseCell(int cell) noexcept;
  // A left click on an occupied cell: only the ear captions show its frequency.
  void ShowCell(int cell) noexcept;

  // ---- Parameter effects ----

  // Slot bookkeeping when "Slot n" (slot 0..11) is applied with cell number
  // (1-based, 0 = none): free the slot's old cell unless another slot records
  // it, occupy the new one if free, refresh, and record the cell in slotCell.
  void ApplySlotParameter(int slot, int cellNumber) noexcept;
  // What a re-link compares the new reference and start frequency with.
  void SetPrevious(float reference, float start) noexcept;

  // ---- The grid model ----

  Limits CurrentLimits() const noexcept;
  // Row 0's frequency for a reference and limits (Hz, float).
  static float StartFrequencyFor(const Limits& limits) noexcept;
  // Rows below the ceiling, at most 14, for a start frequency.
  static int RowCountFor(float start, double ceiling) noexcept;
  // Frequency of a 0-based cell on a grid starting at start, to 0.01 Hz.
  float CellFrequencyFrom(float start, int cell) const noexcept;
  float CellFrequency(int cell) const noexcept { return CellFrequencyFrom(startFrequency_, cell); }
  bool CellInRange(int cell) const noexcept;
  // "%.2fHz", or "--" above the ceiling and for every cell while slots hold
  // beats with "Binaural Pan" at "Null". out holds kHzCaptionSize bytes.
  void CellLabel(int cell, char* out) const noexcept;

  float StartFrequency() const noexcept { return startFrequency_; }
  float PreviousReference() const noexcept { return previousReference_; }
  float PreviousStart() const noexcept { return previousStart_; }
  int RowCount() const noexcept { return rowCount_; }
  bool Occupied(int cell) const noexcept { return ValidCell(cell) && occupied_[cell] != 0; }
  int SlotOfCell(int cell) const noexcept { return ValidCell(cell) ? cellSlot_[cell] : -1; }
  int OccupiedCount() const noexcept { return occupiedCount_; }
  // +1 when a re-link since the last call moved the cells a row up, -1 down,
  // 0 none (the panel scrolls with them); the next call answers 0.
  int TakeRowMove() noexcept {
    const int move = lastRowMove_;
    lastRowMove_ = 0;
    return move;
  }
  // The lowest-numbered occupied cell, -1 when none.
  int LowestOccupiedCell() const noexcept;

 private:
  static bool ValidCell(int cell) noexcept { return cell >= 0 && cell < kCells; }
  int LowestFreeSlot() const noexcept;
  void Occupy(int cell, int slot) noexcept;
  // Silences the cell's slot (stop rule) and frees the cell; with writeParameter
  // the slot's parameter is set to 0.
  void FreeCell(int cell, bool writeParameter) noexcept;
  void ReleaseSlotOf(int cell) noexcept;  // releases the slot, writes 0; the cell stays occupied
  void WriteSlotCell(int slot, int cellNumber) noexcept;
  // Runs a pass now unless passes are deferred.
  void RequestPass() noexcept;
  void PerformPress() noexcept;
  // Performs the pending refresh or re-link, consuming the requests first.
  void Retune(const Limits& limits) noexcept;
  void MoveRows(float reference, float start, int rows) noexcept;
  void MoveCell(int from, int to) noexcept;
  void RefreshCell(int cell) noexcept;
  void RelinkCell(int cell) noexcept;

  ToneEngine& engine_;
  SlotParameterWriter& writer_;
  float startFrequency_ = 0.0f;     // Hz, row 0
  float previousReference_ = 0.0f;  // Hz, at the last re-link
  float previousStart_ = 0.0f;      // Hz, at the last re-link
  int rowCount_ = 0;
  int16_t cellSlot_[kCells];        // slot per cell, -1 = none
  uint8_t occupied_[kCells];
  int occupiedCount_ = 0;
  int heldCell_ = -1;               // under the held button, -1 = none
  int pendingPress_ = -1;           // a press not yet performed, -1 = none
  bool pressIsRight_ = false;
  bool laidOut_ = false;
  bool inPass_ = false;
  bool refreshRequested_ = false;
  bool relinkRequested_ = false;
  bool relinkFollows_ = false;      // "Yes & up/down"
  bool passesDeferred_ = false;
  int lastRowMove_ = 0;
};
