#pragma once
// The person's zoom of the editor, remembered for the user (not in the plug-in's
// state): one line "zoom=150" (per cent) in settings.ini in the user's settings
// folder (user_settings_folder.h), named in UTF-8.
//
// Threads: the editor thread (and the plug-in's constructor).

#include <string>

namespace spw_editor {

// The zooms the editor offers, per cent.
inline constexpr int kZoomChoices[] = {100, 125, 150, 175, 200};

// The zoom saved in folder, per cent; 100 when there is none or it cannot be read
// (a value the editor does not offer counts as none).
int LoadZoom(const std::string& folder);
// Writes the zoom into folder (made when missing) through a temporary file renamed over
// the old one, so a crash leaves the old setting or the new, never half of one.
// False when it cannot be written; the old file is then untouched.
bool SaveZoom(const std::string& folder, int percent);

}  // namespace spw_editor
