#pragma once
// The session's actions as direct calls on the headless editor; one timer tick per redraw.

#include "editor_front.h"
#include "platform/headless/graphics_headless.h"


namespace spwsnapshot {

class HeadlessFront : public EditorFront {
 public:
  explicit HeadlessFront(IGraphicsHeadless& graphics) : graphics_(graphics) {}
  void Move(int x, int y, bool held) override;
  void Press(int x, int y, bool right) override;
  void Release(int x, int y, bool right) override;
  void Wheel(int x, int y, int notches) override;
  void Leave() override { graphics_.MouseOut(); }
  bool Type(const std::string& text, std::string* error) override;
  void Redraw() override;
  bool EncodePng(std::vector<uint8_t>* png) override;

 private:
  IGraphicsHeadless& graphics_;
};

}  // namespace spwsnapshot
