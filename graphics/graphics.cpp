#include "graphics.h"

#include <cmath>
#include <cstdlib>
#include <mutex>

#include "bitmap_control.h"
#include "control.h"
#include "effect_base.h"
#include "image_cache.h"
#include "module_resources.h"
#include "parameter.h"
#include "raster_bitmap.h"
#include "raster_draw.h"
#include "raster_resample.h"
#include "raster_sys_bitmap.h"

namespace {
// The control list changes under the plug-in's lock: the audio thread walks it
// (parameter values from the host) while the editor thread adds and removes popups.
std::unique_lock<std::recursive_mutex> ListLock(IEffectBase* plug) {
  return plug ? std::unique_lock<std::recursive_mutex>(plug->Mutex()) : std::unique_lock<std::recursive_mutex>();
}
}  // namespace

IGraphics::IGraphics(IEffectBase* plug, int width, int height, int frameRate)
    : plug_(plug),
      popupStyle_("Arial", 15, IRgba(200, 255, 255, 255)),
      width_(width),
      height_(height),
      frameRate_(frameRate > 0 ? frameRate : kDefaultFrameRate) {}

IGraphics::~IGraphics() { DeleteAllControls(); }

// ---------------------------------------------------------------- controls

int IGraphics::AddControl(IControl* control) {
  control->SetGraphics(this);
  auto lock = ListLock(plug_);
  controls_.emplace_back(control);
  return ControlCount() - 1;
}

void IGraphics::SetBackground(int id, const char* name) {
  SetBackground(new IBitmapControl(plug_, 0, 0, -1, LoadImageResource(id, name, 1)));
}

void IGraphics::SetBackground(IControl* background) {
  background->SetGraphics(this);
  auto lock = ListLock(plug_);
  controls_.emplace(controls_.begin(), background);
  if (captured_ >= 0) ++captured_;
  if (mouseOver_ >= 0) ++mouseOver_;
}

IControl* IGraphics::ControlAt(int index) const {
  return index >= 0 && index < ControlCount() ? controls_[static_cast<size_t>(index)].get() : nullptr;
}

int IGraphics::IndexOf(const IControl* control) const {
  for (int i = 0; i < ControlCount(); ++i) {
    if (controls_[static_cast<size_t>(i)].get() == control) return i;
  }
  return -1;
}

std::unique_ptr<IControl> IGraphics::TakeAt(int index) {
  auto lock = ListLock(plug_);
  std::unique_ptr<IControl> control = std::move(controls_[static_cast<size_t>(index)]);
  controls_.erase(controls_.begin() + index);
  for (int* stored : {&captured_, &mouseOver_}) {
    if (*stored == index) {
      *stored = -1;
    } else if (*stored > index) {
      --*stored;
    }
  }
  if (pressed_ == control.get()) pressed_ = nullptr;
  if (openPopup_ == control.get()) openPopup_ = nullptr;
  return control;
}

void IGraphics::RemoveControl(IControl* control) {
  const int index = IndexOf(control);
  if (index >= 0) TakeAt(index).release();  // the caller owns it now
}

void IGraphics::DeleteRetired() { retired_.clear(); }

void IGraphics::DeleteAllControls() {
  ClosePopup(true);
  DeleteRetired();
  auto lock = ListLock(plug_);
  while (!controls_.empty()) {  // last to first; a control may still remove others while it goes
    std::unique_ptr<IControl> control = std::move(controls_.back());
    controls_.pop_back();
    control.reset();
  }
  captured_ = mouseOver_ = -1;
  pressed_ = nullptr;
}

// ---------------------------------------------------------------- images

IImage IGraphics::LoadImageResource(int id, const char* name, int frames) {
  RasterBitmap* bitmap = ImageCache::Instance().FindOrLoad(id, [&] { return LoadImageFromModule(id, name); });
  IImage image;
  image.frames = frames;
  if (bitmap) {
    image.bitmap = bitmap;
    image.w = bitmap->Width();
    image.h = bitmap->Height();
  }
  return image;
}

IImage IGraphics::CutImage(IImage& image, double x) {
  if (!image.bitmap) return IImage();
  int column = static_cast<int>(image.w * x);
  column = column < 0 ? 0 : (column > image.w ? image.w : column);
  const ImageCache::Cut cut = ImageCache::Instance().CutAt(image.bitmap, column);
  IImage left;
  left.bitmap = cut.left;
  left.w = column;
  left.h = image.h;
  image.bitmap = cut.right;
  image.w -= column;
  image.frames = 1;
  image.tempId = cut.leftId;
  return left;
}

