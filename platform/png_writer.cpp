#include "platform/png_writer.h"

#include <png.h>

#ifdef __EMSCRIPTEN__
#include "platform/web.h"
#endif

#include <csetjmp>
#include <cstdio>
#include <vector>

#include "platform/files.h"

namespace {

// libpng reports errors by longjmp; everything it could skip over lives in
// SavePng's caller-side buffers, which are released normally afterwards.
bool WriteRows(FILE* file, int width, int height, std::vector<png_bytep>& rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool SavePng(const std::string& path, const Surface& image) {
  if (image.Empty()) return false;
  int width = image.Width(), height = image.Height();
  std::vector<png_byte> pixels(static_cast<size_t>(width) * height * 3);
  std::vector<png_bytep> rows(height);
  for (int y = 0; y < height; ++y) {
    png_bytep out = &pixels[static_cast<size_t>(y) * width * 3];
    rows[y] = out;
    const Pixel* in = image.Row(y);
    for (int x = 0; x < width; ++x) {
      out[3 * x] = static_cast<png_byte>(in[x] >> 16);
      out[3 * x + 1] = static_cast<png_byte>(in[x] >> 8);
      out[3 * x + 2] = static_cast<png_byte>(in[x]);
    }
  }
  FILE* file = OpenFile(path, "wb");
  if (!file) return false;
  bool ok = WriteRows(file, width, height, rows);
  ok = (std::fclose(file) == 0) && ok;
#ifdef __EMSCRIPTEN__
  // In the browser a picture on the page's disk is of no use to the player.
  if (ok) WebOfferDownload(path);
#endif
  return ok;
}
