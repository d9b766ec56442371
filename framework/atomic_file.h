#pragma once
// Writing a small file so that it holds either its old contents or all of the new
// ones, never a part, whenever the program or the machine stops.
//
// Threads: any; two writers of the same file leave one's contents whole.

#include <filesystem>
#include <string>
#include <string_view>

// Writes bytes to target, making its folder when missing: into a temporary file of
// a name of its own beside target, flushed to the disk, then renamed over target.
// False with a short reason (without the path, which the caller names as it
// spells it) when that fails; target is then as it was and no temporary file stays.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes, std::string* reason);
