#include "output.h"

#include <png.h>

#include <algorithm>
#include <cstdio>

namespace art {

namespace {

struct Straight {
  int r, g, b, a;
};

Straight unpremultiply(uint32_t v) {
  int a = v >> 24;
  if (a == 0) return {0, 0, 0, 0};
  auto ch = [a](int c) { return std::min(255, (c * 255 + a / 2) / a); };
  return {ch((v >> 16) & 255), ch((v >> 8) & 255), ch(v & 255), a};
}

}  // namespace

std::vector<uint8_t> convert(Pic& p, gfx::Kind kind) {
  std::vector<uint8_t> out(static_cast<size_t>(p.w) * p.h * 4);
  const uint32_t* d = p.data();
  int stride = p.stride_words();
  for (int y = 0; y < p.h; ++y)
    for (int x = 0; x < p.w; ++x) {
      uint32_t v = d[y * stride + x];
      uint8_t* o = &out[(static_cast<size_t>(y) * p.w + x) * 4];
      Straight s = unpremultiply(v);
      switch (kind) {
        case gfx::Kind::Sprite:
        case gfx::Kind::Glyphs:
          // The canvas knows no partial transparency: a pixel is in or out.
          if (s.a >= 128) {
            o[0] = s.r;
            o[1] = s.g;
            o[2] = s.b;
            o[3] = 255;
            if (kind == gfx::Kind::Glyphs && o[0] == 0) o[0] = 1;  // the glyph blit tests R
          } else {
            o[0] = o[1] = o[2] = o[3] = 0;
          }
          break;
        case gfx::Kind::Opaque:
        case gfx::Kind::Bmp:
        case gfx::Kind::Additive:
          // Composited onto black; additive light keeps its alpha for viewers.
          o[0] = (v >> 16) & 255;
          o[1] = (v >> 8) & 255;
          o[2] = v & 255;
          o[3] = kind == gfx::Kind::Additive ? static_cast<uint8_t>(s.a) : 255;
          break;
        case gfx::Kind::BmpKeyed:
          if (s.a >= 128) {
            // Composite onto black, then keep dark drawn pixels visibly non-black.
            int r = (v >> 16) & 255, g = (v >> 8) & 255, b = v & 255;
            if (r < kKeySafe && g < kKeySafe && b < kKeySafe) r = g = b = kKeySafe;
            o[0] = r;
            o[1] = g;
            o[2] = b;
          } else {
            o[0] = o[1] = o[2] = 0;
          }
          o[3] = 255;
          break;
        case gfx::Kind::Font:
          break;
      }
    }
  return out;
}

bool write_png(const std::string& path, int w, int h, const std::vector<uint8_t>& rgba) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 4);
  png_write_info(png, info);
  for (int y = 0; y < h; ++y) png_write_row(png, const_cast<png_bytep>(&rgba[static_cast<size_t>(y) * w * 4]));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}

namespace {
void put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(v & 255);
  b.push_back((v >> 8) & 255);
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}
}  // namespace

bool write_bmp(const std::string& path, int w, int h, const std::vector<uint8_t>& rgba) {
  uint32_t row = (static_cast<uint32_t>(w) * 3 + 3) & ~3u;
  uint32_t image_size = row * h;
  std::vector<uint8_t> b;
  b.reserve(54 + image_size);
  b.push_back('B');
  b.push_back('M');
  put32(b, 54 + image_size);
  put32(b, 0);
  put32(b, 54);
  put32(b, 40);  // BITMAPINFOHEADER
  put32(b, w);
  put32(b, h);  // positive: bottom-up rows
  put16(b, 1);
  put16(b, 24);
  put32(b, 0);  // no compression
  put32(b, image_size);
  put32(b, 2835);
  put32(b, 2835);
  put32(b, 0);
  put32(b, 0);
  for (int y = h - 1; y >= 0; --y) {
    const uint8_t* src = &rgba[static_cast<size_t>(y) * w * 4];
    for (int x = 0; x < w; ++x) {
      b.push_back(src[x * 4 + 2]);
      b.push_back(src[x * 4 + 1]);
      b.push_back(src[x * 4]);
    }
    for (uint32_t pad = w * 3; pad < row; ++pad) b.push_back(0);
  }
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace art
