#pragma once
// Writes small PNG files through libpng so the loader tests need no picture files.
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

struct PngLayout {
  int width = 0;
  int height = 0;
  int colour_type = PNG_COLOR_TYPE_RGB;
  int bit_depth = 8;
  std::vector<unsigned char> data;     // packed rows in file order (16-bit samples big-endian)
  std::vector<png_color> palette;      // palette pictures
  std::vector<unsigned char> trns;     // alpha of the first palette entries
  double gamma = 0.0;                  // written as a gAMA chunk when not 0
  bool interlaced = false;
};

inline bool Write_Png(const std::string& path, const PngLayout& layout) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, layout.width, layout.height, layout.bit_depth, layout.colour_type,
               layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!layout.palette.empty())
    png_set_PLTE(png, info, layout.palette.data(), static_cast<int>(layout.palette.size()));
  if (!layout.trns.empty())
    png_set_tRNS(png, info, layout.trns.data(), static_cast<int>(layout.trns.size()), nullptr);
  if (layout.gamma != 0.0) png_set_gAMA(png, info, layout.gamma);
  png_write_info(png, info);
  if (layout.interlaced) png_set_interlace_handling(png);
  size_t row_bytes = png_get_rowbytes(png, info);
  std::vector<unsigned char> rows(layout.data);
  rows.resize(row_bytes * layout.height);
  std::vector<png_bytep> table;
  for (int y = 0; y < layout.height; ++y) table.push_back(rows.data() + row_bytes * y);
  png_write_image(png, table.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
  return true;
}
