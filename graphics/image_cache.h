#pragma once
// The process-wide bitmap cache: every image the editors of this module load,
// by resource id, and the parts of cut images under negative ids. Entries live
// until the module is unloaded, so every editor instance shares them.
//
// Threads: any; one lock guards lookups and insertions.

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class RasterBitmap;

class ImageCache {
 public:
  struct Cut {
    int leftId = 0;  // the left part's id; the right part's is leftId - 1
    RasterBitmap* left = nullptr;
    RasterBitmap* right = nullptr;
  };
  // Where a cut part came from.
  struct CutOrigin {
    const RasterBitmap* source = nullptr;  // null: the image is no cut part
    int column = 0;
    bool right = false;  // the part right of column
  };
  using Make = std::function<std::unique_ptr<RasterBitmap>()>;

  static ImageCache& Instance();

  // The image of id, or null.
  RasterBitmap* Find(int id) const;
  // The image of id; when it is missing or a failed load, load() runs (under the lock) and its
  // result, even null, is kept in place of the failed one.
  RasterBitmap* FindOrLoad(int id, const Make& load);
  // source (a cached image) split before column: made once, then the same parts every time.
  Cut CutAt(const RasterBitmap* source, int column);
  // The resource id of a loaded image; 0 when image is none (or a cut part).
  int IdOf(const RasterBitmap* image) const;
  CutOrigin OriginOf(const RasterBitmap* image) const;
  // image drawn at width x height device pixels: made by make() on first use (outside the lock,
  // so make may use the cache) and kept. Null when make gives nothing.
  RasterBitmap* FindOrMakeScaled(const RasterBitmap* image, int width, int height, const Make& make);
  int Count() const;

 private:
  struct Entry {
    int id;
    std::unique_ptr<RasterBitmap> image;
    const RasterBitmap* cutSource = nullptr;  // for both parts of a cut
    int cutColumn = 0;
    bool cutRight = false;
  };
  struct Scaled {
    const RasterBitmap* image;
    int width, height;
    std::unique_ptr<RasterBitmap> scaled;
  };

  ImageCache() = default;
  Entry* FindLocked(int id);
  const Entry* FindLocked(int id) const;

  mutable std::mutex mutex_;
  std::vector<Entry> entries_;
  std::vector<Scaled> scaled_;
  int nextTempId_ = -2;  // cut parts count down from -2
};
