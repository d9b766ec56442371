#pragma once
// A value or text being typed into the editor: the platform's box on screen,
// the control and parameter it is for, and the state machine every platform
// shares:
//   none -> editing     on focus or any key but Return
//   any  -> commit      on Return, a choice from a list, or a left press in the editor
//   any  -> cancel      on a right press in the editor
//   focus lost -> none
// A redraw tick applies a commit or cancel and closes the entry; a tick while
// editing only returns the state to none.
//
// Threads: editor thread.

#include <memory>
#include <string>
#include <vector>

#include "area.h"

class IControl;
class IGraphics;
class IParameter;

class ValueEntry {
 public:
  // The edit box or list on screen; destroying it takes it off the screen.
  class Box {
   public:
    virtual ~Box() = default;
    virtual std::string Text() const = 0;  // UTF-8
  };

  enum class State { kNone, kEditing, kCancel, kCommit };

  bool IsOpen() const { return box_ != nullptr; }
  State CurrentState() const { return state_; }
  Box* OpenBox() const { return box_.get(); }
  IControl* Control() const { return control_; }
  IParameter* Param() const { return param_; }  // null for an editable text control

  // Takes the box; param null for an editable text control.
  void Open(std::unique_ptr<Box> box, IControl* control, IParameter* param);
  void Typing() { state_ = State::kEditing; }  // focus gained, or a key other than Return
  void Commit() { state_ = State::kCommit; }   // Return, or a choice from a list
  void FocusLost() { state_ = State::kNone; }
  // A press in the editor outside the box, before it is dispatched. Left: commits at
  // once, so the typed value is in before the press acts. Right: cancels; a text
  // control's entry that was not being typed in is also emptied. Returns whether the
  // press goes on to the controls: false for a right press that met an open entry.
  bool PressElsewhere(IGraphics& graphics, bool right);
  // The redraw tick's part.
  void Apply(IGraphics& graphics);
  // Closes without applying anything (the window is closing).
  void Close();

 private:
  std::unique_ptr<Box> box_;
  IControl* control_ = nullptr;
  IParameter* param_ = nullptr;
  State state_ = State::kNone;
};

// ---- What the platforms show, the same everywhere ----

// The display text of the parameter's current value.
std::string ParamDisplayText(const IParameter& param);
// The display texts of an enumerated or boolean parameter in value order; empty for others.
std::vector<std::string> ParamChoiceTexts(const IParameter& param);
// Where a typed-value box goes: small, a one-line box centred on the control, as wide as the
// longest value needs; otherwise the control's rectangle.
IArea ValueBoxRect(const IControl& control, const IParameter& param, bool small);
// Where a list of choices goes (its height includes the dropped list); longest is the
// length of the longest choice text.
IArea ChoiceListRect(const IControl& control, int count, int longest, bool small);
