#include "graphics_headless.h"

#include "control.h"
#include "editable_text_control.h"
#include "effect_base.h"
#include "module_image.h"

IGraphicsHeadless::IGraphicsHeadless(IEffectBase* plug, int width, int height, int frameRate)
    : IGraphics(plug, width, height, frameRate) {}

IGraphicsHeadless::~IGraphicsHeadless() { CloseEditorWindow(); }

void IGraphicsHeadless::Tick() {
  RedrawTick([this](const IArea& area) { Draw(area); });
}

bool IGraphicsHeadless::PaintToWindow(const IArea& rect) {
  lastPaint_ = rect;
  ++paintCount_;
  return true;
}

void IGraphicsHeadless::OpenEntry(IControl* control, IParameter* param, bool small) {
  if (!control || entryOpen_) return;
  entry_ = Entry{control, param, small};
  entryOpen_ = true;
}

void IGraphicsHeadless::PromptTextInput(IEditableTextControl& control) { OpenEntry(&control, nullptr, false); }

void IGraphicsHeadless::OpenValueEntry(IControl* control, IParameter* param, bool small) {
  if (param) OpenEntry(control, param, small);
}

bool IGraphicsHeadless::AnswerEntry(const char* text) {
  if (!entryOpen_) return false;
  const Entry entry = entry_;
  entryOpen_ = false;
  CommitTextEntry(entry.control, entry.param, text);
  entry.control->MarkDirty(false);  // redrawn whether the text was taken or not
  return true;
}

void IGraphicsHeadless::CancelEntry() {
  if (!entryOpen_) return;
  entryOpen_ = false;
  entry_.control->MarkDirty(false);
}

bool IGraphicsHeadless::OpenWebPage(const char* target, const char* caption, const char* confirmation,
                                    const char* error) {
  lastWebPage_ = target ? target : "";
  return true;
}

void IGraphicsHeadless::CloseEditorWindow() {
  entryOpen_ = false;
  EndHeldInput();
}

std::unique_ptr<RasterBitmap> IGraphicsHeadless::LoadImageFromModule(int id, const char* name) {
  return LoadModuleImage(id);
}
