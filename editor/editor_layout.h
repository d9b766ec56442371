#pragma once

#include <string>
// Makes the controls of the layout table (layout_table.h) and attaches them to
// the graphics in index order: the background first, then every control.
// [main thread, while the plug-in is constructed]

class CLS_STEREOPULSEWEAVER;
class IGraphics;

namespace spw_editor {

// settingsFolder: where the background's zoom menu saves the person's choice (empty: nowhere).
void AddLayoutControls(IGraphics& graphics, CLS_STEREOPULSEWEAVER& plug, const std::string& settingsFolder);

}  // namespace spw_editor
