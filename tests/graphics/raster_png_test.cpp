// PNG decoding of every colour type the decoder expands, damaged data, the size
// limit, and encoding back to memory and to a file. Test images are written
// here with libpng's own encoder.
#include <gtest/gtest.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "raster_png.h"
#include "raster_test_image.h"

namespace {

struct PngSpec {
  int width = 0, height = 0, colourType = 0, bitDepth = 0;
  std::vector<uint8_t> bytes;  // packed rows, as PNG stores them (16-bit samples big-endian)
  std::vector<png_color> palette;
  std::vector<uint8_t> paletteAlpha;  // tRNS of a palette image
  png_color_16 key{};                 // tRNS of a grey or RGB image, when hasKey
  bool hasKey = false;
  bool interlaced = false;
};

PngSpec Plain(int width, int height, int colourType, int bitDepth, std::vector<uint8_t> bytes) {
  PngSpec spec;
  spec.width = width, spec.height = height, spec.colourType = colourType, spec.bitDepth = bitDepth;
  spec.bytes = std::move(bytes);
  return spec;
}

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
  if (!spec.paletteAlpha.empty()) {
    png_set_tRNS(png, info, spec.paletteAlpha.data(), static_cast<int>(spec.paletteAlpha.size()), nullptr);
  }
  if (spec.hasKey) png_set_tRNS(png, info, nullptr, 0, &spec.key);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, info);
  return true;
}

std::vector<uint8_t> Encode(const PngSpec& spec) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, Append, nullptr);
  const size_t rowBytes = spec.bytes.size() / spec.height;
  std::vector<png_bytep> rows;
  std::vector<uint8_t> bytes = spec.bytes;
  for (int y = 0; y < spec.height; ++y) rows.push_back(bytes.data() + y * rowBytes);
  const bool ok = WriteInto(png, info, spec, rows.data());
  png_destroy_write_struct(&png, &info);
  EXPECT_TRUE(ok);
  return out;
}

std::vector<uint32_t> Decoded(const std::vector<uint8_t>& data) {
  std::unique_ptr<RasterMemBitmap> image = RasterDecodePng(data.data(), data.size());
  if (image == nullptr) return {};
  return AllPixels(*image);
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A 9 x 9 RGB image of distinct pixels.
PngSpec Gradient(bool interlaced) {
  PngSpec spec = Plain(9, 9, PNG_COLOR_TYPE_RGB, 8, {});
  for (int i = 0; i < 81; ++i) spec.bytes.insert(spec.bytes.end(), {uint8_t(i), uint8_t(3 * i), uint8_t(255 - i)});
  spec.interlaced = interlaced;
  return spec;
}

}  // namespace

TEST(RasterPng, DecodesEveryColourTypeToArgb) {
  struct Case {
    const char* what;
    PngSpec spec;
    std::vector<uint32_t> expected;
  };
  PngSpec palette = Plain(3, 1, PNG_COLOR_TYPE_PALETTE, 2, {0x18});
  palette.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  palette.paletteAlpha = {0x80, 0xFF};
  PngSpec rgbKey = Plain(2, 1, PNG_COLOR_TYPE_RGB, 8, {10, 20, 30, 10, 20, 31});
  rgbKey.key.red = 10, rgbKey.key.green = 20, rgbKey.key.blue = 30, rgbKey.hasKey = true;
  PngSpec greyKey = Plain(2, 1, PNG_COLOR_TYPE_GRAY, 8, {0x40, 0x41});
  greyKey.key.gray = 0x40, greyKey.hasKey = true;
  const Case cases[] = {
      // Indices 0, 1, 2 at 2 bits; tRNS covers the first two entries only.
      {"palette", palette, {0x80FF0000, 0xFF00FF00, 0xFF0000FF}},
      {"1-bit grey", Plain(3, 1, PNG_COLOR_TYPE_GRAY, 1, {0xA0}), {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}},
      {"4-bit grey", Plain(2, 1, PNG_COLOR_TYPE_GRAY, 4, {0x5A}), {0xFF555555, 0xFFAAAAAA}},
      {"grey with a transparent key", greyKey, {0x00404040, 0xFF414141}},
      {"grey and alpha", Plain(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x80, 0x20}), {0x20808080}},
      {"16-bit grey and alpha", Plain(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 16, {0x80, 0x00, 0x40, 0xFF}), {0x40808080}},
      {"16-bit RGB", Plain(1, 1, PNG_COLOR_TYPE_RGB, 16, {0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x00}), {0xFF12ABFF}},
      {"RGB with a transparent key", rgbKey, {0x000A141E, 0xFF0A141F}},
      {"RGBA", Plain(2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {1, 2, 3, 4, 5, 6, 7, 8}), {0x04010203, 0x08050607}},
  };
  for (const Case& c : cases) EXPECT_EQ(Decoded(Encode(c.spec)), c.expected) << c.what;

  const std::vector<uint32_t> plain = Decoded(Encode(Gradient(false)));
  ASSERT_EQ(plain.size(), 81u);
  EXPECT_EQ(plain[80], 0xFF50F0AFu);
  EXPECT_EQ(Decoded(Encode(Gradient(true))), plain) << "interlaced decodes the same";
}

