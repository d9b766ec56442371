// The drawing operations and the redraw cycle of IGraphics.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "control.h"
#include "font_cache.h"
#include "graphics.h"
#include "raster_draw.h"
#include "raster_font.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

RasterBlend ToRaster(const IImageMix* blend) {
  const IImageMix mix = blend ? *blend : IImageMix();
  switch (mix.method) {
    case EMixMethod::BlendCopy:
      return RasterBlend{RasterMode::Copy, false, mix.weight};
    case EMixMethod::BlendAdd:
      return RasterBlend{RasterMode::Add, true, mix.weight};
    case EMixMethod::BlendDodge:
      return RasterBlend{RasterMode::Dodge, true, mix.weight};
    case EMixMethod::BlendNormal:
    default:
      return RasterBlend{RasterMode::Copy, true, mix.weight};
  }
}

RasterRect ToRaster(const IArea& r) { return RasterRect{r.left, r.top, r.W(), r.H()}; }
}  // namespace

void IGraphics::SetDrawRect(const IArea& rect) {
  drawRect_ = rect;
  if (surface_) surface_->SetClip(ToRaster(ToDevice(rect)));
}

// ---------------------------------------------------------------- strokes at the scale

void IGraphics::StrokeLine(float x1, float y1, float x2, float y2, uint32_t colour, const IImageMix* blend,
                           bool antialias) {
  const RasterBlend mix = ToRaster(blend);
  const float s = static_cast<float>(scale_);
  if (scale_ == 1.0) {
    RasterLine(*surface_, x1, y1, x2, y2, colour, mix, antialias);
    return;
  }
  // A one-pixel line of the editor is a band s device pixels wide, its ends s pixels long:
  // strokes side by side across it, each reaching half a pixel further out at both ends.
  const float dx = x2 - x1, dy = y2 - y1, length = std::sqrt(dx * dx + dy * dy);
  const float ux = length > 0 ? dx / length : 1.0f, uy = length > 0 ? dy / length : 0.0f;
  const float reach = (s - 1.0f) * 0.5f;
  const int strokes = std::max(1, static_cast<int>(std::lround(s)));
  for (int k = 0; k < strokes; ++k) {
    const float across = (static_cast<float>(k) - static_cast<float>(strokes - 1) * 0.5f) * s / static_cast<float>(strokes);
    const float ox = -uy * across, oy = ux * across;
    RasterLine(*surface_, x1 * s - ux * reach + ox, y1 * s - uy * reach + oy, x2 * s + ux * reach + ox,
               y2 * s + uy * reach + oy, colour, mix, antialias);
  }
}

void IGraphics::StrokeArc(float cx, float cy, float radius, float a0, float a1, uint32_t colour,
                          const IImageMix* blend, bool antialias) {
  const RasterBlend mix = ToRaster(blend);
  const float s = static_cast<float>(scale_);
  const int strokes = std::max(1, static_cast<int>(std::lround(s)));
  for (int k = 0; k < strokes; ++k) {
    const float across = (static_cast<float>(k) - static_cast<float>(strokes - 1) * 0.5f) * s / static_cast<float>(strokes);
    RasterArc(*surface_, cx * s, cy * s, radius * s + across, a0, a1, colour, mix, antialias);
  }
}

void IGraphics::FillArea(const IArea& rect, uint32_t colour, const IImageMix* blend) {
  const IArea d = ToDevice(rect);
  RasterFillRect(*surface_, d.left, d.top, d.W(), d.H(), colour, ToRaster(blend));
}

// ---------------------------------------------------------------- images

bool IGraphics::DrawImage(const IImage& image, const IArea& dest, int srcX, int srcY, const IImageMix* blend) {
  const IArea clipped = ToDevice(dest.Intersect(drawRect_));
  if (!image.bitmap || !surface_ || clipped.Empty()) return true;
  const IArea place = ToDevice(dest);
  RasterBlit(*surface_, *DeviceImage(image), clipped.left, clipped.top, ToDevice(srcX) + (clipped.left - place.left),
             ToDevice(srcY) + (clipped.top - place.top), clipped.W(), clipped.H(), ToRaster(blend));
  return true;
}

bool IGraphics::DrawImageFrame(const IImage& image, const IArea& dest, int frame, const IImageMix* blend,
                               bool stacked) {
  int srcX = 0, srcY = 0;
  if (image.frames >= 2 && frame >= 2) {
    const int length = stacked ? image.h : image.w;
    const int offset = static_cast<int>(static_cast<double>(length) * (frame - 1) / image.frames + 0.5);
    (stacked ? srcY : srcX) = offset;
  }
  return DrawImage(image, dest, srcX, srcY, blend);
}

