#pragma once
// The host binding a plug-in class derives from in this build: the web page's.
// Other builds find framework/vst3's header of the same name instead.

#include "effect_web.h"

using PluginBinding = spw_web::IEffectWeb;
