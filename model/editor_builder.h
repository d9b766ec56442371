#pragma once
// How the plug-in gets its editor without knowing the editor library: whoever
// makes the plug-in and wants an editor (the module entry, the snapshot tool,
// the editor's tests) passes the editor library's builder to the constructor;
// the rest pass none and link no editor.

#include <memory>

#include "editor_surface.h"

class CLS_STEREOPULSEWEAVER;

// [main thread, in the constructor, right after the parameters] Builds the
// whole editor on the plug-in and returns the editor surface the plug-in keeps
// while it lives (plug.editorSurface points at it).
using EditorBuilder = std::unique_ptr<EditorSurface> (*)(CLS_STEREOPULSEWEAVER& plug);
