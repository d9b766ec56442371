#include "zoom_background.h"

#include <string>
#include <utility>

#include "graphics.h"
#include "prompt_popup.h"
#include "zoom_setting.h"

namespace {

constexpr int kMenuWidth = 70;  // pixels, before the entries widen it
constexpr double kPercent = 100.0;

}  // namespace

ZoomBackground::ZoomBackground(IEffectBase* plug, const IImage& image, std::string settingsFolder)
    : IBitmapControl(plug, 0, 0, -1, image), settingsFolder_(std::move(settingsFolder)) {}

void ZoomBackground::MouseDown(int x, int y, const IMouseKeys& mod) {
  IGraphics* graphics = Graphics();
  // A press that closed another menu opens none.
  if (!mod.right || !graphics || graphics->PressClosedPopup() || graphics->OpenPopup()) return;
  auto* popup = new PromptPopup(Plug(), x, y, kMenuWidth, 1, graphics->PopupStyle(), graphics->PopupBackground(),
                                graphics->PopupHighlight());
  popup->Hide(true);
  graphics->AddControl(popup);
  graphics->SetOpenPopup(popup);
  int current = -1, index = 0;
  for (const int percent : spw_editor::kZoomChoices) {
    popup->AddEntry((std::to_string(percent) + " %").c_str());
    if (percent == static_cast<int>(graphics->Zoom() * kPercent + 0.5)) current = index;
    ++index;
  }
  popup->CentreOn(IArea(x, y, x + 1, y + 1), graphics->Width(), graphics->Height());
  popup->SelectEntry(current, this);
}

void ZoomBackground::SetTextFromMenu(const char* text, int item) {
  IGraphics* graphics = Graphics();
  const int count = static_cast<int>(sizeof spw_editor::kZoomChoices / sizeof spw_editor::kZoomChoices[0]);
  if (!graphics || item < 0 || item >= count) return;
  const int percent = spw_editor::kZoomChoices[item];
  graphics->SetZoom(percent / kPercent);
  spw_editor::SaveZoom(settingsFolder_, percent);
}
