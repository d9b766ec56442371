// PNG encoding with libpng (8-bit RGBA), into memory or a file.
//
// As in decoding, the setjmp function (WriteImage) and the callbacks a jump may
// cross hold nothing with a destructor.
#include <png.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <system_error>
#include <vector>

#include "raster_png.h"
#include "raster_png_session.h"

namespace {

void AppendToVector(png_structp png, png_bytep data, size_t count) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  bool grown = true;
  try {
    out->insert(out->end(), data, data + count);
  } catch (const std::exception&) {
    grown = false;
  }
  if (!grown) png_error(png, "out of memory");
}

void NoFlush(png_structp) {}

// A row of A<<24 | R<<16 | G<<8 | B words as R, G, B, A bytes.
void UnpackRow(const uint32_t* row, int width, png_bytep out) {
  for (int x = 0; x < width; ++x) {
    out[4 * x] = static_cast<png_byte>(row[x] >> 16);
    out[4 * x + 1] = static_cast<png_byte>(row[x] >> 8);
    out[4 * x + 2] = static_cast<png_byte>(row[x]);
    out[4 * x + 3] = static_cast<png_byte>(row[x] >> 24);
  }
}

bool WriteImage(png_structp png, png_infop info, const RasterBitmap& image, png_bytep rowBuffer) {
  if (setjmp(png_jmpbuf(png))) return false;
  const int width = image.Width(), height = image.Height();
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    UnpackRow(image.Row(y), width, rowBuffer);
    png_write_row(png, rowBuffer);
  }
  png_write_end(png, info);
  return true;
}

std::FILE* OpenForWriting(const std::filesystem::path& path) {
#ifdef _WIN32
  return _wfopen(path.c_str(), L"wb");
#else
  return std::fopen(path.c_str(), "wb");
#endif
}

bool WriteWholeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = OpenForWriting(path);
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;  // reports a failed final flush
  return written && closed;
}

}  // namespace

bool RasterEncodePng(const RasterBitmap& image, std::vector<uint8_t>& out) {
  out.clear();
  if (image.Pixels() == nullptr || image.Width() <= 0 || image.Height() <= 0) return false;
  raster::PngSession<true> session;
  if (!session.Ok()) return false;
  std::vector<png_byte> rowBuffer(size_t{4} * static_cast<size_t>(image.Width()));
  png_set_write_fn(session.png(), &out, AppendToVector, NoFlush);
  if (WriteImage(session.png(), session.info(), image, rowBuffer.data())) return true;
  out.clear();
  return false;
}

bool RasterWritePngFile(const RasterBitmap& image, const char* path) {
  std::vector<uint8_t> bytes;
  if (path == nullptr || *path == '\0' || !RasterEncodePng(image, bytes)) return false;
  // Written beside the target under another name and renamed when complete.
  const std::filesystem::path target = std::filesystem::u8path(path);
  std::filesystem::path partial = target;
  partial += ".partial";
  std::error_code ignored;
  if (!WriteWholeFile(partial, bytes)) {
    std::filesystem::remove(partial, ignored);
    return false;
  }
  std::error_code error;
  std::filesystem::rename(partial, target, error);
  if (error) std::filesystem::remove(partial, ignored);
  return !error;
}
