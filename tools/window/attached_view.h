#pragma once
// The editor's view opened in a host's parent window, as a host opens it
// (createView, setFrame, attached) and closed as a host closes it (removed,
// setFrame(nullptr), release). Shared by the player and the window tests.
//
// Threads: the host's UI thread.

#include <string>

namespace Steinberg {
class IPlugFrame;
class IPlugView;
namespace Vst {
class IEditController;
}
}  // namespace Steinberg

namespace spwwin {

class AttachedView {
 public:
  AttachedView() = default;
  ~AttachedView() { Close(); }
  AttachedView(const AttachedView&) = delete;
  AttachedView& operator=(const AttachedView&) = delete;

  // Creates the editor's view. False with a reason when the controller offers none.
  bool Create(Steinberg::Vst::IEditController* controller, std::string* error);
  // The size the view asks for, pixels; false when it does not say.
  bool Size(int* width, int* height) const;
  // Hands the view its frame and attaches it in parent. False with a reason.
  bool Attach(Steinberg::IPlugFrame* frame, void* parent, const char* platformType, std::string* error);
  // Create, then Attach.
  bool Open(Steinberg::Vst::IEditController* controller, Steinberg::IPlugFrame* frame, void* parent,
            const char* platformType, std::string* error);
  void Close();
  Steinberg::IPlugView* View() const { return view_; }

 private:
  Steinberg::IPlugView* view_ = nullptr;
};

}  // namespace spwwin
