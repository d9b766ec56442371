#pragma once
// Audio a failed check was made on, written next to the test log as a stereo
// 32-bit float WAV that any audio editor opens.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

template <typename Sample>
void WriteStereoWav(const std::string& path, const std::vector<Sample>& left, const std::vector<Sample>& right,
                    uint32_t rate) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  const uint32_t frames = static_cast<uint32_t>(left.size());
  const uint32_t dataBytes = frames * 2 * 4;
  auto u32 = [f](uint32_t v) { std::fwrite(&v, 4, 1, f); };
  auto u16 = [f](uint16_t v) { std::fwrite(&v, 2, 1, f); };
  std::fwrite("RIFF", 1, 4, f);
  u32(36 + dataBytes);
  std::fwrite("WAVEfmt ", 1, 8, f);
  u32(16);
  u16(3);  // 32-bit float
  u16(2);
  u32(rate);
  u32(rate * 8);
  u16(8);
  u16(32);
  std::fwrite("data", 1, 4, f);
  u32(dataBytes);
  for (uint32_t i = 0; i < frames; ++i) {
    const float pair[2] = {static_cast<float>(left[i]), static_cast<float>(right[i])};
    std::fwrite(pair, 4, 2, f);
  }
  std::fclose(f);
}
