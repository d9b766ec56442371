#pragma once
// The session's actions as real window-system events to the editor, opened as
// a host opens it: the view attached to a top-level parent window the tool
// makes (window_driver.h). Each redraw runs the host's event loop for a few of
// the editor's timer ticks; the picture is read back from the screen.

#include <memory>

#include "attached_view.h"
#include "editor_front.h"
#include "window_driver.h"

namespace Steinberg {
namespace Vst {
class IEditController;
}
}  // namespace Steinberg

namespace spwsnapshot {

class WindowFront : public EditorFront {
 public:
  // Null with a reason when there is no display or the view does not open.
  static std::unique_ptr<WindowFront> Open(Steinberg::Vst::IEditController& controller, double scale,
                                           std::string* error);
  ~WindowFront() override;

  void Move(int x, int y, bool held) override;
  void Press(int x, int y, bool right) override;
  void Release(int x, int y, bool right) override;
  void Wheel(int x, int y, int notches) override;
  // The window system tells the editor itself.
  void Leave() override {}
  bool Type(const std::string& text, std::string* error) override;
  void Redraw() override;
  bool EncodePng(std::vector<uint8_t>* png) override;

 private:
  WindowFront(std::unique_ptr<spwwin::WindowDriver> driver, std::unique_ptr<spwwin::AttachedView> view);

  std::unique_ptr<spwwin::WindowDriver> driver_;
  std::unique_ptr<spwwin::AttachedView> view_;
};

}  // namespace spwsnapshot
