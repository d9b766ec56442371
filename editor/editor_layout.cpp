#include "editor_layout.h"

#include "controls/bitmap_control.h"
#include "controls/button.h"
#include "controls/knob_rot_val.h"
#include "controls/radio_buttons.h"
#include "controls/slider_img.h"
#include "controls/switch_lbl.h"
#include "controls/url_open.h"
#include "graphics.h"
#include "layout_table.h"
#include "notes.h"
#include "phase.h"
#include "stereo_pulse_weaver.h"
#include "text_sink_control.h"
#include "text_styles.h"
#include "zoom_background.h"

namespace spw_editor {
namespace {

constexpr double kKnobSplit = 0.5;  // knob images: pointer left, base right

IArea RowArea(const ControlRow& row) { return IArea(row.x, row.y, row.right, row.bottom); }

IImage LoadRowImage(IGraphics& graphics, const ControlRow& row) {
  const ImageInfo& info = *FindEditorImage(row.image);
  return graphics.LoadImageResource(info.id, info.name, info.frames);
}

IControl* MakeKnob(IGraphics& graphics, IEffectBase* plug, const ControlRow& row) {
  IImage knob = LoadRowImage(graphics, row);
  graphics.CutImage(knob, kKnobSplit);  // the knob keeps the base and turns the part it names
  IKnobRotVal::Look look;
  look.label = ControlLabelStyle();
  look.labelOffset = row.labelOffset;
  look.rangeDeg = kKnobRangeDegrees;
  look.gearing = kKnobGearing;
  look.hoverWeight = row.hoverWeight;
  look.showUnits = true;
  return new IKnobRotVal(plug, row.param, row.x, row.y, knob, look);
}

// The control of a row.
IControl* MakeControl(IGraphics& graphics, CLS_STEREOPULSEWEAVER* plug, const ControlRow& row) {
  switch (row.kind) {
    case ControlKind::Text:
      return new TextSinkControl(plug, RowArea(row), EditorTextStyle(row.style));
    case ControlKind::TitleLink:
      return new IURLOpen(plug, RowArea(row));
    case ControlKind::Picture:
      return new IBitmapControl(plug, row.x, row.y, row.param, LoadRowImage(graphics, row));
    case ControlKind::RadioButtons: {
      const IImage buttons = LoadRowImage(graphics, row);
      return new IRadioButtons(plug, IArea(row.x, row.y, row.x + buttons.w, row.y + buttons.h), row.param, buttons,
                               row.hoverWeight, false, {0});
    }
    case ControlKind::Knob:
      return MakeKnob(graphics, plug, row);
    case ControlKind::Button:
      return new IButton(plug, row.param, row.x, row.y, LoadRowImage(graphics, row), row.hoverWeight);
    case ControlKind::Switch:
      return new ISwitchLbl(plug, row.param, row.x, row.y, LoadRowImage(graphics, row), ControlLabelStyle(),
                            row.labelOffset, row.widthOverride, !FindEditorImage(row.image)->stacked,
                            row.hoverWeight);
    case ControlKind::Slider:
      return new ISliderImg(plug, row.param, RowArea(row), LoadRowImage(graphics, row), ControlLabelStyle(),
                            row.travel, false, row.hoverWeight);
    case ControlKind::PhaseSync:
      return new PHASE(plug, RowArea(row));
    case ControlKind::SlotPanel:
      return new NOTES(plug, RowArea(row));
    default:
      return nullptr;
  }
}

}  // namespace

void AddLayoutControls(IGraphics& graphics, CLS_STEREOPULSEWEAVER& plug, const std::string& settingsFolder) {
  for (const ControlRow& row : kLayout) {
    if (row.kind == ControlKind::Background) {
      const IImage image = graphics.LoadImageResource(row.image, FindEditorImage(row.image)->name, 1);
      graphics.SetBackground(new ZoomBackground(&plug, image, settingsFolder));
    } else if (IControl* control = MakeControl(graphics, &plug, row)) {
      graphics.AddControl(control);
    }
  }
}

}  // namespace spw_editor
