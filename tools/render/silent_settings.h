#pragma once
// Settings that the plug-in's other settings make silent: "Base Freq" while
// "Reference" is "Base Freq" (the slots hold the carriers), "Binaural" while it is
// "Binaural Freq" (the slots hold the beats) or, unlinked, while "Binaural Pan" is
// "Null",
// "Freq Equalizer" while "Reference" is "Binaural Freq". A change of one of them
// takes effect in the plug-in and is heard nowhere, so the renderer says so, naming
// the setting that would make it count.

#include <string>

#include "automation.h"

namespace spwhost {
class Plugin;
}

namespace spwrender {

// For a change that event made, read from plugin once it applies: "" when it
// counts, else one line, e.g. "Base Freq" changes nothing audible while
// "Reference" is "Base Freq": set "Reference=Binaural Freq" for it to count.
// Programme selections always count.
std::string SilentSettingNote(spwhost::Plugin& plugin, const AutomationEvent& event);

}  // namespace spwrender