RasterBitmap* IGraphics::CachedImage(int id) const { return ImageCache::Instance().Find(id); }

RasterBitmap* IGraphics::HiResSource(const RasterBitmap* image) {
  ImageCache& cache = ImageCache::Instance();
  const ImageCache::CutOrigin cut = cache.OriginOf(image);
  if (cut.source) {
    RasterBitmap* whole = HiResSource(cut.source);
    if (!whole) return nullptr;
    const ImageCache::Cut parts = cache.CutAt(whole, cut.column * 2);
    return cut.right ? parts.right : parts.left;
  }
  const int id = cache.IdOf(image);
  if (id <= 0) return nullptr;
  const int hiResId = id + kHiResImageIdOffset;
  RasterBitmap* hiRes = cache.FindOrLoad(hiResId, [&] { return LoadImageFromModule(hiResId, nullptr); });
  // A source of any other size was not drawn for this image.
  const bool fits = hiRes && hiRes->Width() == 2 * image->Width() && hiRes->Height() == 2 * image->Height();
  return fits ? hiRes : nullptr;
}

RasterBitmap* IGraphics::DeviceImage(const IImage& image) {
  if (!image.bitmap || scale_ == 1.0) return image.bitmap;
  const int w = ToDevice(image.bitmap->Width()), h = ToDevice(image.bitmap->Height());
  return ImageCache::Instance().FindOrMakeScaled(image.bitmap, w, h, [&]() -> std::unique_ptr<RasterBitmap> {
    auto scaled = std::make_unique<RasterMemBitmap>(w, h);
    const RasterBitmap* source = HiResSource(image.bitmap);
    if (source && w == source->Width() && h == source->Height()) {
      RasterBlit(*scaled, *source, 0, 0, 0, 0, w, h, RasterBlend{RasterMode::Copy, false, 1.0f});
    } else {
      RasterResample(*scaled, source ? *source : *image.bitmap);
    }
    return scaled;
  });
}

// ---------------------------------------------------------------- scale

namespace {
// Nonsense from a host (0, negative, not a number) changes nothing.
bool Plausible(double factor) { return factor > 0.0 && std::isfinite(factor); }
}  // namespace

void IGraphics::SetHostScale(double scale) {
  if (!Plausible(scale)) return;
  hostScaleKnown_ = true;
  SetSystemScale(scale);
}

void IGraphics::SetSystemScale(double scale) {
  if (!Plausible(scale)) return;
  hostScale_ = scale;
  ApplyScale();
}

void IGraphics::SetZoom(double zoom) {
  if (!Plausible(zoom)) return;
  zoom_ = zoom;
  ApplyScale();
}

void IGraphics::ApplyScale() {
  double scale = hostScale_ * zoom_;
  scale = scale < kMinScale ? kMinScale : (scale > kMaxScale ? kMaxScale : scale);
  if (scale == scale_) return;
  scale_ = scale;
  if (surface_) surface_->Resize(DeviceWidth(), DeviceHeight());
  RedrawAll();
  if (!HasOpenWindow()) return;
  ResizeWindowToScale();
  if (plug_) plug_->ResizeEditor(DeviceWidth(), DeviceHeight());
}

int IGraphics::ToDevice(int editorPixels) const {
  return scale_ == 1.0 ? editorPixels : static_cast<int>(std::lround(editorPixels * scale_));
}

IArea IGraphics::ToDevice(const IArea& r) const {
  if (r.Empty()) return r;
  return IArea(ToDevice(r.left), ToDevice(r.top), ToDevice(r.right), ToDevice(r.bottom));
}

int IGraphics::ToEditor(int devicePixel) const {
  // The pixel whose scaled square holds the device pixel's centre.
  return scale_ == 1.0 ? devicePixel : static_cast<int>(std::floor((devicePixel + 0.5) / scale_));
}

IArea IGraphics::ToEditor(const IArea& r) const {
  if (r.Empty() || scale_ == 1.0) return r;
  return IArea(static_cast<int>(std::floor(r.left / scale_)), static_cast<int>(std::floor(r.top / scale_)),
               static_cast<int>(std::ceil(r.right / scale_)), static_cast<int>(std::ceil(r.bottom / scale_)));
}

// ---------------------------------------------------------------- values

