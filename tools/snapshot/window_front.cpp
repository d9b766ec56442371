#include "window_front.h"

#include "layout_table.h"

namespace spwsnapshot {
namespace {

// Long enough for the timer to come round several times (it ticks every 41 ms),
// so a change is drawn in both of its frames.
constexpr int kRedrawMs = 150;

spwwin::Button ButtonOf(bool right) { return right ? spwwin::Button::kRight : spwwin::Button::kLeft; }

}  // namespace

std::unique_ptr<WindowFront> WindowFront::Open(Steinberg::Vst::IEditController& controller, std::string* error) {
  auto driver = spwwin::WindowDriver::Create(spw_editor::kEditorWidth, spw_editor::kEditorHeight, error);
  if (!driver) return nullptr;
  auto view = std::make_unique<spwwin::AttachedView>();
  std::string reason;
  if (!view->Open(&controller, driver->Frame(), driver->ParentHandle(), driver->PlatformType(), &reason)) {
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

void WindowFront::Type(const std::string& text) {
  driver_->Type(text);
  driver_->PressReturn();
}

void WindowFront::Redraw() { driver_->Pump(kRedrawMs); }

bool WindowFront::WritePng(const std::string& path) { return spwwin::WritePicturePng(driver_->Capture(), path); }

}  // namespace spwsnapshot
