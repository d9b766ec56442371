#pragma once
// The 24 parameters as data, one row each: how the parameter is defined, the
// integer its value is applied as, what applying that integer does and how
// the status line explains it. Adding a parameter is one row in
// parameter_table.cpp (and, if it has a control, one row in the editor's
// layout table).

#include <cstdint>

#include "effect_base.h"
#include "tone_engine.h"

class CLS_STEREOPULSEWEAVER;

struct ParameterDefinition {
  const char* name;
  EParameterKind kind;
  double defaultValue;
  double minimum;
  double maximum;
  double step;
  const char* unit;
  double shape;
  const char* const* texts;  // enumerations: value texts, null-terminated
};

struct ParameterRow {
  ParameterDefinition definition;  // the twelve slots are defined in a loop instead
  bool hundredths;                 // applied as hundredths (frequencies, fade time), else whole units
  // What applying the integer a does to the plug-in. [under the instance lock]
  void (*apply)(CLS_STEREOPULSEWEAVER& plugin, int paramIdx, int32_t a);
  // Writes the status line's explanation of the parameter's current effect, from
  // the engine's applied state and the parameters' values, into out
  // (kStatusTextSize bytes); the empty text for none. [under the instance lock]
  void (*status)(const ToneEngine& engine, const IEffectBase& base, char* out) noexcept;
};

// The row of parameter paramIdx (0..kParameterCount - 1); the slots share one.
const ParameterRow& ParameterRowOf(int paramIdx) noexcept;

// Defines every parameter of the plug-in on base, in index order.
void DefineParameters(IEffectBase& base);
