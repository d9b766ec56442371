#pragma once
// Where the renderer finds the plug-in bundle when --bundle is not given: the bundle
// of the same build tree, found from the program's own location, so the build tree
// can be moved or copied as a whole.

#include <string>

namespace spwrender {

// The folder of the running program, with a trailing separator; empty when unknown.
std::string ExecutableFolder();
// ExecutableFolder() joined with the bundle's path relative to it, which the build
// records at compile time.
std::string DefaultBundlePath();

}  // namespace spwrender
