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

  static ImageCache& Instance();

  // The image of id, or null.
  RasterBitmap* Find(int id) const;
  // The image of id; when it is missing or a failed load, load() runs (under the lock) and its
  // result, even null, is kept in place of the failed one.
  RasterBitmap* FindOrLoad(int id, const std::function<std::unique_ptr<RasterBitmap>()>& load);
  // source (a cached image) split before column: made once, then the same parts every time.
  Cut CutAt(const RasterBitmap* source, int column);
  int Count() const;

 private:
  struct Entry {
    int id;
    std::unique_ptr<RasterBitmap> image;
    const RasterBitmap* cutSource = nullptr;  // for the left part of a cut
    int cutColumn = 0;
  };

  ImageCache() = default;
  Entry* FindLocked(int id);
  const Entry* FindLocked(int id) const;

  mutable std::mutex mutex_;
  std::vector<Entry> entries_;
  int nextTempId_ = -2;  // cut parts count down from -2
};
