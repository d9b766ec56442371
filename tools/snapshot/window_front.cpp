#include "window_front.h"

#include "layout_table.h"
#include <cmath>

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

namespace spwsnapshot {
namespace {

// Long enough for the timer to come round several times (it ticks every 41 ms),
// so a change is drawn in both of its frames.
constexpr int kRedrawMs = 150;

spwwin::Button ButtonOf(bool right) { return right ? spwwin::Button::kRight : spwwin::Button::kLeft; }

}  // namespace

std::unique_ptr<WindowFront> WindowFront::Open(Steinberg::Vst::IEditController& controller, double scale,
                                               std::string* error) {
  auto driver = spwwin::WindowDriver::Create(static_cast<int>(std::lround(spw_editor::kEditorWidth * scale)),
                                             static_cast<int>(std::lround(spw_editor::kEditorHeight * scale)), error);
  if (!driver) return nullptr;
  auto view = std::make_unique<spwwin::AttachedView>();
  std::string reason;
  if (!view->Create(&controller, &reason)) {
    if (error) *error = reason;
    return nullptr;
  }
  // As a host on a high-density screen does, before opening the view.
  Steinberg::FUnknownPtr<Steinberg::IPlugViewContentScaleSupport> scaling(view->View());
  if (scale != 1.0 && scaling) scaling->setContentScaleFactor(static_cast<float>(scale));
  if (!view->Attach(driver->Frame(), driver->ParentHandle(), driver->PlatformType(), &reason)) {
    if (error) *error = reason;
    return nullptr;
  }
  return std::unique_ptr<WindowFront>(new WindowFront(std::move(driver), std::move(view)));
}

WindowFront::WindowFront(std::unique_ptr<spwwin::WindowDriver> driver, std::unique_ptr<spwwin::AttachedView> view)
    : driver_(std::move(driver)), view_(std::move(view)) {}

// The view closes before the window it is in.
WindowFront::~WindowFront() { view_.reset(); }

void WindowFront::Move(int x, int y, bool held) { driver_->Move(x, y); }

void WindowFront::Press(int x, int y, bool right) { driver_->Press(x, y, ButtonOf(right)); }

void WindowFront::Release(int x, int y, bool right) { driver_->Release(x, y, ButtonOf(right)); }

void WindowFront::Wheel(int x, int y, int notches) { driver_->Wheel(x, y, notches); }

// The entry lives in the window system's box, out of sight of this side: what is
// typed is typed, as a person's keys are.
bool WindowFront::Type(const std::string& text, std::string*) {
  driver_->Type(text);
  driver_->PressReturn();
  return true;
}

void WindowFront::Redraw() { driver_->Pump(kRedrawMs); }

bool WindowFront::EncodePng(std::vector<uint8_t>* png) { return spwwin::EncodePicturePng(driver_->Capture(), png); }

}  // namespace spwsnapshot
