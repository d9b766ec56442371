#pragma once
// The editor without a window, on every platform: for builds that have no
// window layer yet, snapshot tools and tests. Opening a window fails; painting
// succeeds without one. The owner calls Tick() where a window's 24 Hz timer
// would run, and answers typed-value requests with AnswerEntry().
//
// Threads: one thread, the owner's, plays the editor thread.

#include <string>

#include "graphics.h"

class IGraphicsHeadless : public IGraphics {
 public:
  // A value or text entry the editor asked for (param null for an editable text control).
  struct Entry {
    IControl* control = nullptr;
    IParameter* param = nullptr;
    bool small = false;
  };

  IGraphicsHeadless(IEffectBase* plug, int width, int height, int frameRate = 0);
  ~IGraphicsHeadless() override;

  // What the redraw timer does: the controls' timer work, then draws the dirty
  // union (and the extra invalidation rectangle), then advances the deferred
  // end of a wheel gesture.
  void Tick();

  // The open entry, or null.
  const Entry* PendingEntry() const { return entryOpen_ ? &entry_ : nullptr; }
  // Commits text to the open entry as a typed value; false when none is open.
  bool AnswerEntry(const char* text);
  void CancelEntry();
  const std::string& LastWebPage() const { return lastWebPage_; }
  void ForgetWebPage() { lastWebPage_.clear(); }
  int PaintCount() const { return paintCount_; }
  const IArea& LastPaint() const { return lastPaint_; }

  // ---- Platform operations ----
  bool PaintToWindow(const IArea& rect) override;
  void PromptTextInput(IEditableTextControl& control) override;
  void OpenValueEntry(IControl* control, IParameter* param, bool small) override;
  void HostFolder(std::string& out) override { out.clear(); }
  void ModuleFolder(std::string& out) override { out.clear(); }
  void AskForFile(std::string& path, int action, const char* folder, const char* extensions) override {
    path.clear();
  }
  bool AskForColour(IRgba& colour, const char* caption) override { return false; }
  // Records the address and reports success.
  bool OpenWebPage(const char* target, const char* caption, const char* confirmation,
                   const char* error) override;
  void* OpenEditorWindow(void* parent) override { return nullptr; }
  // Ends a held press and a pending wheel gesture, as closing a window does.
  void CloseEditorWindow() override;
  void* EditorWindowHandle() const override { return nullptr; }
  // Through FindModulePng (module_resources.h).
  std::unique_ptr<RasterBitmap> LoadImageFromModule(int id, const char* name) override;

 private:
  void OpenEntry(IControl* control, IParameter* param, bool small);

  Entry entry_;
  bool entryOpen_ = false;
  std::string lastWebPage_;
  IArea lastPaint_;
  int paintCount_ = 0;
};
