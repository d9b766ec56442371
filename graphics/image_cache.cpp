#include "image_cache.h"

#include "raster_bitmap.h"
#include "raster_draw.h"

ImageCache& ImageCache::Instance() {
  static ImageCache cache;  // destroyed when the module unloads
  return cache;
}

ImageCache::Entry* ImageCache::FindLocked(int id) {
  for (Entry& entry : entries_) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

const ImageCache::Entry* ImageCache::FindLocked(int id) const {
  for (const Entry& entry : entries_) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

RasterBitmap* ImageCache::Find(int id) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const Entry* entry = FindLocked(id);
  return entry ? entry->image.get() : nullptr;
}

RasterBitmap* ImageCache::FindOrLoad(int id, const Make& load) {
  std::lock_guard<std::mutex> lock(mutex_);
  Entry* entry = FindLocked(id);
  if (entry && entry->image) return entry->image.get();
  std::unique_ptr<RasterBitmap> image = load();
  if (!entry) {
    entries_.push_back(Entry{id, nullptr});
    entry = &entries_.back();
  }
  entry->image = std::move(image);
  return entry->image.get();
}

namespace {
std::unique_ptr<RasterBitmap> CopyColumns(const RasterBitmap& source, int from, int width) {
  auto part = std::make_unique<RasterMemBitmap>(width, source.Height());
  RasterBlit(*part, source, 0, 0, from, 0, width, source.Height(), RasterBlend{RasterMode::Copy, false, 1.0f});
  return part;
}
}  // namespace

ImageCache::Cut ImageCache::CutAt(const RasterBitmap* source, int column) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const Entry& entry : entries_) {
    if (entry.cutSource == source && entry.cutColumn == column && !entry.cutRight) {
      return Cut{entry.id, entry.image.get(), FindLocked(entry.id - 1)->image.get()};
    }
  }
  const int leftId = nextTempId_;
  nextTempId_ -= 2;
  entries_.push_back(Entry{leftId, CopyColumns(*source, 0, column), source, column});
  entries_.push_back(Entry{leftId - 1, CopyColumns(*source, column, source->Width() - column), source, column, true});
  const size_t n = entries_.size();
  return Cut{leftId, entries_[n - 2].image.get(), entries_[n - 1].image.get()};
}

int ImageCache::IdOf(const RasterBitmap* image) const {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const Entry& entry : entries_) {
    if (image && entry.image.get() == image && !entry.cutSource) return entry.id;
  }
  return 0;
}

ImageCache::CutOrigin ImageCache::OriginOf(const RasterBitmap* image) const {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const Entry& entry : entries_) {
    if (image && entry.image.get() == image && entry.cutSource) {
      return CutOrigin{entry.cutSource, entry.cutColumn, entry.cutRight};
    }
  }
  return CutOrigin();
}

RasterBitmap* ImageCache::FindOrMakeScaled(const RasterBitmap* image, int width, int height, const Make& make) {
  auto find = [&]() -> RasterBitmap* {
    for (const Scaled& entry : scaled_) {
      if (entry.image == image && entry.width == width && entry.height == height) return entry.scaled.get();
    }
    return nullptr;
  };
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (RasterBitmap* found = find()) return found;
  }
  std::unique_ptr<RasterBitmap> made = make();
  if (!made) return nullptr;
  std::lock_guard<std::mutex> lock(mutex_);
  if (RasterBitmap* found = find()) return found;  // another editor made it meanwhile
  scaled_.push_back(Scaled{image, width, height, std::move(made)});
  return scaled_.back().scaled.get();
}

int ImageCache::Count() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(entries_.size());
}
