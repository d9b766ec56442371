#pragma once
// The scale a Linux desktop sets for its applications: Xft.dpi in the X resource
// database (the root window's RESOURCE_MANAGER text), over the 96 DPI of 100 %.

#include <string>

namespace spwwin {

// The scale resources (the database's text) set, or 0 when they set none.
double ScaleFromResources(const std::string& resources);

}  // namespace spwwin
