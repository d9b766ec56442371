#pragma once
// What the player remembers between runs: the plug-in's component and controller
// state, as a host saves them with a project, in one file in the user's settings
// folder ($XDG_CONFIG_HOME/stereoPulseWeaver, else ~/.config/stereoPulseWeaver;
// %APPDATA%\stereoPulseWeaver on Windows). Written whole to a temporary file and
// renamed over the old one, so a crash never leaves half a file.
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

// The folder, or "" when neither variable gives one.
std::string SettingsFolder();
// The state file in folder.
std::string StateFilePath(const std::string& folder);

enum class ReadResult { kMissing, kRead, kDamaged };
// Reads path into *state; kDamaged with a reason for a file that is not one of ours whole.
ReadResult ReadStateFile(const std::string& path, PluginState* state, std::string* reason);
// Moves a damaged file aside (beside it, ".damaged" appended). Returns the new name, "" on failure.
std::string MoveAside(const std::string& path);
// Writes state to path atomically, making the folder when needed. False with a reason.
bool WriteStateFile(const std::string& path, const PluginState& state, std::string* error);

}  // namespace spwplay
