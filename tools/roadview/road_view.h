#pragma once
// Shared by the roadview tool and the road's picture tests: flat stand-in sprites for the
// scenery, a few test cars, one rendered view of the road and a PNG writer.
#include <png.h>

#include <cstdio>
#include <cstring>

#include "core/state/game.h"
#include "road/canvas.h"
#include "road/image.h"
#include "road/road.h"
#include "road/sky.h"
#include "vehicles/model/vehicle.h"

namespace roadview {

// A w x h picture of one colour; the fourth byte is 255 (opaque) unless alpha says otherwise.
inline image* Flat_Image(int w, int h, uint8_t r, uint8_t g, uint8_t b, uint8_t alpha = 255) {
  image* img = new image(w, h, 32, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char* p = img->row(y) + 4 * x;
      p[0] = b, p[1] = g, p[2] = r, p[3] = alpha;
    }
  return img;
}

// Diagonal stripes for ground textures, so their mapping shows.
inline image* Striped_Image(int w, int h) {
  image* img = Flat_Image(w, h, 90, 130, 60);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (((x + y) / 8) % 2) img->row(y)[4 * x + 1] = 170;
  return img;
}

// Stand-in size and colour of an object id by its class.
inline image* Plain_Object(int id) {
  if (id >= 455 && id <= 461) return Striped_Image(64, 64);
  if (id >= 100 && id <= 149) return Flat_Image(24, 90, 20, 140, 40);
  if (id >= 150 && id <= 199) return Flat_Image(30, 18, 10, 90, 20);
  if (id >= 200 && id <= 249) return Flat_Image(70, 110, 150, 150, 170);
  if (id >= 250 && id <= 299) return Flat_Image(50, 36, 160, 90, 50);
  if (id >= 400 && id <= 406) return Flat_Image(4, 50, 240, 240, 240);
  if (id >= 450 && id <= 499) return Flat_Image(18, 10, 120, 120, 120);
  return Flat_Image(40, 26, 230, 200, 20);  // signs, billboards, figures
}

// Fills the registry with stand-ins for every id a built-in track uses.
inline void Plain_Scenery(Game& game) {
  static const int kIds[] = {19, 23, 24, 26, 31, 100, 101, 102, 150, 151, 210, 227, 250, 251, 252, 400, 401, 451, 455};
  for (int id : kIds) {
    if (game.scenery_cache[id].loaded) continue;
    image* img = Plain_Object(id);
    sprite* s = new sprite(img, 4, 3, 1.0f);
    delete img;
    game.scenery_cache[id].set = s;
    game.scenery_cache[id].loaded = 1;
    game.scenery_sprites.add(s);
  }
}

// A car of five view frames, each its own colour, and a few of them ahead of the camera.
inline sprite* Test_Car_Sprite() {
  static const uint8_t kColours[5][3] = {{250, 0, 250}, {0, 200, 250}, {250, 120, 0}, {0, 250, 120}, {120, 0, 250}};
  image* first = Flat_Image(60, 30, kColours[0][0], kColours[0][1], kColours[0][2]);
  sprite* s = new sprite(first, 4, 3, 1.0f);
  delete first;
  for (int f = 1; f < 5; ++f) s->add_image(Flat_Image(60, 30, kColours[f][0], kColours[f][1], kColours[f][2]));
  return s;
}

inline void Add_Test_Cars(Game& game, sprite* car, int position, int count) {
  for (int n = 0; n < count; ++n) {
    float x = static_cast<float>((n % 5) * 250 - 500);
    game.vehicles.add(new vehicle(car, x, position + 600 + 900 * n, 0.0f, 0));
  }
}

// The road part of a race frame at one position: sky under the last far row, then the road.
inline void Render_View(Game& game, int position) {
  Canvas& canvas = *game.canvas;
  canvas.fill_rect(0, 0, canvas.width, canvas.height, Pixel_Word(0x10, 0x30, 0x60, 255));
  road::Road& r = *game.road;
  r.position = position;
  r.build_patches(position);  // settles far_y, as the previous frame would have
  game.sky->horizon_row = static_cast<int>(r.far_y);
  game.sky->draw(&canvas);
  r.fill_buckets(r.buckets, position);
  r.draw(canvas, r.buckets, position);
}

// Writes 32-bit canvas pixels (bytes B, G, R, A) as an RGB PNG. Returns 1 on success.
inline int Write_Png(const char* path, const uint32_t* pixels, int w, int h, bool with_alpha = false) {
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return 0;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return 0;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, w, h, 8, with_alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);
  int channels = with_alpha ? 4 : 3;
  unsigned char* row = new unsigned char[static_cast<size_t>(w) * channels];
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint32_t p = pixels[static_cast<size_t>(y) * w + x];
      for (int c = 0; c < channels; ++c) row[x * channels + c] = static_cast<unsigned char>(p >> (8 * c));
    }
    png_write_row(png, row);
  }
  delete[] row;
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
  return 1;
}

}  // namespace roadview
