#pragma once
// The editor's text styles by name: the version, the status line and the
// captions, and the label style of knobs, switches and the slider.

#include "layout_table.h"
#include "text_style.h"

namespace spw_editor {

ITextStyle EditorTextStyle(TextStyleId id);
// Size 0: the knobs, switches and the slider draw no value label.
ITextStyle ControlLabelStyle();
// White Arial of size pixels at alpha, centred: the counts and labels the
// plug-in's own controls draw.
ITextStyle CentredWhiteStyle(int size, int alpha);

}  // namespace spw_editor
