#pragma once
// The 32-bit picture every race frame is composed in, and its drawing primitives.
//
// Pixel (x, y) is the word at y * width + x; bytes in memory are B, G, R, A, so as a
// little-endian word a colour is B + G * 256 + R * 65536 + A * 16777216 (Pixel_Word):
// a 32-bit X-R-G-B display takes the rows as they are.
// Every primitive clips to the canvas (and to the source image), never allocates and
// does nothing for a null or empty image. Scaled primitives step in 22.10 fixed point.
#include <cstdint>

#include "common/dvec.h"

class image;

// The arguments of one scaled blit.
struct ScaledBlit {
  const image* img = nullptr;
  int x = 0, y = 0, w = 0, h = 0;
  bool mirrored = false;
};

class Canvas {
 public:
  int32_t width = 0;
  int32_t height = 0;
  image* pixels = nullptr;  // owned, width x height, 32 bits, pitch width * 4
  DVec<int32_t> sample_columns;  // per canvas column, the picture column a scaled blit reads
  static constexpr int kMaxCovers = 8;  // covers a scaled blit looks at; the rest are ignored

  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  // Replaces the picture by a zeroed one of the new size; nothing when the size is the same.
  void resize(int width, int height);

  // First pixel word; rows follow each other without gaps.
  uint32_t* data() const;

  void fill_rect(int x, int y, int w, int h, uint32_t colour);
  // One row from x to x + w - 1; for w < 1 the run is x + w - 1 .. x (w = 0 fills x - 1 and x).
  void fill_span(int x, int w, int row, uint32_t colour);
  // Halves every byte of the pixels x_a..x_b (inclusive, either order) of one row.
  void darken_span(int x_a, int x_b, int row);

  // Unscaled source rectangle; only pixels whose fourth byte is 255.
  void blit(const image* img, int src_x, int src_y, int w, int h, int dst_x, int dst_y);
  // Whole image scaled to w x h; only pixels whose fourth byte is not 0. `mirrored` draws
  // exactly what the image's left-right mirror image would draw, read from the image itself.
  void blit_scaled(const image* img, int x, int y, int w, int h, bool mirrored = false);
  // The same, leaving out what `covers`, scaled blits made later in the same frame, will
  // paint over: the rows of their pictures drawn end to end (only measured pictures count).
  void blit_scaled(const image* img, int x, int y, int w, int h, bool mirrored, const ScaledBlit* covers, int count);
  // Whole image scaled to |w| x h, added with saturation (fourth byte 0); w < 0 mirrors.
  void blit_additive(const image* img, int x, int y, int w, int h);
  // Whole image unscaled and opaque.
  void copy(const image* img, int x, int y);
  // Unscaled source rectangle; only pixels whose fourth byte and R byte are both non-zero.
  void blit_keyed(const image* img, int src_x, int src_y, int w, int h, int dst_x, int dst_y);
  // The image stretched opaquely over a trapezoid with horizontal far and near edges.
  // All six arguments are 22.10 fixed point; the near row itself is not drawn.
  void textured_trapezoid(const image* img, int far_left, int far_right, int far_row, int near_left,
                          int near_right, int near_row);
};
