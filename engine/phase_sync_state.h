#pragma once
// What the phase-sync button shows: the number of active tones and whether the
// running tones are in step. The engine and the grid write it (under the
// instance lock, possibly on the audio thread); the button reads it on the
// editor thread and sets resyncRequested when clicked. Plain atomics, relaxed:
// a late update only delays a redraw.

#include <atomic>
#include <cstdint>

struct PhaseSyncState {
  std::atomic<uint8_t> synchronised{1};  // writers: renderer, glides, button; reader: button
  std::atomic<int32_t> activeTones{0};   // writer: grid pass; readers: button, glides
  std::atomic<uint8_t> dirty{0};         // writers: engine, grid; reader/clearer: button

  // [any thread] Marks the tones in step (or not) and asks for a redraw.
  void MarkSynchronised(bool inStep) noexcept {
    synchronised.store(inStep ? 1 : 0, std::memory_order_relaxed);
    dirty.store(1, std::memory_order_relaxed);
  }
  // [any thread] The count the button shows, and a redraw.
  void ShowActiveTones(int count) noexcept {
    activeTones.store(count, std::memory_order_relaxed);
    dirty.store(1, std::memory_order_relaxed);
  }
  // [editor thread] True once after each change: the button redraws.
  bool TakeDirty() noexcept { return dirty.exchange(0, std::memory_order_relaxed) != 0; }
  int ActiveTones() const noexcept { return activeTones.load(std::memory_order_relaxed); }
  bool Synchronised() const noexcept { return synchronised.load(std::memory_order_relaxed) != 0; }
};
