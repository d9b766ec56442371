// PNG decoding of every colour type the decoder expands, damaged data, the size
// limit, and encoding back to memory and to a file. Test images are written
// here with libpng's own encoder.
#include <gtest/gtest.h>
#include <png.h>

#include <csetjmp>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "raster_png.h"
#include "raster_test_image.h"

namespace {

struct PngSpec {
  int width, height, colourType, bitDepth;
  std::vector<uint8_t> bytes;  // packed rows as PNG stores them (16-bit samples big-endian)
  std::vector<png_color> palette = {};
  std::vector<uint8_t> paletteAlpha = {};  // tRNS of a palette image
  const png_color_16* key = nullptr;       // tRNS of a grey or RGB image
  bool interlaced = false;
};

void Append(png_structp png, png_bytep data, size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

bool WriteInto(png_structp png, png_infop info, const PngSpec& spec, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colourType,
               spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!spec.palette.empty()) png_set_PLTE(png, info, spec.palette.data(), static_cast<int>(spec.palette.size()));
  if (!spec.paletteAlpha.empty() || spec.key != nullptr) {
    png_set_tRNS(png, info, spec.paletteAlpha.data(), static_cast<int>(spec.paletteAlpha.size()), spec.key);
  }
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, info);
  return true;
}

std::vector<uint8_t> Encode(PngSpec spec) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, Append, nullptr);
  std::vector<png_bytep> rows;
  for (int y = 0; y < spec.height; ++y) rows.push_back(spec.bytes.data() + y * spec.bytes.size() / spec.height);
  EXPECT_TRUE(WriteInto(png, info, spec, rows.data()));
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<uint32_t> Decoded(const std::vector<uint8_t>& data) {
  std::unique_ptr<RasterMemBitmap> image = RasterDecodePng(data.data(), data.size());
  return image == nullptr ? std::vector<uint32_t>{} : AllPixels(*image);
}

// A 9 x 9 RGB image of distinct pixels.
PngSpec Gradient(bool interlaced) {
  PngSpec spec{9, 9, PNG_COLOR_TYPE_RGB, 8, {}};
  for (int i = 0; i < 81; ++i) spec.bytes.insert(spec.bytes.end(), {uint8_t(i), uint8_t(3 * i), uint8_t(255 - i)});
  spec.interlaced = interlaced;
  return spec;
}

}  // namespace

TEST(RasterPng, DecodesEveryColourTypeToArgb) {
  const png_color_16 rgbKey{0, 10, 20, 30, 0}, greyKey{0, 0, 0, 0, 0x40};
  const std::pair<PngSpec, std::vector<uint32_t>> cases[] = {
      // Indices 0, 1, 2 at 2 bits; the transparency chunk covers the first two entries.
      {{3, 1, PNG_COLOR_TYPE_PALETTE, 2, {0x18}, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, {0x80, 0xFF}},
       {0x80FF0000, 0xFF00FF00, 0xFF0000FF}},
      {{3, 1, PNG_COLOR_TYPE_GRAY, 1, {0xA0}}, {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}},
      {{2, 1, PNG_COLOR_TYPE_GRAY, 4, {0x5A}}, {0xFF555555, 0xFFAAAAAA}},
      {{2, 1, PNG_COLOR_TYPE_GRAY, 8, {0x40, 0x41}, {}, {}, &greyKey}, {0x00404040, 0xFF414141}},
      {{1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x80, 0x20}}, {0x20808080}},
      {{1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 16, {0x80, 0x00, 0x40, 0xFF}}, {0x40808080}},
      {{1, 1, PNG_COLOR_TYPE_RGB, 16, {0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x00}}, {0xFF12ABFF}},
      {{2, 1, PNG_COLOR_TYPE_RGB, 8, {10, 20, 30, 10, 20, 31}, {}, {}, &rgbKey}, {0x000A141E, 0xFF0A141F}},
      {{2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {1, 2, 3, 4, 5, 6, 7, 8}}, {0x04010203, 0x08050607}},
  };
  for (const auto& [spec, expected] : cases) {
    EXPECT_EQ(Decoded(Encode(spec)), expected) << "colour type " << spec.colourType << ", " << spec.bitDepth << " bits";
  }
  const std::vector<uint32_t> plain = Decoded(Encode(Gradient(false)));
  ASSERT_EQ(plain.size(), 81u);
  EXPECT_EQ(plain[80], 0xFF50F0AFu);
  EXPECT_EQ(Decoded(Encode(Gradient(true))), plain) << "interlaced decodes the same";
}

TEST(RasterPng, DamagedShortOrOversizedDataGivesNull) {
  const std::vector<uint8_t> good = Encode(Gradient(false));
  ASSERT_NE(RasterDecodePng(good.data(), good.size()), nullptr);
  EXPECT_EQ(RasterDecodePng(nullptr, good.size()), nullptr);
  for (size_t length = 0; length < good.size(); ++length) {
    EXPECT_EQ(RasterDecodePng(good.data(), length), nullptr) << "cut at " << length;
  }
  // The signature, the header's width, and the image data (whose CRC then fails).
  for (size_t at : {size_t{1}, size_t{18}, good.size() - 20}) {
    std::vector<uint8_t> bad = good;
    bad[at] ^= 0x40;
    EXPECT_EQ(RasterDecodePng(bad.data(), bad.size()), nullptr) << "byte " << at;
  }
  EXPECT_EQ(Decoded(Encode({16384, 1, PNG_COLOR_TYPE_GRAY, 1, std::vector<uint8_t>(16384 / 8)})).size(), 16384u);
  const std::vector<uint8_t> tooWide = Encode({16392, 1, PNG_COLOR_TYPE_GRAY, 1, std::vector<uint8_t>(16392 / 8)});
  EXPECT_EQ(RasterDecodePng(tooWide.data(), tooWide.size()), nullptr) << "beyond 16384 pixels a side";
}

TEST(RasterPng, EncodingKeepsEveryWordToMemoryAndToAFile) {
  RasterMemBitmap image(17, 3);
  for (int i = 0; i < 51; ++i) image.Row(i / 17)[i % 17] = 0x05000000u * i + 0x00010203u * i;
  std::vector<uint8_t> png;
  ASSERT_TRUE(RasterEncodePng(image, png));
  EXPECT_EQ(Decoded(png), AllPixels(image));
  EXPECT_FALSE(RasterEncodePng(RasterMemBitmap(), png));

  // A folder of its own: other builds may run this test at the same time.
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("spw_raster_png_" + std::to_string(std::random_device{}()));
  fs::create_directories(folder);
  const std::string target = (folder / "image.png").u8string();
  ASSERT_TRUE(RasterWritePngFile(FilledImage(5, 4, 0x80FF8000), target.c_str()));
  ASSERT_TRUE(RasterWritePngFile(image, target.c_str())) << "replaces an existing file";
  EXPECT_FALSE(RasterWritePngFile(image, (folder / "missing" / "image.png").u8string().c_str()));
  EXPECT_FALSE(RasterWritePngFile(RasterMemBitmap(), (folder / "empty.png").u8string().c_str()));
  {
    std::ifstream in(fs::u8path(target), std::ios::binary);
    EXPECT_EQ(Decoded({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}), AllPixels(image));
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1) << "nothing left beside it";
  fs::remove_all(folder);
}
