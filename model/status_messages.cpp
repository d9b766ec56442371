#include "status_messages.h"

#include <chrono>

#include "parameter_table.h"

void ComposeParamStatus(int paramIdx, const ToneEngine& engine, const IEffectBase& base, char* out) noexcept {
  ParameterRowOf(paramIdx).status(engine, base, out);
}

uint32_t StatusClockMs() noexcept {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}
