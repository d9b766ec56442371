#pragma once
// The platform-neutral half of the editor: the ordered list of controls, a
// drawing surface of the editor's size, the process-wide image and font caches,
// the redraw cycle and the mouse and key dispatch. A platform half (headless,
// Win32, X11) derives from it, supplies the window services and calls Draw,
// the dispatch operations and RedrawTick from its window's thread.
//
// Threads: everything runs on the editor thread, except PushParameterToControls,
// PushValueToControl and HideControlsOfParameter, which the plug-in also calls
// from the audio and host threads under its instance lock. The control list
// changes only on the editor thread and under that lock, so those calls never
// see it half changed.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "area.h"
#include "editor_link.h"
#include "image.h"
#include "image_mix.h"
#include "key_code.h"
#include "mouse_keys.h"
#include "rgba.h"
#include "text_style.h"

class IControl;
class IEditableTextControl;
class IEffectBase;
class IGraphics;
class IParameter;
class RasterBitmap;
class RasterMemBitmap;
class RasterSysBitmap;

// Opens the menu of an enumerated or boolean parameter's display texts for the
// control that was right-clicked. The editor registers the one it builds.
using ParameterPopupFactory = void (*)(IGraphics& graphics, IControl& opener);

// The plain value a text typed into a value entry stands for: one of the
// parameter's display texts, or a leading decimal number (a unit may follow).
// False when it is neither.
bool ReadTypedValue(const IParameter& param, const char* text, double* plain);

class IGraphics : public IEditorLink {
 public:
  static constexpr int kDefaultFrameRate = 24;

  // frameRate <= 0 gives kDefaultFrameRate redraws per second.
  IGraphics(IEffectBase* plug, int width, int height, int frameRate);
  ~IGraphics() override;
  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

  // ---- Platform operations ----
  // Copies rect (device pixels) of the drawing surface to the window.
  virtual bool PaintToWindow(const IArea& rect) = 0;
  // New editor size: drops every control, resizes the surface, asks the host for the frame.
  virtual void Resize(int width, int height);
  virtual bool HasOpenWindow() const { return EditorWindowHandle() != nullptr; }
  // An edit box over an editable text control.
  virtual void PromptTextInput(IEditableTextControl& control) = 0;
  // An entry for a parameter value; small: a little box centred on the control.
  virtual void OpenValueEntry(IControl* control, IParameter* param, bool small) = 0;
  virtual void HostFolder(std::string& out) = 0;    // folder of the host program
  virtual void ModuleFolder(std::string& out) = 0;  // folder of the plug-in module
  // action 1 saves, else opens; extensions: words separated by blanks. Empty path on cancel.
  virtual void AskForFile(std::string& path, int action, const char* folder, const char* extensions) = 0;
  virtual bool AskForColour(IRgba& colour, const char* caption) = 0;
  // confirmation and error texts may be null.
  virtual bool OpenWebPage(const char* target, const char* caption, const char* confirmation,
                           const char* error) = 0;
  virtual bool HostMouseWheel(float distance) { return false; }
  // The deferred end of a wheel gesture: a countdown in redraw ticks (AdvanceGestureEndTimer).
  void StartGestureEndTimer(int ticks) override { gestureEndTicks_ = ticks; }
  void CancelGestureEndTimer() override { gestureEndTicks_ = 0; }
  // Opens the editor window in parent; null on failure. Every platform half says how.
  void* OpenEditorWindow(void* parent) override = 0;
  void CloseEditorWindow() override = 0;
  void* EditorWindowHandle() const override = 0;
  virtual void HideHintIfDisabled() {}
  // The PNG resource id of this module decoded; null when missing or broken.
  virtual std::unique_ptr<RasterBitmap> LoadImageFromModule(int id, const char* name) = 0;

