#pragma once
// One preset slot: a name and the parameter values stored as a state chunk.

#include "state_chunk.h"

struct IPresetSlot {
  static constexpr int kNameSize = 256;  // terminator included

  bool filled = false;
  char name[kNameSize] = {};
  StateChunk chunk;
};
