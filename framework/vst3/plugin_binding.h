#pragma once
// The host binding a plug-in class derives from in this build: VST 3. The
// WebAssembly build finds framework/web's header of the same name instead.

#include "effect_vst3.h"

using PluginBinding = spw_vst3::IEffectVST3;