  // ---- Controls ----
  // Appends and takes ownership; returns the index.
  int AddControl(IControl* control);
  // Loads the image and puts a bitmap control of its size at index 0.
  void SetBackground(int id, const char* name);
  // Puts background (taking ownership) at index 0.
  void SetBackground(IControl* background);
  // Takes the control out of the list without deleting it; the caller owns it then.
  void RemoveControl(IControl* control);
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  IControl* ControlAt(int index) const;
  int IndexOf(const IControl* control) const;  // -1 when not in the list

  // ---- Images ----
  // The cached image of resource id, loaded from the module on first use (or after a failed load).
  IImage LoadImageResource(int id, const char* name, int frames);
  // Splits image at fraction x of its width: returns the left part and leaves the right part in
  // image (its tempId names the left part). Both stay in the cache; cutting the same cached image
  // again gives the same parts. A missing image gives empty parts.
  IImage CutImage(IImage& image, double x);
  // The cached image of id (negative for cut parts), or null.
  RasterBitmap* CachedImage(int id) const;
  // image as drawn at the current scale: at 1.0 the image itself, else its twice-size source
  // (resource id + kHiResImageIdOffset) filtered to the scaled size, or the image enlarged when
  // that source is missing. Null for an empty image.
  RasterBitmap* DeviceImage(const IImage& image);

  // ---- Scale [editor thread] ----
  // Device pixels per editor pixel: the screen's scale (from the host or the window
  // system) times the person's zoom, clamped to kMinScale..kMaxScale. Controls keep their
  // places in editor pixels; the drawing surface, the window and everything drawn are
  // scaled, and the mouse positions the platform reports (device pixels) are converted
  // back before hit testing. A change resizes the surface, redraws everything and, with a
  // window open, resizes it and asks the host for the new size.
  static constexpr double kMinScale = 1.0;
  static constexpr double kMaxScale = 2.0;
  double Scale() const { return scale_; }
  double HostScale() const { return hostScale_; }
  double Zoom() const { return zoom_; }
  void SetHostScale(double scale) override;
  void SetZoom(double zoom);
  // True once a host (or a test) has set the screen's scale; until then a platform half
  // may take the window's own.
  bool HostScaleKnown() const { return hostScaleKnown_; }
  int DeviceWidth() const override { return ToDevice(width_); }
  int DeviceHeight() const override { return ToDevice(height_); }
  int ToDevice(int editorPixels) const;
  IArea ToDevice(const IArea& editorRect) const;
  // The editor pixel under a device pixel.
  int ToEditor(int devicePixel) const;
  // The editor rectangle that covers a device rectangle.
  IArea ToEditor(const IArea& deviceRect) const;

  // ---- Drawing [editor thread; clipped to the draw rectangle] ----
  bool DrawImage(const IImage& image, const IArea& dest, int srcX, int srcY, const IImageMix* blend);
  // frame is 1-based; stacked frames lie top to bottom, else left to right.
  bool DrawImageFrame(const IImage& image, const IArea& dest, int frame, const IImageMix* blend,
                      bool stacked);
  // The whole image turned by angle (radians, clockwise) about its centre, placed at (cx, cy);
  // the source rectangle starts at (srcX, srcY).
  bool DrawRotatedImage(const IImage& image, int cx, int cy, double angle, const IImageMix* blend,
                        float srcX = 0.0f, float srcY = 0.0f);
  // From the rectangle's top, aligned by the style, not clipped to it. False when no font can be made.
  bool DrawText(ITextStyle& style, const char* text, const IArea& rect);
  // The width DrawText gives text in the style, pixels; 0 when no font can be made.
  int MeasureText(ITextStyle& style, const char* text);
  bool DrawLine(const IRgba& colour, float x1, float y1, float x2, float y2, const IImageMix* blend,
                bool antialias);
  bool DrawRoundedBox(const IRgba& colour, const IArea& rect, int radius, const IImageMix* blend,
                      bool antialias);
  // corners: 4 all rounded, 2 the top two, -2 the bottom two, else none.
  bool FillRoundedBox(const IRgba& colour, const IArea& rect, int radius, int corners,
                      const IImageMix* blend, bool antialias);
  bool FillRect(const IRgba& colour, const IArea& rect, const IImageMix* blend);

