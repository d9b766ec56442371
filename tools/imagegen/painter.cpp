#include "painter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "raster_blend.h"

namespace imagegen {
namespace {

constexpr float kChannelMax = 255.0f;

uint32_t Pack(const Colour& c) {
  auto channel = [](float v) { return uint32_t(std::lround(std::clamp(v, 0.0f, 1.0f) * kChannelMax)); };
  return channel(c.a) << 24 | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

float Length(float x, float y) { return std::sqrt(x * x + y * y); }

RasterRect Around(float left, float top, float right, float bottom, float margin) {
  const int x0 = int(std::floor(left - margin)), y0 = int(std::floor(top - margin));
  const int x1 = int(std::ceil(right + margin)), y1 = int(std::ceil(bottom + margin));
  return {x0, y0, x1 - x0, y1 - y0};
}

RasterRect Enclose(const RasterRect& a, const RasterRect& b) {
  const int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
  const int x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
  return {x0, y0, x1 - x0, y1 - y0};
}

RasterRect Grow(const RasterRect& r, float by) {
  return Around(float(r.x), float(r.y), float(r.x + r.w), float(r.y + r.h), by);
}

// Distance from p to the segment a-b.
float SegmentDistance(Point p, Point a, Point b) {
  const float vx = b.x - a.x, vy = b.y - a.y;
  const float len2 = vx * vx + vy * vy;
  const float t = len2 > 0 ? std::clamp(((p.x - a.x) * vx + (p.y - a.y) * vy) / len2, 0.0f, 1.0f) : 0.0f;
  return Length(p.x - a.x - t * vx, p.y - a.y - t * vy);
}

RasterCachedFont* FontFor(const TextStyle& style) {
  static std::map<std::tuple<std::string, int, bool>, std::unique_ptr<RasterCachedFont>> fonts;
  auto& font = fonts[{style.face, style.height, style.bold}];
  if (!font) {
    RasterFontSpec spec;
    std::snprintf(spec.face, sizeof spec.face, "%s", style.face);
    spec.height = style.height;
    spec.weight = style.bold ? 700 : 400;
    spec.quality = 4;  // antialiased
    font = RasterCachedFont::Create(spec);
    if (!font) {
      std::fprintf(stderr, "imagegen: no font for face %s\n", style.face);
      std::exit(1);
    }
  }
  return font.get();
}

}  // namespace

Colour Mix(const Colour& from, const Colour& to, float t) {
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
          from.a + (to.a - from.a) * t};
}

Colour WithAlpha(Colour colour, float alpha) {
  colour.a = alpha;
  return colour;
}

Shape RoundedBox(float left, float top, float right, float bottom, float radius) {
  const float cx = (left + right) * 0.5f, cy = (top + bottom) * 0.5f;
  const float hx = (right - left) * 0.5f - radius, hy = (bottom - top) * 0.5f - radius;
  return {[=](float x, float y) {
            const float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
            return Length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - radius;
          },
          Around(left, top, right, bottom, 1)};
}

Shape Circle(float cx, float cy, float radius) {
  return {[=](float x, float y) { return Length(x - cx, y - cy) - radius; },
          Around(cx - radius, cy - radius, cx + radius, cy + radius, 1)};
}

Shape Ring(float cx, float cy, float radius, float halfWidth) {
  const float outer = radius + halfWidth;
  return {[=](float x, float y) { return std::fabs(Length(x - cx, y - cy) - radius) - halfWidth; },
          Around(cx - outer, cy - outer, cx + outer, cy + outer, 1)};
}

Shape Segment(Point from, Point to, float halfWidth) {
  return {[=](float x, float y) { return SegmentDistance({x, y}, from, to) - halfWidth; },
          Around(std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x), std::max(from.y, to.y),
                 halfWidth + 1)};
}

Shape Polyline(const std::vector<Point>& points, float halfWidth) {
  float left = points.front().x, right = left, top = points.front().y, bottom = top;
  for (const Point& p : points) {
    left = std::min(left, p.x), right = std::max(right, p.x);
    top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  }
  return {[=](float x, float y) {
            float best = 1e9f;
            for (size_t i = 1; i < points.size(); ++i) {
              best = std::min(best, SegmentDistance({x, y}, points[i - 1], points[i]));
            }
            return best - halfWidth;
          },
          Around(left, top, right, bottom, halfWidth + 1)};
}

