#pragma once
// Antialiased shapes, gradients, glows and text for the image generator, drawn
// into the raster layer's images. Shapes are signed distance functions (pixels,
// negative inside); a pixel is covered by how far its centre lies inside.
// Everything is given in editor pixels; a painter with a scale draws it at
// that many image pixels per editor pixel (2 for the twice-size images), so
// edges, gradients and text are drawn sharp at that size, not enlarged.

#include <functional>
#include <vector>

#include "raster_bitmap.h"
#include "raster_font.h"

namespace imagegen {

struct Colour {
  float r = 0, g = 0, b = 0, a = 1;  // 0..1, straight alpha
};

// 0xRRGGBB with an alpha.
constexpr Colour Rgb(unsigned hex, float alpha = 1.0f) {
  return {float((hex >> 16) & 0xFF) / 255.0f, float((hex >> 8) & 0xFF) / 255.0f, float(hex & 0xFF) / 255.0f,
          alpha};
}
Colour Mix(const Colour& from, const Colour& to, float t);
Colour WithAlpha(Colour colour, float alpha);

struct Point {
  float x, y;
};

struct Shape {
  std::function<float(float x, float y)> distance;
  RasterRect bounds;  // no pixel outside is touched
};

// Edges in pixel coordinates: a box from (0, 0) to (1, 1) covers exactly pixel 0.
Shape RoundedBox(float left, float top, float right, float bottom, float radius);
Shape Circle(float cx, float cy, float radius);
Shape Ring(float cx, float cy, float radius, float halfWidth);
Shape Segment(Point from, Point to, float halfWidth);
Shape Polyline(const std::vector<Point>& points, float halfWidth);
// A convex polygon, corners in either order of turn.
Shape Polygon(const std::vector<Point>& corners);
Shape Union(const Shape& a, const Shape& b);
Shape Intersect(const Shape& a, const Shape& b);
Shape Subtract(const Shape& a, const Shape& cut);
// The shape shrunk by `by` pixels all round (grown when negative).
Shape Inset(const Shape& shape, float by);

using Paint = std::function<Colour(float x, float y)>;
Paint Solid(Colour colour);
Paint Vertical(float top, float bottom, Colour upper, Colour lower);
Paint Radial(float cx, float cy, float radius, Colour inner, Colour outer);

enum class Align { Left, Centre, Right };

struct TextStyle {
  const char* face = "Arial";
  int height = 11;      // pixels
  bool bold = false;
  Colour colour;
  Align align = Align::Left;
  float tracking = 0;   // extra pixels between letters
};

class Painter {
 public:
  // image is scale times the size the painter draws for.
  explicit Painter(RasterBitmap& image, float scale = 1.0f) : image_(image), scale_(scale) {}

  // Covers the shape with the paint, antialiased over one pixel.
  void Fill(const Shape& shape, const Paint& paint, float opacity = 1.0f);
  void Fill(const Shape& shape, Colour colour) { Fill(shape, Solid(colour), 1.0f); }
  // A soft halo: full inside, fading to nothing radius pixels outside the shape.
  void Glow(const Shape& shape, Colour colour, float radius);
  // The shape's soft shadow, moved by (dx, dy) and blurred over blur pixels.
  void Shadow(const Shape& shape, float dx, float dy, float blur, Colour colour);
  // One line of text in (left, top, width): aligned, starting at the top.
  void Text(const char* text, const TextStyle& style, int left, int top, int width);
  // Width in editor pixels that Text would take (measured at 1x, so layouts agree at every scale).
  int TextWidth(const char* text, const TextStyle& style);
  // Shakes the colours by up to amount levels (of 255) so gradients do not band.
  void Dither(const RasterRect& area, float amount);

  RasterBitmap& Image() { return image_; }
  float Scale() const { return scale_; }
  // The size drawn for, editor pixels.
  int Width() const;
  int Height() const;

 private:
  void Cover(int x, int y, const Colour& colour, float coverage);
  // The image pixels that cover bounds (editor pixels).
  RasterRect ToImage(const RasterRect& bounds) const;
  // The editor position of an image pixel's centre.
  float Centre(int pixel) const { return (float(pixel) + 0.5f) / scale_; }

  RasterBitmap& image_;
  float scale_;
};

}  // namespace imagegen
