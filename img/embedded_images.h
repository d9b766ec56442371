#pragma once
// The editor's PNGs compiled in as byte arrays (generated from images.rc) where
// the module carries no resources of its own.

#include <cstddef>
#include <cstdint>

struct EmbeddedImage {
  int id;  // resource id
  const uint8_t* data;
  size_t size;  // bytes
};

extern const EmbeddedImage kEmbeddedImages[];
extern const int kEmbeddedImageCount;
