#pragma once
// What both fuzz targets share: reading the fuzzer's bytes, a check that stops
// the run (a crash to libFuzzer, which keeps the input), and the plug-in.
//
// One instance serves every input of a run: creating one starts (and destroying
// one joins) its watchdog thread, which would cost more than the input itself.
// Each input therefore starts from the same values, the default state restored.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "direct_host.h"

// Stops the run with what went wrong.
inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

// Reads the fuzzer's bytes from the front; past the end every read gives 0.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return pos_ >= size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  // Eight bytes as a little-endian IEEE 754 double: NaNs, infinities and all.
  double Double() {
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= static_cast<uint64_t>(Byte()) << (8 * i);
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  std::vector<uint8_t> Rest() {
    const size_t from = pos_ < size_ ? pos_ : size_;
    pos_ = size_;
    return std::vector<uint8_t>(data_ + from, data_ + size_);
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// The run's one plug-in, at its default values.
inline DirectHost& FreshHost() {
  static DirectHost host;
  static const std::vector<uint8_t> defaults = host.State();
  Require(host.Ready() && defaults.size() == 8 * kParameterCount, "the plug-in starts");
  host.Restore(defaults);
  host.Changes().Clear();
  return host;
}
