#pragma once
// The 24 parameter definitions as data, applied to the base at construction.

#include "effect_base.h"

// Defines every parameter of the plug-in on base, in index order.
void DefineParameters(IEffectBase& base);
