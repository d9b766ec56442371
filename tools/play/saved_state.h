#pragma once
// What the player remembers between runs: the plug-in's component and controller
// state, as a host saves them with a project, in one file in the user's settings
// folder (user_settings_folder.h). Written whole to a temporary file and renamed
// over the old one (atomic_file.h), so a crash never leaves half a file.
//
// File: "SPWPLAY1", then two blocks of (64-bit little-endian length, bytes):
// component state, controller state.
//
// Threads: the main thread.

#include <cstdint>
#include <string>
#include <vector>

namespace spwplay {

struct PluginState {
  std::vector<uint8_t> component;
  std::vector<uint8_t> controller;
};

// The user's settings folder as a narrow path (host_path.h), or "" when the environment names none.
std::string SettingsFolder();
// The state file in folder.
std::string StateFilePath(const std::string& folder);

// Whether path can hold the state: nothing there yet, or a file, in a folder or
// where one can be made. False with a one-line reason (a folder in its place, say).
bool CheckStatePath(const std::string& path, std::string* error);

enum class ReadResult { kMissing, kRead, kDamaged };
// Reads path into *state; kDamaged with a reason for a file that is not one of ours whole.
ReadResult ReadStateFile(const std::string& path, PluginState* state, std::string* reason);
// Moves a damaged file aside (beside it, ".damaged" appended). Returns the new name, "" on failure.
std::string MoveAside(const std::string& path);
// Writes state to path atomically, making the folder when needed. False with a reason.
bool WriteStateFile(const std::string& path, const PluginState& state, std::string* error);

}  // namespace spwplay