  // ---- Redraw cycle ----
  // [editor thread] What every redraw-timer tick does first, before NeedsRedraw:
  // each control's OnTimer, in list order. RedrawTick calls it.
  void TimerTick();
  // Draws the controls that meet update (editor pixels), then copies it to the window.
  bool Draw(const IArea& update);
  // The union of the dirty controls' rectangles; false when none is dirty.
  bool NeedsRedraw(IArea* rect) const;
  void RedrawAll();
  void PrepareDrawing() override;
  // What the redraw timer does on each tick, whatever the window system: the controls that
  // left the list go, the controls' timer work runs, the dirty controls and the extra invalidation rectangle are repainted
  // through repaint (it draws them and copies them to the window), then the deferred end of
  // a wheel gesture moves a tick on.
  void RedrawTick(const std::function<void(const IArea&)>& repaint);
  // One tick of the deferred gesture end; when it runs out, the pending end goes to the host.
  void AdvanceGestureEndTimer();
  bool GestureEndTimerRunning() const { return gestureEndTicks_ > 0; }

  // ---- Mouse and keys [editor thread; client coordinates, device pixels] ----
  void MouseDown(int x, int y, const IMouseKeys& mod);
  void MouseUp(int x, int y, const IMouseKeys& mod);
  void MouseDrag(int x, int y, const IMouseKeys& mod);
  // True when the window should capture the mouse (the control takes double clicks as clicks).
  bool MouseDoubleClick(int x, int y, const IMouseKeys& mod);
  bool MouseWheel(int x, int y, const IMouseKeys& mod, int distance);
  // Returns whether mouse-over handling is on.
  bool MouseOver(int x, int y, const IMouseKeys& mod);
  void MouseOut();  // the mouse left the window
  bool KeyDown(int x, int y, EKey key);
  void FileDropped(int x, int y, const char* path);
  // The captured control, else the topmost control neither hidden nor greyed under (x, y)
  // (editor pixels); -1 if none.
  int ControlIndexAt(int x, int y) const;
  // Ends a press without a button release: its control gets the release at the last position and
  // its gesture ends. For the platform when the window loses the mouse capture or closes.
  void MouseCaptureLost();
  // The window is going: a held press ends as MouseCaptureLost does, and a wheel gesture
  // still waiting for its end is ended with the host at once.
  void EndHeldInput();
  // Releases the captured control and ends its gesture; the events of this press are ignored
  // until the next button press (a popup that closed itself must not pass them on).
  void EndMouseCapture();
  int CapturedIndex() const { return captured_; }
  int MouseOverIndex() const { return mouseOver_; }
  void ForgetMouseOver() { mouseOver_ = -1; }
  bool MouseOverEnabled() const { return mouseOverEnabled_; }
  void SetMouseOverEnabled(bool enabled) { mouseOverEnabled_ = enabled; }

  // ---- Values between plug-in and controls ----
  // [any thread, under the instance lock]
  void PushParameterToControls(int paramIdx, double value, bool normalized) noexcept override;
  void PushValueToControl(int controlIndex, double normalized) noexcept;
  void HideControlsOfParameter(int paramIdx, bool hide) noexcept;
  // [editor thread] As if the user had chosen the value on every control of the parameter.
  void SetControlsFromUser(int paramIdx, double normalized);
  // [editor thread] Applies a typed text: a display text or a number for param, else the text
  // for an editable text control. A number that cannot be read cancels the entry.
  void CommitTextEntry(IControl* control, IParameter* param, const char* text);

  // ---- Popup menu ----
  void SetParameterPopupFactory(ParameterPopupFactory factory) { popupFactory_ = factory; }
  // Opens the registered menu for opener; false when none is registered.
  bool OpenParameterPopup(IControl& opener);
  IControl* OpenPopup() const { return openPopup_; }
  void SetOpenPopup(IControl* popup) { openPopup_ = popup; }
  // Closes the open popup (it is deleted after the current event); without clear, its
  // opener hears of the cancellation through SetTextFromMenu("", -1).
  void ClosePopup(bool clear);
  // True while the press being dispatched has just closed a popup.
  bool PressClosedPopup() const { return pressClosedPopup_; }
  ITextStyle& PopupStyle() { return popupStyle_; }
  IRgba& PopupBackground() { return popupBackground_; }
  IRgba& PopupHighlight() { return popupHighlight_; }

