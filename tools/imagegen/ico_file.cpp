#include "ico_file.h"

#include "raster_png.h"

namespace imagegen {
namespace {

constexpr int kPngFromSize = 256;

void Put16(std::vector<uint8_t>* out, unsigned value) {
  out->push_back(uint8_t(value));
  out->push_back(uint8_t(value >> 8));
}

void Put32(std::vector<uint8_t>* out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// A device-independent bitmap as icons hold it: the header, the colour rows bottom
// up (straight BGRA, which is the raster layer's layout in memory), then a 1-bit
// mask whose set bits are the fully transparent pixels, rows padded to 32 bits.
std::vector<uint8_t> IconBitmap(const RasterBitmap& image) {
  const int size = image.Width();
  std::vector<uint8_t> dib;
  Put32(&dib, 40);
  Put32(&dib, uint32_t(size));
  Put32(&dib, uint32_t(size * 2));  // colour and mask stacked
  Put16(&dib, 1);
  Put16(&dib, 32);
  for (int i = 0; i < 6; ++i) Put32(&dib, 0);  // no compression, sizes and palette unused
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) Put32(&dib, image.Row(y)[x]);
  }
  const int maskRowBytes = (size + 31) / 32 * 4;
  for (int y = size - 1; y >= 0; --y) {
    std::vector<uint8_t> row(size_t(maskRowBytes), 0);
    for (int x = 0; x < size; ++x) {
      if ((image.Row(y)[x] >> 24) == 0) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
    }
    dib.insert(dib.end(), row.begin(), row.end());
  }
  return dib;
}

}  // namespace

bool EncodeIco(const std::vector<const RasterBitmap*>& images, std::vector<uint8_t>* out) {
  std::vector<std::vector<uint8_t>> pictures;
  for (const RasterBitmap* image : images) {
    const int size = image->Width();
    if (size != image->Height() || size < 1 || size > 256) return false;
    pictures.emplace_back();
    if (size >= kPngFromSize) {
      if (!RasterEncodePng(*image, pictures.back())) return false;
    } else {
      pictures.back() = IconBitmap(*image);
    }
  }
  out->clear();
  Put16(out, 0);
  Put16(out, 1);  // an icon, not a cursor
  Put16(out, unsigned(images.size()));
  uint32_t offset = uint32_t(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const int size = images[i]->Width();
    out->push_back(uint8_t(size == 256 ? 0 : size));  // 0 stands for 256
    out->push_back(uint8_t(size == 256 ? 0 : size));
    out->push_back(0);  // no palette
    out->push_back(0);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, uint32_t(pictures[i].size()));
    Put32(out, offset);
    offset += uint32_t(pictures[i].size());
  }
  for (const auto& picture : pictures) out->insert(out->end(), picture.begin(), picture.end());
  return true;
}

}  // namespace imagegen
