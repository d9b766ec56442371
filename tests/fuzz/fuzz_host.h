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
#include <limits>
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

// A value as hosts send them: one byte choosing a special value (NaN, infinities,
// range ends, huge and tiny), a plain number in 0..1 as a slider sends it, or
// eight bytes of any double.
inline double NextValue(FuzzInput& in) {
  static const double kSpecialValues[] = {
      std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN(),
      std::numeric_limits<double>::infinity(),  -std::numeric_limits<double>::infinity(),
      0.0, -0.0, 1.0, 0.5, 1e300, -1e300, 2.0, -1.0,
      std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(), 1.0 + 1e-15, 1e-300};
  constexpr int kSpecialCount = sizeof kSpecialValues / sizeof kSpecialValues[0];
  const uint8_t b = in.Byte();
  if (b < 128) return kSpecialValues[b % kSpecialCount];
  if (b < 192) return b / 191.0;
  return in.Double();
}

constexpr Steinberg::Vst::ParamID kPresetsId = 0x70727374;
constexpr Steinberg::Vst::ParamID kBypassId = 0x62706173;

// A parameter ID as hosts send them: one of the 24, "Presets", bypass, or four
// bytes of any ID.
inline Steinberg::Vst::ParamID NextId(FuzzInput& in) {
  const uint8_t b = in.Byte();
  if (b < kParameterCount) return b;
  if (b < 200) return kPresetsId;
  if (b < 230) return kBypassId;
  Steinberg::Vst::ParamID id = 0;
  for (int i = 0; i < 4; ++i) id = (id << 8) | in.Byte();
  return id;
}

// The run's one plug-in, at its default values.
inline DirectHost& FreshHost() {
  static DirectHost host;
  static const std::vector<uint8_t> defaults = host.State();
  Require(host.Ready() && defaults.size() == 8 * kParameterCount, "the plug-in starts");
  host.Restore(defaults);
  host.Changes().Clear();
  return host;
}