  // ---- Editor facts ----
  IEffectBase* Plug() const { return plug_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  int FrameRate() const override { return frameRate_; }
  // The drawing surface; null before PrepareDrawing. The system form is for the platform's
  // copy to the window (<windows.h> defines DrawText, so only platform files include it).
  RasterBitmap* Surface() const { return surface_.get(); }
  RasterSysBitmap* SystemSurface() const;
  const IArea& DrawRect() const { return drawRect_; }
  bool StrictDrawing() const { return strictDrawing_; }
  void SetStrictDrawing(bool strict) { strictDrawing_ = strict; }
  void SetShowControlBounds(bool show) { showControlBounds_ = show; }
  // Invalidated on every tick while its width is positive.
  IArea& ExtraInvalidation() { return extraInvalidation_; }

 protected:
  // Deletes the controls that left the list during the last event.
  void DeleteRetired();
  // The scale changed while the window is open: the platform resizes its window to the
  // device size (the surface has its new size already).
  virtual void ResizeWindowToScale() {}
  // The window system's scale for the screen (the window's own DPI), used while the host
  // has said nothing.
  void SetSystemScale(double scale);

 private:
  // Takes the control at index out of the list, keeping the stored indices right.
  std::unique_ptr<IControl> TakeAt(int index);
  void DeleteAllControls();
  void SetDrawRect(const IArea& rect);
  void DrawStrict(const IArea& update);
  void DrawDirty();
  void DrawControlBounds();
  void BeginPressGesture(int paramIdx);
  void EndPressGesture();
  void BeginWheelGesture(int paramIdx);
  // The twice-size source of a loaded image or a cut part of one; null when there is none.
  RasterBitmap* HiResSource(const RasterBitmap* image);
  // Lines and arcs at the scale: as many one-pixel strokes side by side as the scale is wide.
  void StrokeLine(float x1, float y1, float x2, float y2, uint32_t colour, const IImageMix* blend, bool antialias);
  void StrokeArc(float cx, float cy, float radius, float a0, float a1, uint32_t colour, const IImageMix* blend,
                 bool antialias);
  void FillArea(const IArea& rect, uint32_t colour, const IImageMix* blend);
  void ApplyScale();

  IEffectBase* plug_;
  ITextStyle popupStyle_;
  IRgba popupBackground_{245, 50, 50, 50};
  IRgba popupHighlight_{75, 200, 200, 200};
  bool mouseOverEnabled_ = false;
  int mouseOver_ = -1;
  IControl* openPopup_ = nullptr;
  std::vector<std::unique_ptr<IControl>> controls_;
  std::vector<std::unique_ptr<IControl>> retired_;  // out of the list, deleted after the event
  IArea drawRect_;
  std::unique_ptr<RasterBitmap> surface_;  // a RasterSysBitmap
  std::unique_ptr<RasterMemBitmap> scratch_;
  IArea extraInvalidation_;
  int width_;
  int height_;
  int frameRate_;
  double scale_ = 1.0;
  double hostScale_ = 1.0;
  double zoom_ = 1.0;
  bool hostScaleKnown_ = false;
  int captured_ = -1;
  IControl* pressed_ = nullptr;  // the control that got the current press, until its release
  int pressGestureParam_ = -1;   // parameter whose begin of edit the current press sent
  int lastX_ = -1, lastY_ = -1;
  int gestureEndTicks_ = 0;
  bool strictDrawing_ = true;
  bool rightPress_ = false;
  bool showControlBounds_ = false;
  bool pressClosedPopup_ = false;
  bool ignoreUntilPress_ = false;
  ParameterPopupFactory popupFactory_ = nullptr;
};
