#pragma once
// The door from the editor to the audio callback: parameter values the editor
// performed (beginEdit / performEdit / endEdit), in order. One producer (the UI
// thread, Push) and one consumer (the audio thread, Pop); lock-free, fixed size,
// allocation-free after construction. A full queue drops the new edit and counts it
// (the editor's own value stays, and the next edit of that knob carries it).

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace spwplay {

struct Edit {
  uint32_t id = 0;
  double normalized = 0.0;
};

class EditQueue {
 public:
  static constexpr size_t kCapacity = 1024;

  // [UI thread] False when the queue is full.
  bool Push(const Edit& edit) noexcept {
    const size_t tail = tail_.load(std::memory_order_relaxed);
    const size_t next = (tail + 1) % kCapacity;
    if (next == head_.load(std::memory_order_acquire)) {
      dropped_.fetch_add(1, std::memory_order_relaxed);
      return false;
    }
    slots_[tail] = edit;
    tail_.store(next, std::memory_order_release);
    return true;
  }

  // [audio thread] False when empty.
  bool Pop(Edit* edit) noexcept {
    const size_t head = head_.load(std::memory_order_relaxed);
    if (head == tail_.load(std::memory_order_acquire)) return false;
    *edit = slots_[head];
    head_.store((head + 1) % kCapacity, std::memory_order_release);
    return true;
  }

  uint64_t Dropped() const noexcept { return dropped_.load(std::memory_order_relaxed); }

 private:
  std::array<Edit, kCapacity> slots_{};
  std::atomic<size_t> head_{0};  // written by the consumer
  std::atomic<size_t> tail_{0};  // written by the producer
  std::atomic<uint64_t> dropped_{0};
};

}  // namespace spwplay