void IGraphics::PushParameterToControls(int paramIdx, double value, bool normalized) noexcept {
  if (!normalized) {
    const IParameter* param = plug_ ? plug_->ParamAt(paramIdx) : nullptr;
    if (!param) return;
    value = param->PlainToNormalized(value);
  }
  for (const auto& control : controls_) {
    if (control->ParamIdx() == paramIdx) control->ReceiveValue(value);
  }
}

void IGraphics::PushValueToControl(int controlIndex, double normalized) noexcept {
  if (IControl* control = ControlAt(controlIndex)) control->ReceiveValue(normalized);
}

void IGraphics::HideControlsOfParameter(int paramIdx, bool hide) noexcept {
  for (const auto& control : controls_) {
    if (control->ParamIdx() == paramIdx) control->Hide(hide);
  }
}

void IGraphics::SetControlsFromUser(int paramIdx, double normalized) {
  for (const auto& control : controls_) {
    if (control->ParamIdx() == paramIdx) control->ReceiveUserValue(normalized);
  }
}

// A text that is no value cancels the entry rather than reading as 0, which would
// silently set the parameter to its minimum.
bool ReadTypedValue(const IParameter& param, const char* text, double* plain) {
  if (param.ValueTextCount() > 0 && param.ValueForText(text, plain)) return true;
  char* end = nullptr;
  const double number = std::strtod(text, &end);
  if (end == text || !std::isfinite(number)) return false;
  *plain = param.NegateDisplay() ? -number : number;
  return true;
}

void IGraphics::CommitTextEntry(IControl* control, IParameter* param, const char* text) {
  if (!control) return;
  if (!text) text = "";
  if (!param) {
    control->ReceiveText(text);
    return;
  }
  double plain = 0.0;
  if (!ReadTypedValue(*param, text, &plain)) return;
  const int paramIdx = control->ParamIdx();
  if (paramIdx >= 0 && plug_) plug_->BeginHostEdit(paramIdx);
  control->ReceiveUserValue(param->PlainToNormalized(plain));
  if (paramIdx >= 0 && plug_) plug_->EndHostEdit(paramIdx);
}

// ---------------------------------------------------------------- popup

bool IGraphics::OpenParameterPopup(IControl& opener) {
  if (!popupFactory_) return false;
  popupFactory_(*this, opener);
  return true;
}

void IGraphics::ClosePopup(bool clear) {
  if (!openPopup_) return;
  IControl* popup = openPopup_;
  // Cleared in every case: a stale reference would swallow the next right click
  // and point at a deleted control.
  openPopup_ = nullptr;
  if (!clear && popup->Owner()) popup->Owner()->SetTextFromMenu("", -1);
  const int index = IndexOf(popup);
  // Deleted after the current event: the popup may be the one closing itself.
  if (index >= 0) retired_.push_back(TakeAt(index));
  RedrawAll();
}

// ---------------------------------------------------------------- editor

void IGraphics::Resize(int width, int height) {
  width_ = width;
  height_ = height;
  EndPressGesture();
  lastX_ = lastY_ = -1;
  DeleteAllControls();
  if (surface_) surface_->Resize(DeviceWidth(), DeviceHeight());
  if (plug_) plug_->ResizeEditor(width, height);
}

void IGraphics::PrepareDrawing() {
  surface_ = std::make_unique<RasterSysBitmap>(DeviceWidth(), DeviceHeight());
  scratch_ = std::make_unique<RasterMemBitmap>();
}

RasterSysBitmap* IGraphics::SystemSurface() const { return static_cast<RasterSysBitmap*>(surface_.get()); }

void IGraphics::TimerTick() {
  // By index: a control's timer work never changes the list, but may mark others dirty.
  for (int i = 0; i < ControlCount(); ++i) controls_[static_cast<size_t>(i)]->OnTimer();
}

void IGraphics::RedrawTick(const std::function<void(const IArea&)>& repaint) {
  DeleteRetired();
  TimerTick();
  IArea dirty;
  const bool any = NeedsRedraw(&dirty);
  if (extraInvalidation_.W() > 0) dirty = dirty.Union(extraInvalidation_);
  if (any || extraInvalidation_.W() > 0) repaint(dirty);
  AdvanceGestureEndTimer();
}

void IGraphics::AdvanceGestureEndTimer() {
  if (gestureEndTicks_ <= 0) return;
  if (--gestureEndTicks_ == 0 && plug_) plug_->FlushEndInform();
}
