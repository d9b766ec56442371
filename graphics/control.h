#pragma once
// The base of every editor control: a rectangle, an optional bound parameter,
// a normalised value 0..1, dirty flags for the redraw cycle, and the virtual
// operations the graphics core calls for drawing, mouse events and values.
//
// Threads: drawing and mouse events run on the editor thread. ReceiveValue,
// Hide and MarkDirty(false) are also reached from the audio thread under the
// instance lock (parameter changes of the host); the fields they touch are
// relaxed atomics, so the draw cycle may read them without the lock.

#include <atomic>

#include "area.h"
#include "image_mix.h"
#include "key_code.h"
#include "mouse_keys.h"
#include "text_style.h"

class IEffectBase;
class IGraphics;

class IControl {
 public:
  IControl(IEffectBase* plug, const IArea& rect, int paramIdx = -1, const IImageMix& blend = IImageMix());
  virtual ~IControl() = default;
  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  // ---- Mouse and keys [editor thread] ----
  // Right button: OpenParameterPrompt. Left button: nothing.
  virtual void MouseDown(int x, int y, const IMouseKeys& mod);
  virtual void MouseUp(int x, int y, const IMouseKeys& mod) {}
  virtual void FileDropped(int x, int y, const char* path) {}
  virtual void MouseDrag(int x, int y, int dx, int dy, const IMouseKeys& mod) {}
  // Restores the first value received from the plug-in.
  virtual void MouseDoubleClick(int x, int y, const IMouseKeys& mod);
  // distance: whole notches, positive away from the user.
  virtual void MouseWheel(int x, int y, const IMouseKeys& mod, int distance);
  virtual void KeyDown(int x, int y, EKey key) {}
  virtual void MouseOver(int x, int y, const IMouseKeys& mod) {}
  virtual void MouseOut() {}

  // [editor thread] Draws into the graphics' surface, clipped to its draw rectangle.
  virtual bool Draw(IGraphics& graphics) = 0;
  // [editor thread] Once per redraw-timer tick, before the dirty controls are
  // gathered, whether or not the window is shown or painted: for work that
  // must not wait for a paint.
  virtual void OnTimer() {}

  // ---- Values ----
  // [any thread, under the instance lock] A value from the plug-in; the first one is also the default.
  virtual void ReceiveValue(double normalized) noexcept;
  // [editor thread] A value chosen by the user elsewhere (typed entry, menu); goes to the plug-in.
  virtual void ReceiveUserValue(double normalized);
  virtual void SetTextFromMenu(const char* text, int item) {}
  virtual void ReceiveText(const char* text) {}

  // ---- Visibility and redraw ----
  // [any thread, under the instance lock]
  virtual void Hide(bool hide) noexcept;
  virtual void SetGreyed(bool greyed);
  // Inside the target rectangle, all four edges included.
  virtual bool HitTest(int x, int y) const;
  // Limits the value to the clamp range and marks the control dirty; with push,
  // a bound parameter receives the value as an edit from the editor.
  virtual void MarkDirty(bool push);
  // Redraw pending becomes dirty: a change is drawn on two consecutive ticks.
  virtual void MarkClean();
  virtual bool NeedsRedraw() const;

  // [editor thread] Right click on a bound control: a menu of the display texts
  // of an enumerated or boolean parameter, a typed value entry otherwise.
  void OpenParameterPrompt();

  // ---- Accessors ----
  double Value() const { return value_.load(std::memory_order_relaxed); }
  void SetValue(double normalized) { value_.store(normalized, std::memory_order_relaxed); }
  double DefaultValue() const { return default_.load(std::memory_order_relaxed); }
  int ParamIdx() const { return paramIdx_; }
  const IArea& Rect() const { return rect_; }
  const IArea& TargetRect() const { return targetRect_; }
  void SetRect(const IArea& rect) { rect_ = targetRect_ = rect; }
  void SetTargetRect(const IArea& rect) { targetRect_ = rect; }
  bool IsHidden() const { return hidden_.load(std::memory_order_relaxed); }
  bool IsGreyed() const { return greyed_; }
  void SetRedrawPending() { redrawPending_.store(true, std::memory_order_relaxed); }
  const IImageMix& Blend() const { return blend_; }
  void SetBlend(const IImageMix& blend) { blend_ = blend; }
  IControl* Owner() const { return owner_; }
  void SetOwner(IControl* owner) { owner_ = owner; }
  IEffectBase* Plug() const { return plug_; }
  // The graphics that owns the control; null until it is attached.
  IGraphics* Graphics() const { return graphics_; }
  void SetGraphics(IGraphics* graphics) { graphics_ = graphics; }
  bool PromptDisabled() const { return promptDisabled_; }
  void DisablePrompt(bool disable) { promptDisabled_ = disable; }
  bool DoubleClickAsClick() const { return doubleClickAsClick_; }
  void SetDoubleClickAsClick(bool asClick) { doubleClickAsClick_ = asClick; }
  void SetClamp(double low, double high) { clampLow_ = low; clampHigh_ = high; }
  const char* Tooltip() const { return tooltip_; }

 protected:
  // The bound parameter's display text (and unit, when asked) centred in rect, when the style's
  // size is above 0 and there is a text.
  bool DrawParamLabel(IGraphics& graphics, ITextStyle& style, const IArea& rect, bool withUnit) const;

 private:
  std::atomic<double> value_{0.0};
  IControl* owner_ = nullptr;
  IEffectBase* plug_;
  IGraphics* graphics_ = nullptr;
  IArea rect_;
  IArea targetRect_;
  int paramIdx_;
  std::atomic<double> default_{-1.0};  // -1: no value received yet
  double clampLow_ = 0.0;
  double clampHigh_ = 1.0;
  std::atomic<bool> dirty_{true};  // every control draws once when the window opens
  std::atomic<bool> hidden_{false};
  std::atomic<bool> redrawPending_{false};
  bool greyed_ = false;
  bool promptDisabled_ = false;
  bool doubleClickAsClick_ = false;
  IImageMix blend_;
  const char* tooltip_ = nullptr;
};
