#pragma once
// What spw_snapshot lists: the editor's controls and the plug-in's parameters,
// one line each, fields separated by tabs.

#include <cstdio>

class IEffectBase;
class IGraphics;

namespace spwsnapshot {

// index, class, left, top, right, bottom, parameter (-1: none), hidden (0 or 1)
void PrintControls(const IGraphics& graphics, std::FILE* out);
// name, normalised value, display text (with its unit)
void PrintParameters(const IEffectBase& plug, std::FILE* out);

}  // namespace spwsnapshot
