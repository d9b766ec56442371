#pragma once
// The factory programmes: slot 0 "---- default ----", then 156 named programmes.

#include "effect_base.h"
#include "parameter_ids.h"

constexpr int kFactoryProgrammeCount = 156;
// The "(only harmonics)" programmes change only the slots when selected.
constexpr int kFirstSlotsOnlyPreset = 10;
constexpr int kLastSlotsOnlyPreset = 12;

// [main thread, at construction] Fills preset slots 0 to 156; 157 to 159 stay unfilled.
void AddFactoryPresets(IEffectBase& base);
