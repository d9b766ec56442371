#pragma once
// The status line's explanation of a parameter's current effect.

#include "effect_base.h"
#include "tone_engine.h"

constexpr int kStatusTextSize = 64;   // the longest message has 38 characters
constexpr uint32_t kStatusShowMs = 9000;

// Writes the message for parameter paramIdx, from the engine's applied state and
// the parameters' values, into out (kStatusTextSize bytes), as its row in the
// parameter table makes it. Parameters without a message ("Unlink Ref", the
// slots) give the empty text. [under the instance lock]
void ComposeParamStatus(int paramIdx, const ToneEngine& engine, const IEffectBase& base, char* out) noexcept;

// Milliseconds of a steady clock, wrapping at 32 bits; the status line timeout reads it.
uint32_t StatusClockMs() noexcept;
