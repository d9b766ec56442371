#pragma once
// The folder where stereoPulseWeaver keeps what it remembers for the user (the
// editor's zoom, the player's last state): %APPDATA%\stereoPulseWeaver on Windows;
// elsewhere $XDG_CONFIG_HOME/stereoPulseWeaver when that variable is an absolute
// path (a relative one is ignored, as the XDG base-directory rules say), else
// $HOME/.config/stereoPulseWeaver.
//
// Threads: any, while no thread changes the environment.

#include <filesystem>

// The folder (not made here); empty when the environment names none. A path rather
// than text, so that each caller spells it in its own encoding.
std::filesystem::path UserSettingsFolder();
