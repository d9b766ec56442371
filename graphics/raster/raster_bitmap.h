#pragma once
// 32-bit images for the editor's drawing: every pixel is one word holding
// A<<24 | R<<16 | G<<8 | B, 8 bits per channel (straight, not premultiplied).
// Row 0 is the top row unless BottomUp() says otherwise.
//
// Each image carries a clip rectangle; every drawing operation writes only
// inside it (and inside the image). A new or resized image clips to itself.
//
// Threads: an image is used by one thread at a time (the editor's).

#include <cstdint>
#include <limits>
#include <vector>

struct RasterRect {
  int x = 0, y = 0, w = 0, h = 0;  // pixels; empty when w or h <= 0
  bool Empty() const { return w <= 0 || h <= 0; }
};

// The overlap of two rectangles; empty (all zero) when they do not meet.
RasterRect RasterIntersect(const RasterRect& a, const RasterRect& b);

class RasterBitmap {
 public:
  virtual ~RasterBitmap() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual int RowSpan() const = 0;  // pixels from the start of one row to the next
  virtual uint32_t* Pixels() = 0;    // null for a 0 x 0 image
  virtual const uint32_t* Pixels() const = 0;
  // New size, contents undefined; false (and a 0 x 0 image) when memory runs out.
  // Negative sizes count as 0. The clip becomes the whole image.
  virtual bool Resize(int width, int height) = 0;
  virtual bool BottomUp() const { return false; }

  // Row y from the top, whatever the storage order; y must be inside the image.
  uint32_t* Row(int y);
  const uint32_t* Row(int y) const;

  // Drawing is limited to clip (intersected with the image).
  void SetClip(const RasterRect& clip);
  void ResetClip();
  RasterRect Clip() const;  // already intersected with the image

 protected:
  void ClipToSize();

 private:
  RasterRect clip_{0, 0, std::numeric_limits<int>::max(), std::numeric_limits<int>::max()};
};

// An image in ordinary memory (decoded PNGs, cut images, scratch work).
class RasterMemBitmap : public RasterBitmap {
 public:
  RasterMemBitmap() = default;
  RasterMemBitmap(int width, int height);  // transparent black; 0 x 0 when memory runs out
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  int RowSpan() const override { return width_; }
  uint32_t* Pixels() override { return pixels_.empty() ? nullptr : pixels_.data(); }
  const uint32_t* Pixels() const override { return pixels_.empty() ? nullptr : pixels_.data(); }
  bool Resize(int width, int height) override;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
};
