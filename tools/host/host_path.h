#pragma once
// File paths held as narrow strings, the way the command line and the narrow system
// calls hand them over: in the active code page on Windows, bytes as they are
// elsewhere. std::filesystem reads a narrow string on Windows neither way (u8path
// takes UTF-8, the plain constructor the C locale), so every conversion goes here.

#include <filesystem>
#include <string>

namespace spwhost {

std::filesystem::path NativePath(const std::string& text);
std::string NarrowPath(const std::filesystem::path& path);

}  // namespace spwhost