bool IGraphics::DrawRotatedImage(const IImage& image, int cx, int cy, double angle, const IImageMix* blend,
                                 float srcX, float srcY) {
  if (!image.bitmap || !surface_) return true;
  // Turned at the device resolution from the scaled image, not turned and then stretched.
  const RasterBitmap& source = *DeviceImage(image);
  const float s = static_cast<float>(scale_);
  const float w = static_cast<float>(image.w) * s, h = static_cast<float>(image.h) * s;
  const float sw = scale_ == 1.0 ? w : static_cast<float>(source.Width());
  const float sh = scale_ == 1.0 ? h : static_cast<float>(source.Height());
  RasterBlitRotated(*surface_, source, static_cast<float>(cx - image.w / 2) * s,
                    static_cast<float>(cy - image.h / 2) * s, w, h, srcX * s, srcY * s, sw, sh, angle,
                    ToRaster(blend));
  return true;
}

// ---------------------------------------------------------------- text

bool IGraphics::DrawText(ITextStyle& style, const char* text, const IArea& rect) {
  if (!text || text[0] == '\0') return true;
  if (!style.cachedFont) style.cachedFont = FontCache::Instance().Find(style);
  if (!style.cachedFont) return false;
  if (!surface_) return true;
  RasterCachedFont* font = scale_ == 1.0 ? style.cachedFont : FontCache::Instance().Find(style, scale_);
  if (!font) return false;
  unsigned flags = kRasterTextNoClip;
  if (style.align == kAlignCentre) flags |= kRasterTextCentred;
  if (style.align == kAlignRight) flags |= kRasterTextRight;
  if (style.colour.A != 255) flags |= kRasterTextUseAlpha;
  return FontCache::Instance().Draw(*font, style.colour.Packed(), *surface_, text, ToRaster(ToDevice(rect)), flags);
}

int IGraphics::MeasureText(ITextStyle& style, const char* text) {
  if (!text || text[0] == '\0') return 0;
  if (!style.cachedFont) style.cachedFont = FontCache::Instance().Find(style);
  return style.cachedFont ? FontCache::Instance().TextWidth(*style.cachedFont, text) : 0;
}

// ---------------------------------------------------------------- shapes
// Shapes take the colour's own alpha; the blend's weight is the opacity on top of it.

bool IGraphics::DrawLine(const IRgba& colour, float x1, float y1, float x2, float y2, const IImageMix* blend,
                         bool antialias) {
  if (surface_) StrokeLine(x1, y1, x2, y2, colour.Packed(), blend, antialias);
  return true;
}

bool IGraphics::DrawRoundedBox(const IRgba& colour, const IArea& rect, int radius, const IImageMix* blend,
                               bool antialias) {
  if (!surface_) return true;
  const uint32_t c = colour.Packed();
  const float r = static_cast<float>(radius);
  // Pixel centres of the outline's four sides.
  const float l = rect.left + 0.5f, t = rect.top + 0.5f, rr = rect.right - 0.5f, b = rect.bottom - 0.5f;
  const float inset = r + 1.0f;  // the sides stop short of the arcs, so no pixel is drawn twice
  StrokeLine(l + inset, t, rr - inset, t, c, blend, antialias);
  StrokeLine(l + inset, b, rr - inset, b, c, blend, antialias);
  StrokeLine(l, t + inset, l, b - inset, c, blend, antialias);
  StrokeLine(rr, t + inset, rr, b - inset, c, blend, antialias);
  const float q = static_cast<float>(kPi / 2);
  StrokeArc(l + r, t + r, r, -q, 0.0f, c, blend, antialias);
  StrokeArc(rr - r, t + r, r, 0.0f, q, c, blend, antialias);
  StrokeArc(rr - r, b - r, r, q, 2 * q, c, blend, antialias);
  StrokeArc(l + r, b - r, r, 2 * q, 3 * q, c, blend, antialias);
  return true;
}