Shape Polygon(const std::vector<Point>& corners) {
  float left = corners.front().x, right = left, top = corners.front().y, bottom = top;
  float area = 0;
  for (size_t i = 0; i < corners.size(); ++i) {
    const Point& a = corners[i];
    const Point& b = corners[(i + 1) % corners.size()];
    area += a.x * b.y - b.x * a.y;
    left = std::min(left, a.x), right = std::max(right, a.x);
    top = std::min(top, a.y), bottom = std::max(bottom, a.y);
  }
  const float turn = area > 0 ? -1.0f : 1.0f;
  return {[=](float x, float y) {
            float worst = -1e9f;
            for (size_t i = 0; i < corners.size(); ++i) {
              const Point& a = corners[i];
              const Point& b = corners[(i + 1) % corners.size()];
              const float len = Length(b.x - a.x, b.y - a.y);
              // Outward distance from the edge's line.
              worst = std::max(worst, turn * ((x - a.x) * (a.y - b.y) + (y - a.y) * (b.x - a.x)) / len);
            }
            return worst;
          },
          Around(left, top, right, bottom, 1)};
}

Shape Union(const Shape& a, const Shape& b) {
  return {[=](float x, float y) { return std::min(a.distance(x, y), b.distance(x, y)); },
          Enclose(a.bounds, b.bounds)};
}

Shape Intersect(const Shape& a, const Shape& b) {
  return {[=](float x, float y) { return std::max(a.distance(x, y), b.distance(x, y)); }, a.bounds};
}

Shape Subtract(const Shape& a, const Shape& cut) {
  return {[=](float x, float y) { return std::max(a.distance(x, y), -cut.distance(x, y)); }, a.bounds};
}

Shape Inset(const Shape& shape, float by) {
  return {[=](float x, float y) { return shape.distance(x, y) + by; }, by < 0 ? Grow(shape.bounds, -by) : shape.bounds};
}

Paint Solid(Colour colour) {
  return [=](float, float) { return colour; };
}

Paint Vertical(float top, float bottom, Colour upper, Colour lower) {
  return [=](float, float y) { return Mix(upper, lower, std::clamp((y - top) / (bottom - top), 0.0f, 1.0f)); };
}

Paint Radial(float cx, float cy, float radius, Colour inner, Colour outer) {
  return [=](float x, float y) { return Mix(inner, outer, std::clamp(Length(x - cx, y - cy) / radius, 0.0f, 1.0f)); };
}

void Painter::Cover(int x, int y, const Colour& colour, float coverage) {
  if (coverage <= 0 || x < 0 || y < 0 || x >= image_.Width() || y >= image_.Height()) return;
  uint32_t& pixel = image_.Row(y)[x];
  pixel = RasterCombine(pixel, Pack(colour), {RasterMode::Copy, true, std::min(coverage, 1.0f)});
}

int Painter::Width() const { return int(std::lround(float(image_.Width()) / scale_)); }

int Painter::Height() const { return int(std::lround(float(image_.Height()) / scale_)); }

RasterRect Painter::ToImage(const RasterRect& bounds) const {
  if (scale_ == 1.0f) return bounds;
  return Around(float(bounds.x) * scale_, float(bounds.y) * scale_, float(bounds.x + bounds.w) * scale_,
                float(bounds.y + bounds.h) * scale_, 0);
}

void Painter::Fill(const Shape& shape, const Paint& paint, float opacity) {
  const RasterRect b = ToImage(shape.bounds);
  for (int y = b.y; y < b.y + b.h; ++y) {
    for (int x = b.x; x < b.x + b.w; ++x) {
      const float px = Centre(x), py = Centre(y);
      // Antialiased over one image pixel, whatever the scale.
      const float coverage = std::clamp(0.5f - shape.distance(px, py) * scale_, 0.0f, 1.0f);
      if (coverage > 0) Cover(x, y, paint(px, py), coverage * opacity);
    }
  }
}

