#pragma once
// Where the renderer finds the plug-in bundle when --bundle is not given: the bundle
// of the same build tree, found from the program's own location, so the build tree
// can be moved or copied as a whole; for an installed program, the bundle installed
// with it.

#include <string>

namespace spwrender {

// The folder of the running program, with a trailing separator; empty when unknown.
std::string ExecutableFolder();
// The build tree's bundle (ExecutableFolder() joined with its path relative to the
// program, recorded at compile time) when it is there, else the installed one when
// that is there, else the build tree's (for the error message).
std::string DefaultBundlePath();

}  // namespace spwrender
