#include "plugin_editor.h"

#include <string>

#include "editor_layout.h"
#include "graphics_editor_surface.h"
#include "layout_table.h"
#include "platform/headless/graphics_headless.h"
#include "prompt_popup.h"
#include "platform_graphics.h"
#include "stereo_pulse_weaver.h"
#include "text_sink_control.h"
#include "user_settings_folder.h"
#include "wave_shapes.h"
#include "zoom_setting.h"

namespace {

using namespace spw_editor;

// The popup menu's highlight: the editor's accent colour.
const IRgba kPopupHighlight(75, 20, 180, 220);

// "v1.10" without its last character, and " i" for an instrument without
// inputs to pass through: "v1.1 i".
std::string VersionCaption(CLS_STEREOPULSEWEAVER& plug) {
  char version[16] = {};
  plug.VersionText(version, sizeof version);
  std::string text(version);
  if (!text.empty()) text.pop_back();
  if (!plug.Engine().passThrough) text += " i";
  return text;
}

static_assert(FindEditorImage(kImageWaves)->frames == kWaveShapes, "the wave picture has one frame per wave shape");

TextSinkControl& TextAt(IGraphics& graphics, ControlIndex index) {
  return static_cast<TextSinkControl&>(*graphics.ControlAt(index));  // every text row is one
}

}  // namespace

std::unique_ptr<EditorSurface> BuildEditor(CLS_STEREOPULSEWEAVER& plug, EditorWindowing windowing) {
  IGraphics* graphics = windowing == EditorWindowing::kHeadless
                            ? new IGraphicsHeadless(&plug, kEditorWidth, kEditorHeight, 0)
                            : MakePlatformGraphics(&plug, kEditorWidth, kEditorHeight, 0);
  // The person's zoom belongs to a real window; tools and tests without one draw at the scale they set.
  const std::string settingsFolder =
      windowing == EditorWindowing::kHeadless ? std::string() : UserSettingsFolder().u8string();
  AddLayoutControls(*graphics, plug, settingsFolder);
  if (!settingsFolder.empty()) graphics->SetZoom(LoadZoom(settingsFolder) / 100.0);
  TextAt(*graphics, kVersionCaption).ITextControl::SetText(VersionCaption(plug).c_str());
  TextAt(*graphics, kStatusLineControl).TakePlaceOf(plug.statusLine);
  TextAt(*graphics, kReferenceCaptionControl).TakePlaceOf(plug.referenceCaption);
  TextAt(*graphics, kBandCaptionControl).TakePlaceOf(plug.Engine().bandCaption);
  TextAt(*graphics, kLeftEarCaptionControl).TakePlaceOf(plug.Engine().leftEarCaption);
  TextAt(*graphics, kRightEarCaptionControl).TakePlaceOf(plug.Engine().rightEarCaption);
  plug.waveDisplay = kWaveDisplayControl;
  auto surface = std::make_unique<GraphicsEditorSurface>(*graphics, plug.editorSurface);
  plug.editorSurface = surface.get();
  graphics->HideControlsOfParameter(kBinaural, true);  // one frequency knob shows until "Reference" is applied
  graphics->PopupHighlight() = kPopupHighlight;
  graphics->SetParameterPopupFactory(OpenPromptPopup);
  plug.AttachEditor(graphics);
  graphics->SetMouseOverEnabled(true);
  return surface;
}

std::unique_ptr<EditorSurface> BuildWindowedEditor(CLS_STEREOPULSEWEAVER& plug) {
  return BuildEditor(plug, EditorWindowing::kPlatformWindow);
}

std::unique_ptr<EditorSurface> BuildHeadlessEditor(CLS_STEREOPULSEWEAVER& plug) {
  return BuildEditor(plug, EditorWindowing::kHeadless);
}
