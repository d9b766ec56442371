#pragma once
// The editor the plug-in's constructor builds, right after its parameters:
// the whole layout on a graphics object attached to the plug-in, with the
// plug-in's status line, captions and editor surface pointed at its controls.
// The plug-in gets it as an EditorBuilder (editor_builder.h).

#include <memory>

#include "editor_builder.h"
#include "editor_surface.h"

class CLS_STEREOPULSEWEAVER;

// Where the editor is shown: in this platform's window, which a host opens
// through the view, or nowhere (tools and tests that draw it without a window).
enum class EditorWindowing { kPlatformWindow, kHeadless };

// [main thread, in the constructor] Returns the editor surface the plug-in
// keeps while it lives (plug.editorSurface points at it).
std::unique_ptr<EditorSurface> BuildEditor(CLS_STEREOPULSEWEAVER& plug, EditorWindowing windowing);

// The two as the plug-in's constructor takes them.
std::unique_ptr<EditorSurface> BuildWindowedEditor(CLS_STEREOPULSEWEAVER& plug);
std::unique_ptr<EditorSurface> BuildHeadlessEditor(CLS_STEREOPULSEWEAVER& plug);
