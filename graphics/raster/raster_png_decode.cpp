// PNG decoding with libpng, from memory.
//
// libpng reports errors by longjmp. The functions that call setjmp (ReadHeader,
// ReadRows) hold nothing with a destructor, and neither does the read callback
// that a jump may cross; the objects with destructors live in RasterDecodePng,
// below the jump.
#include <png.h>

#include <cstring>
#include <vector>

#include "raster_png.h"
#include "raster_png_session.h"

namespace {

constexpr png_uint_32 kMaxSide = 16384;  // pixels; larger images are refused
constexpr size_t kSignatureBytes = 8;

struct MemoryReader {
  const uint8_t* data;
  size_t length;
  size_t offset;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (count > reader->length - reader->offset) png_error(png, "truncated");
  std::memcpy(out, reader->data + reader->offset, count);
  reader->offset += count;
}

// Reads the chunks up to the image data and asks for 8-bit RGBA rows.
bool ReadHeader(png_structp png, png_infop info, png_uint_32* width, png_uint_32* height) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  const png_byte type = png_get_color_type(png, info);
  const png_byte depth = png_get_bit_depth(png, info);
  if (type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (type == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  const bool transparencyChunk = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (transparencyChunk) png_set_tRNS_to_alpha(png);
  if (depth == 16) png_set_strip_16(png);
  if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  if ((type & PNG_COLOR_MASK_ALPHA) == 0 && !transparencyChunk) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != size_t{4} * png_get_image_width(png, info)) png_error(png, "not RGBA");
  *width = png_get_image_width(png, info);
  *height = png_get_image_height(png, info);
  return true;
}

bool ReadRows(png_structp png, png_infop info, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  png_read_end(png, info);
  return true;
}

// R, G, B, A bytes in place -> A<<24 | R<<16 | G<<8 | B words.
void RepackRow(uint32_t* row, int width) {
  auto* bytes = reinterpret_cast<const uint8_t*>(row);
  for (int x = 0; x < width; ++x) {
    const uint8_t* p = bytes + 4 * x;
    const uint32_t word = uint32_t{p[3]} << 24 | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
    row[x] = word;
  }
}

}  // namespace

std::unique_ptr<RasterMemBitmap> RasterDecodePng(const uint8_t* data, size_t length) {
  if (data == nullptr || length < kSignatureBytes || png_sig_cmp(data, 0, kSignatureBytes) != 0) return nullptr;
  raster::PngSession<false> session;
  if (!session.Ok()) return nullptr;
  MemoryReader reader{data, length, 0};
  png_set_read_fn(session.png(), &reader, ReadFromMemory);
  png_set_user_limits(session.png(), kMaxSide, kMaxSide);
  png_uint_32 width = 0, height = 0;
  if (!ReadHeader(session.png(), session.info(), &width, &height)) return nullptr;

  auto image = std::make_unique<RasterMemBitmap>();
  if (!image->Resize(static_cast<int>(width), static_cast<int>(height)) || image->Pixels() == nullptr) return nullptr;
  std::vector<png_bytep> rows(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = reinterpret_cast<png_bytep>(image->Row(static_cast<int>(y)));
  if (!ReadRows(session.png(), session.info(), rows.data())) return nullptr;
  for (png_uint_32 y = 0; y < height; ++y) RepackRow(image->Row(static_cast<int>(y)), static_cast<int>(width));
  return image;
}
