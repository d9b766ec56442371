#pragma once
// A short MIDI message as the framework passes it to the plug-in.

#include <cstdint>

struct IMidiMessage {
  int32_t offset = 0;  // samples into the block
  uint8_t status = 0;
  uint8_t data1 = 0;
  uint8_t data2 = 0;
};