void Painter::Glow(const Shape& shape, Colour colour, float radius) {
  const RasterRect b = ToImage(Grow(shape.bounds, radius));
  for (int y = b.y; y < b.y + b.h; ++y) {
    for (int x = b.x; x < b.x + b.w; ++x) {
      const float d = std::max(shape.distance(Centre(x), Centre(y)), 0.0f);
      const float t = std::clamp(1.0f - d / radius, 0.0f, 1.0f);
      Cover(x, y, colour, t * t);
    }
  }
}

void Painter::Shadow(const Shape& shape, float dx, float dy, float blur, Colour colour) {
  RasterRect grown = Grow(shape.bounds, blur);
  grown.x += int(dx), grown.y += int(dy), grown.w += 1, grown.h += 1;
  const RasterRect b = ToImage(grown);
  for (int y = b.y; y < b.y + b.h; ++y) {
    for (int x = b.x; x < b.x + b.w; ++x) {
      const float d = shape.distance(Centre(x) - dx, Centre(y) - dy);
      const float t = std::clamp(0.5f - d / (2 * blur), 0.0f, 1.0f);
      Cover(x, y, colour, t * t * (3 - 2 * t));
    }
  }
}

namespace {
int TextWidthOf(const char* text, const TextStyle& style) {
  RasterCachedFont* font = FontFor(style);
  if (style.tracking == 0) return font->TextWidth(text);
  int width = 0;
  for (const char* c = text; *c; ++c) {
    const char letter[2] = {*c, 0};
    width += font->TextWidth(letter);
  }
  const int gaps = int(std::strlen(text)) - 1;
  return width + int(std::lround(style.tracking * float(std::max(gaps, 0))));
}
}  // namespace

int Painter::TextWidth(const char* text, const TextStyle& style) { return TextWidthOf(text, style); }

void Painter::Text(const char* text, const TextStyle& editorStyle, int editorLeft, int editorTop, int editorWidth) {
  // Rasterised at the image's size: a font scale times as tall, placed in image pixels.
  TextStyle style = editorStyle;
  style.height = int(std::lround(float(style.height) * scale_));
  style.tracking *= scale_;
  const int left = int(std::lround(float(editorLeft) * scale_)), top = int(std::lround(float(editorTop) * scale_));
  const int width = int(std::lround(float(editorWidth) * scale_));
  RasterCachedFont* font = FontFor(style);
  const int textWidth = TextWidthOf(text, style);
  int x = left;
  if (style.align == Align::Centre) x = left + (width - textWidth) / 2;
  if (style.align == Align::Right) x = left + width - textWidth;
  // White letters on black give the coverage of each pixel.
  const int pad = style.height;
  RasterMemBitmap mask(textWidth + 2 * pad, 2 * style.height + pad);
  for (int y = 0; y < mask.Height(); ++y) std::fill_n(mask.Row(y), mask.Width(), 0xFF000000u);
  font->SetColour(0xFFFFFFFFu);
  float pen = float(pad);
  for (const char* c = text; *c; ++c) {
    const char letter[2] = {*c, 0};
    const char* piece = style.tracking == 0 ? text : letter;
    font->DrawText(mask, piece, {int(std::lround(pen)), 0, mask.Width(), mask.Height()}, kRasterTextNoClip);
    if (style.tracking == 0) break;
    pen += float(font->TextWidth(letter)) + style.tracking;
  }
  for (int y = 0; y < mask.Height(); ++y) {
    for (int mx = 0; mx < mask.Width(); ++mx) {
      const float coverage = float((mask.Row(y)[mx] >> 16) & 0xFF) / kChannelMax;
      Cover(x - pad + mx, top + y, style.colour, coverage);
    }
  }
}

void Painter::Dither(const RasterRect& editorArea, float amount) {
  const RasterRect area = ToImage(editorArea);
  for (int y = area.y; y < area.y + area.h; ++y) {
    for (int x = area.x; x < area.x + area.w; ++x) {
      uint32_t hash = uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u;
      hash = (hash ^ (hash >> 13)) * 1274126177u;
      const int shift = int(std::lround((float(hash & 0xFFFF) / 65535.0f - 0.5f) * 2 * amount));
      uint32_t& pixel = image_.Row(y)[x];
      uint32_t out = pixel & 0xFF000000u;
      for (int s = 0; s < 24; s += 8) out |= uint32_t(std::clamp(int((pixel >> s) & 0xFF) + shift, 0, 255)) << s;
      pixel = out;
    }
  }
}

}  // namespace imagegen