TEST(RasterPng, DamagedOrShortDataGivesNull) {
  const std::vector<uint8_t> good = Encode(Gradient(false));
  ASSERT_NE(RasterDecodePng(good.data(), good.size()), nullptr);
  EXPECT_EQ(RasterDecodePng(nullptr, good.size()), nullptr);
  for (size_t length = 0; length < good.size(); ++length) {
    EXPECT_EQ(RasterDecodePng(good.data(), length), nullptr) << "cut at " << length;
  }
  std::vector<uint8_t> bad = good;
  bad[1] = 'Q';
  EXPECT_EQ(RasterDecodePng(bad.data(), bad.size()), nullptr) << "signature";
  bad = good;
  bad[good.size() - 20] ^= 0x40;  // inside the image data: its CRC no longer matches
  EXPECT_EQ(RasterDecodePng(bad.data(), bad.size()), nullptr) << "image data";
  bad = good;
  bad[18] ^= 0x01;  // the IHDR width
  EXPECT_EQ(RasterDecodePng(bad.data(), bad.size()), nullptr) << "header";
}

TEST(RasterPng, ImagesBeyond16384PixelsASideAreRefused) {
  PngSpec edge = Plain(16384, 1, PNG_COLOR_TYPE_GRAY, 1, std::vector<uint8_t>(16384 / 8));
  const std::vector<uint8_t> fits = Encode(edge);
  std::unique_ptr<RasterMemBitmap> image = RasterDecodePng(fits.data(), fits.size());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Width(), 16384);
  PngSpec beyond = Plain(16392, 1, PNG_COLOR_TYPE_GRAY, 1, std::vector<uint8_t>(16392 / 8));
  const std::vector<uint8_t> tooWide = Encode(beyond);
  EXPECT_EQ(RasterDecodePng(tooWide.data(), tooWide.size()), nullptr);
}

TEST(RasterPng, EncodingKeepsEveryWordIncludingAlpha) {
  RasterMemBitmap image(17, 3);
  for (int i = 0; i < 51; ++i) image.Row(i / 17)[i % 17] = 0x01000000u * (i * 5) + 0x00010203u * i;
  std::vector<uint8_t> png;
  ASSERT_TRUE(RasterEncodePng(image, png));
  EXPECT_EQ(Decoded(png), AllPixels(image));
  EXPECT_FALSE(RasterEncodePng(RasterMemBitmap(), png));
  EXPECT_TRUE(png.empty());
}

TEST(RasterPng, FilesAppearWholeOrNotAtAll) {
  namespace fs = std::filesystem;
  // A folder of its own: other builds may run this test at the same time.
  const fs::path folder = fs::temp_directory_path() / ("spw_raster_png_" + std::to_string(std::random_device{}()));
  fs::create_directories(folder);
  const fs::path target = folder / "image.png";
  RasterMemBitmap image = FilledImage(5, 4, 0x80FF8000);
  ASSERT_TRUE(RasterWritePngFile(image, target.u8string().c_str()));
  image.Row(0)[0] = 0xFF000000;
  ASSERT_TRUE(RasterWritePngFile(image, target.u8string().c_str())) << "replaces an existing file";
  EXPECT_EQ(Decoded(ReadFile(target)), AllPixels(image));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1) << "nothing left beside it";

  const fs::path missing = folder / "no such folder" / "image.png";
  EXPECT_FALSE(RasterWritePngFile(image, missing.u8string().c_str()));
  EXPECT_FALSE(RasterWritePngFile(RasterMemBitmap(), (folder / "empty.png").u8string().c_str()));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
  fs::remove_all(folder);
}
