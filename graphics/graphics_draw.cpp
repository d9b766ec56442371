// The drawing operations and the redraw cycle of IGraphics.
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
  if (surface_) surface_->SetClip(ToRaster(rect));
}

// ---------------------------------------------------------------- images

bool IGraphics::DrawImage(const IImage& image, const IArea& dest, int srcX, int srcY, const IImageMix* blend) {
  const IArea clipped = dest.Intersect(drawRect_);
  if (!image.bitmap || !surface_ || clipped.Empty()) return true;
  RasterBlit(*surface_, *image.bitmap, clipped.left, clipped.top, srcX + (clipped.left - dest.left),
             srcY + (clipped.top - dest.top), clipped.W(), clipped.H(), ToRaster(blend));
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
  const float w = static_cast<float>(image.w), h = static_cast<float>(image.h);
  RasterBlitRotated(*surface_, *image.bitmap, static_cast<float>(cx - image.w / 2),
                    static_cast<float>(cy - image.h / 2), w, h, srcX, srcY, w, h, angle, ToRaster(blend));
  return true;
}

// ---------------------------------------------------------------- text

bool IGraphics::DrawText(ITextStyle& style, const char* text, const IArea& rect) {
  if (!text || text[0] == '\0') return true;
  if (!style.cachedFont) style.cachedFont = FontCache::Instance().Find(style);
  if (!style.cachedFont) return false;
  if (!surface_) return true;
  unsigned flags = kRasterTextNoClip;
  if (style.align == kAlignCentre) flags |= kRasterTextCentred;
  if (style.align == kAlignRight) flags |= kRasterTextRight;
  if (style.colour.A != 255) flags |= kRasterTextUseAlpha;
  return FontCache::Instance().Draw(*style.cachedFont, style.colour.Packed(), *surface_, text, ToRaster(rect),
                                    flags);
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
  if (surface_) RasterLine(*surface_, x1, y1, x2, y2, colour.Packed(), ToRaster(blend), antialias);
  return true;
}

bool IGraphics::DrawRoundedBox(const IRgba& colour, const IArea& rect, int radius, const IImageMix* blend,
                               bool antialias) {
  if (!surface_) return true;
  const RasterBlend mix = ToRaster(blend);
  const uint32_t c = colour.Packed();
  const float r = static_cast<float>(radius);
  // Pixel centres of the outline's four sides.
  const float l = rect.left + 0.5f, t = rect.top + 0.5f, rr = rect.right - 0.5f, b = rect.bottom - 0.5f;
  const float inset = r + 1.0f;  // the sides stop short of the arcs, so no pixel is drawn twice
  RasterLine(*surface_, l + inset, t, rr - inset, t, c, mix, antialias);
  RasterLine(*surface_, l + inset, b, rr - inset, b, c, mix, antialias);
  RasterLine(*surface_, l, t + inset, l, b - inset, c, mix, antialias);
  RasterLine(*surface_, rr, t + inset, rr, b - inset, c, mix, antialias);
  const float q = static_cast<float>(kPi / 2);
  RasterArc(*surface_, l + r, t + r, r, -q, 0.0f, c, mix, antialias);
  RasterArc(*surface_, rr - r, t + r, r, 0.0f, q, c, mix, antialias);
  RasterArc(*surface_, rr - r, b - r, r, q, 2 * q, c, mix, antialias);
  RasterArc(*surface_, l + r, b - r, r, 2 * q, 3 * q, c, mix, antialias);
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
  // Bands that never overlap (a translucent colour stays even), then a quarter circle per corner.
  RasterFillRect(*surface_, rect.left, rect.top + topBand, w, rect.H() - topBand - bottomBand, c, mix);
  if (top) RasterFillRect(*surface_, rect.left + r, rect.top, w - 2 * r, r, c, mix);
  if (bottom) RasterFillRect(*surface_, rect.left + r, rect.bottom - r, w - 2 * r, r, c, mix);
  const float fr = static_cast<float>(r), q = static_cast<float>(kPi / 2);
  const float l = static_cast<float>(rect.left) + fr, rt = static_cast<float>(rect.right) - fr;
  const float t = static_cast<float>(rect.top) + fr, b = static_cast<float>(rect.bottom) - fr;
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
  if (surface_) RasterFillRect(*surface_, rect.left, rect.top, rect.W(), rect.H(), colour.Packed(), ToRaster(blend));
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
  return PaintToWindow(update);
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
