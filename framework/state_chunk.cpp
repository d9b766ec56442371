#include "state_chunk.h"

#include <cstring>

namespace {
constexpr size_t kGrowStep = 4096;  // bytes; a 24-parameter state never grows twice
}

void StateChunk::PutBytes(const void* data, int size) {
  if (size <= 0) return;
  const size_t needed = bytes_.size() + static_cast<size_t>(size);
  if (needed > bytes_.capacity()) bytes_.reserve((needed + kGrowStep - 1) / kGrowStep * kGrowStep);
  const auto* p = static_cast<const uint8_t*>(data);
  bytes_.insert(bytes_.end(), p, p + size);
}

int StateChunk::GetBytes(void* out, int size, int pos) const {
  if (pos < 0 || size < 0 || pos > Size() || Size() - pos < size) return -1;
  if (size > 0) std::memcpy(out, bytes_.data() + pos, static_cast<size_t>(size));
  return pos + size;
}

void StateChunk::PutDouble(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  uint8_t le[8];
  for (int i = 0; i < 8; ++i) le[i] = static_cast<uint8_t>(bits >> (8 * i));
  PutBytes(le, 8);
}

int StateChunk::GetDouble(double* out, int pos) const {
  uint8_t le[8];
  const int next = GetBytes(le, 8, pos);
  if (next < 0) return -1;
  uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) bits |= static_cast<uint64_t>(le[i]) << (8 * i);
  std::memcpy(out, &bits, sizeof bits);
  return next;
}
