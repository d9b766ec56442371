// The program's icon file as Windows, windres and NSIS read it: a directory of
// pictures, each a bottom-up 32-bit bitmap with its transparency mask, or a PNG
// for 256 pixels.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ico_file.h"
#include "raster_png.h"

namespace imagegen {
namespace {

constexpr uint32_t kInk = 0xFF112233;  // opaque; the top-left pixel is transparent

unsigned Read16(const std::vector<uint8_t>& b, size_t at) { return b.at(at) | unsigned(b.at(at + 1)) << 8; }
uint32_t Read32(const std::vector<uint8_t>& b, size_t at) { return Read16(b, at) | uint32_t(Read16(b, at + 2)) << 16; }

RasterMemBitmap Picture(int size) {
  RasterMemBitmap image(size, size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) image.Row(y)[x] = (x == 0 && y == 0) ? 0 : kInk;
  }
  return image;
}

TEST(IcoFile, HoldsEachSizeWhereItsDirectorySays) {
  const int sizes[] = {16, 24, 48, 256};
  std::vector<RasterMemBitmap> pictures;
  for (const int size : sizes) pictures.push_back(Picture(size));
  std::vector<const RasterBitmap*> images;
  for (const auto& picture : pictures) images.push_back(&picture);
  std::vector<uint8_t> ico;
  ASSERT_TRUE(EncodeIco(images, &ico));
  EXPECT_EQ(Read16(ico, 0), 0u);
  EXPECT_EQ(Read16(ico, 2), 1u);  // an icon
  ASSERT_EQ(Read16(ico, 4), 4u);
  size_t expectedOffset = 6 + 16 * 4;
  for (size_t i = 0; i < 4; ++i) {
    const int size = sizes[i];
    const size_t entry = 6 + 16 * i;
    EXPECT_EQ(ico[entry], size % 256) << size;  // 0 stands for 256
    EXPECT_EQ(Read16(ico, entry + 6), 32u) << size;
    const uint32_t length = Read32(ico, entry + 8), offset = Read32(ico, entry + 12);
    EXPECT_EQ(offset, expectedOffset) << size;
    ASSERT_LE(size_t(offset) + length, ico.size()) << size;
    expectedOffset = size_t(offset) + length;
    if (size == 256) {
      const auto decoded = RasterDecodePng(ico.data() + offset, length);
      ASSERT_TRUE(decoded) << size;
      EXPECT_EQ(decoded->Row(0)[1], kInk);
      EXPECT_EQ(decoded->Row(0)[0] >> 24, 0u);
      continue;
    }
    EXPECT_EQ(Read32(ico, offset), 40u) << size;                  // the bitmap's header
    EXPECT_EQ(Read32(ico, offset + 8), uint32_t(2 * size)) << size;  // colour and mask stacked
    EXPECT_EQ(Read16(ico, offset + 14), 32u) << size;
    // The top row is the last of the colour rows, and of the mask's.
    const size_t topRow = offset + 40 + size_t(size) * (size - 1) * 4;
    EXPECT_EQ(Read32(ico, topRow), 0u) << size << ": the see-through pixel";
    EXPECT_EQ(Read32(ico, topRow + 4), kInk) << size;
    const size_t maskRow = (size_t(size) + 31) / 32 * 4;
    const size_t mask = offset + 40 + size_t(size) * size * 4;
    EXPECT_EQ(length, 40 + size_t(size) * size * 4 + maskRow * size) << size;
    EXPECT_EQ(ico[mask + maskRow * (size - 1)], 0x80) << size << ": only the top-left pixel is see-through";
    EXPECT_EQ(ico[mask], 0x00) << size;
  }
  EXPECT_EQ(expectedOffset, ico.size());
}

TEST(IcoFile, RefusesWhatNoIconHolds) {
  const RasterMemBitmap wide(32, 16), huge(512, 512);
  std::vector<uint8_t> ico;
  EXPECT_FALSE(EncodeIco({&wide}, &ico));
  EXPECT_FALSE(EncodeIco({&huge}, &ico));
}

}  // namespace
}  // namespace imagegen
