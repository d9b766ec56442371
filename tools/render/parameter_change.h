#pragma once
// One value to send to the plug-in before the first block: a VST 3 parameter ID and
// its normalised value (0..1).

#include <cstdint>

namespace spwrender {

struct ParameterChange {
  uint32_t id = 0;
  double normalized = 0.0;
};

}  // namespace spwrender
