#pragma once
// What the module tells the host about itself and its one plug-in class.

#include "pluginterfaces/base/ipluginbase.h"

// The factory's vendor, web page (host and path, no scheme), e-mail and flags.
Steinberg::PFactoryInfo PluginFactoryInfo();
// The stereoPulseWeaver audio module class, its ID built from the plug-in's codes.
Steinberg::PClassInfo2 PluginClassInfo();
