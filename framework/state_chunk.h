#pragma once
// Growable byte buffer holding parameter values for the host state and for presets.
// Values are stored as little-endian IEEE 754 doubles whatever the machine's byte order.

#include <cstdint>
#include <vector>

class StateChunk {
 public:
  void PutBytes(const void* data, int size);
  // Copies size bytes from pos into out; returns the position after them,
  // or -1 (out untouched) when fewer than size bytes remain.
  int GetBytes(void* out, int size, int pos) const;

  void PutDouble(double value);
  int GetDouble(double* out, int pos) const;

  int Size() const { return static_cast<int>(bytes_.size()); }
  const uint8_t* Data() const { return bytes_.data(); }
  void Clear() { bytes_.clear(); }

 private:
  std::vector<uint8_t> bytes_;
};
