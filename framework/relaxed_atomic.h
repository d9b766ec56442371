#pragma once
// A value that the host's controller side reads and writes without the instance
// lock while the audio thread uses it under the lock: a relaxed atomic (the same
// plain loads and stores on x86-64, without a data race), copyable so that the
// objects holding it stay copyable.

#include <atomic>

template <class T>
class RelaxedAtomic {
 public:
  RelaxedAtomic(T value = T()) noexcept : value_(value) {}
  RelaxedAtomic(const RelaxedAtomic& other) noexcept : value_(other.Load()) {}
  RelaxedAtomic& operator=(const RelaxedAtomic& other) noexcept {
    Store(other.Load());
    return *this;
  }
  RelaxedAtomic& operator=(T value) noexcept {
    Store(value);
    return *this;
  }
  operator T() const noexcept { return Load(); }
  T Load() const noexcept { return value_.load(std::memory_order_relaxed); }
  void Store(T value) noexcept { value_.store(value, std::memory_order_relaxed); }

 private:
  std::atomic<T> value_;
};