bool IGraphics::FillRoundedBox(const IRgba& colour, const IArea& rect, int radius, int corners,
                               const IImageMix* blend, bool antialias) {
  if (!surface_) return true;
  const bool top = corners == 4 || corners == 2, bottom = corners == 4 || corners == -2;
  const int r = radius, w = rect.W();
  const int topBand = top ? r : 0, bottomBand = bottom ? r : 0;
  const RasterBlend mix = ToRaster(blend);
  const uint32_t c = colour.Packed();
  const float s = static_cast<float>(scale_);
  // Bands that never overlap (a translucent colour stays even), then a quarter circle per corner.
  FillArea(IArea(rect.left, rect.top + topBand, rect.right, rect.bottom - bottomBand), c, blend);
  if (top) FillArea(IArea(rect.left + r, rect.top, rect.left + w - r, rect.top + r), c, blend);
  if (bottom) FillArea(IArea(rect.left + r, rect.bottom - r, rect.left + w - r, rect.bottom), c, blend);
  const float fr = static_cast<float>(r) * s, q = static_cast<float>(kPi / 2);
  const float l = static_cast<float>(rect.left) * s + fr, rt = static_cast<float>(rect.right) * s - fr;
  const float t = static_cast<float>(rect.top) * s + fr, b = static_cast<float>(rect.bottom) * s - fr;
  if (top) {
    RasterFillSector(*surface_, l, t, fr, -q, 0.0f, c, mix, antialias);
    RasterFillSector(*surface_, rt, t, fr, 0.0f, q, c, mix, antialias);
  }
  if (bottom) {
    RasterFillSector(*surface_, rt, b, fr, q, 2 * q, c, mix, antialias);
    RasterFillSector(*surface_, l, b, fr, 2 * q, 3 * q, c, mix, antialias);
  }
  return true;
}

bool IGraphics::FillRect(const IRgba& colour, const IArea& rect, const IImageMix* blend) {
  if (surface_) FillArea(rect, colour.Packed(), blend);
  return true;
}

// ---------------------------------------------------------------- redraw cycle

bool IGraphics::Draw(const IArea& update) {
  DeleteRetired();
  if (controls_.empty()) return true;
  if (strictDrawing_) {
    DrawStrict(update);
  } else {
    DrawDirty();
  }
  if (showControlBounds_) DrawControlBounds();
  return PaintToWindow(ToDevice(update));
}

void IGraphics::DrawStrict(const IArea& update) {
  SetDrawRect(update);
  // By index: a control may add or close a popup while it draws.
  for (int i = 0; i < ControlCount(); ++i) {
    IControl* control = controls_[static_cast<size_t>(i)].get();
    if (!control->IsHidden() && control->Rect().Intersects(update)) control->Draw(*this);
    control->MarkClean();
  }
}

void IGraphics::DrawDirty() {
  IControl* background = controls_[0].get();
  if (background->NeedsRedraw()) {
    SetDrawRect(background->Rect());
    for (int i = 0; i < ControlCount(); ++i) {
      IControl* control = controls_[static_cast<size_t>(i)].get();
      if (i > 0 && control->IsHidden()) continue;
      control->Draw(*this);
      control->MarkClean();
    }
    return;
  }
  for (int i = 1; i < ControlCount(); ++i) {
    IControl* dirty = controls_[static_cast<size_t>(i)].get();
    if (!dirty->NeedsRedraw()) continue;
    SetDrawRect(dirty->Rect());
    for (int j = 0; j < ControlCount(); ++j) {
      IControl* control = controls_[static_cast<size_t>(j)].get();
      if (control->IsHidden()) continue;
      if (j == i || control->Rect().Intersects(dirty->Rect())) control->Draw(*this);
    }
    dirty->MarkClean();
  }
}

void IGraphics::DrawControlBounds() {
  const IRgba green(255, 0, 255, 0);
  SetDrawRect(IArea(0, 0, width_, height_));
  for (int i = 1; i < ControlCount(); ++i) {
    const IArea& r = controls_[static_cast<size_t>(i)]->Rect();
    const float l = r.left + 0.5f, t = r.top + 0.5f, rr = r.right - 0.5f, b = r.bottom - 0.5f;
    DrawLine(green, l, t, rr, t, nullptr, false);
    DrawLine(green, rr, t, rr, b, nullptr, false);
    DrawLine(green, rr, b, l, b, nullptr, false);
    DrawLine(green, l, b, l, t, nullptr, false);
  }
  char text[48];
  std::snprintf(text, sizeof text, "x: %i, y: %i", lastX_, lastY_);
  ITextStyle style("Arial", 20, green);
  DrawText(style, text, IArea(width_ - 150, height_ - 20, width_, height_));
}

bool IGraphics::NeedsRedraw(IArea* rect) const {
  if (showControlBounds_) {
    if (rect) *rect = drawRect_;
    return true;
  }
  IArea dirty;
  bool any = false;
  for (const auto& control : controls_) {
    if (!control->NeedsRedraw()) continue;
    dirty = dirty.Union(control->Rect());
    any = true;
  }
  if (rect) *rect = dirty;
  return any;
}

void IGraphics::RedrawAll() {
  if (!controls_.empty()) controls_[0]->MarkDirty(false);
}
