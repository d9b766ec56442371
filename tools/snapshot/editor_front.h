#pragma once
// How a session's mouse actions reach the editor and its picture comes back:
// straight into the graphics core without a window (HeadlessFront), or as real
// events to the editor opened in a real window (WindowFront). Both see the same
// sequence, the pointer arriving before each press, as a person's does.
//
// Threads: the session's one thread.

#include <cstdint>
#include <string>
#include <vector>

class IGraphics;

namespace spwsnapshot {

class EditorFront {
 public:
  virtual ~EditorFront() = default;
  // The pointer at (x, y): a drag while a button is held, else a hover.
  virtual void Move(int x, int y, bool held) = 0;
  virtual void Press(int x, int y, bool right) = 0;
  virtual void Release(int x, int y, bool right) = 0;
  virtual void Wheel(int x, int y, int notches) = 0;
  // The pointer went out of the editor (a drag released outside it).
  virtual void Leave() = 0;
  // Text typed into the open value entry and Return. False with a reason when
  // the front can tell that no entry is open or the text is not one of its values.
  virtual bool Type(const std::string& text, std::string* error) = 0;
  // What follows every action: the editor's redraw timer serves what changed.
  virtual void Redraw() = 0;
  // What the editor shows, as a PNG; false on failure.
  virtual bool EncodePng(std::vector<uint8_t>* png) = 0;
};

}  // namespace spwsnapshot
