#pragma once
// Pictures in memory (loaded from PNG files) and sprites: frame sets drawn into the canvas.
#include <cstdint>

#include "common/dvec.h"

class Canvas;
struct ScaledBlit;

// The pixel word of a colour: bytes B, G, R, A, so B + G * 256 + R * 65536 + A * 16777216.
constexpr uint32_t Pixel_Word(uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
  return (b & 255) | (g & 255) << 8 | (r & 255) << 16 | (a & 255) << 24;
}

// The columns of one picture row from its first to its last pixel whose fourth byte is
// not 0: the part a scaled blit draws. first > last when the row has none; solid when
// every pixel between them is drawn too.
struct OpaqueColumns {
  int32_t first;
  int32_t last;
  int32_t solid;
};

// Pixels of one picture. Colour pictures always have 4 bytes per pixel: B, G, R, A
// (A = 255 opaque), the display's own order, so the finished canvas goes to the screen
// as it is. Pictures from 3-channel PNG files get A = 0 everywhere.
class image {
 public:
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t bits_per_pixel = 0;   // 24 or 32 for colour pictures
  uint32_t bytes_per_pixel = 0;  // bits / 8, but 4 for 24 bits
  uint32_t pitch = 0;            // bytes per row
  DVec<unsigned char> pixels;    // pitch * height bytes
  DVec<OpaqueColumns> opaque;    // one per row once measured, else empty

  image() = default;
  // Zeroed pixels. Pitch is width * 4 for 24 bits, else the given one, or
  // bytes_per_pixel * width when 0 is given.
  image(uint32_t width, uint32_t height, uint32_t bits, uint32_t pitch);
  image(const image& other);
  image& operator=(const image&) = delete;

  // Replaces this picture by the PNG file at path. On failure the report is printed,
  // the picture is left empty (0 x 0, draws nothing) and 0 is returned.
  int load(const char* path);

  // Measures `opaque` (load does it); needed again after the pixels change.
  void find_opaque_columns();

  // First byte of row y.
  unsigned char* row(uint32_t y) const { return pixels.data + static_cast<size_t>(pitch) * y; }
};

// Mode bits of sprite drawing.
constexpr int kDrawCopy = 1;      // unscaled opaque copy
constexpr int kDrawMirrored = 2;  // use the mirrored frames
constexpr int kDrawAdditive = 4;  // scaled additive blit

class sprite {
 public:
  VecOwn<image*> frames;
  VecOwn<image*> mirrored;  // left-right mirrored copies, built on first use
  int32_t frame_count = 0;
  int32_t h_anchor = 0;  // 1: x is the right edge, 4: the centre, else the left edge
  int32_t v_anchor = 0;  // 3: y is the bottom edge, 4: the centre, else the top edge
  float base_scale = 1.0f;
  uint8_t shadow = 1;    // draw a darkened ellipse under the sprite
  int32_t x = 0, y = 0, z = 0;  // world point relative to the camera (player's car only)

  // The first frame comes from a PNG file; a picture that fails to load stays an empty frame.
  sprite(const char* path, int h_anchor, int v_anchor, float base_scale);
  // The first frame is a copy of img (an empty frame when img is null).
  sprite(const image* img, int h_anchor, int v_anchor, float base_scale);
  sprite(const sprite&) = delete;
  sprite& operator=(const sprite&) = delete;

  // Appends a frame loaded from a PNG file (empty when it fails); returns load's result.
  int add_frame(const char* path);
  // Appends an image the sprite then owns.
  void add_image(image* img);
  uint32_t frame_width(int i) const;
  void no_shadow() { shadow = 0; }

  // Draws frame |n| / 10 (n is in tenths) anchored at (x, y), with the object shadow.
  // A scaled draw leaves out what `covers` will paint over later in the frame.
  void draw(Canvas* canvas, int n, int x, int y, float scale, int mode = 0, const ScaledBlit* covers = nullptr,
            int cover_count = 0);
  // The same with the wider car shadow.
  void draw_car(Canvas* canvas, int n, int x, int y, float scale, int mode = 0);
  // Frame |n| / 10 as a ground texture over a trapezoid (pixel coordinates).
  void draw_ground(Canvas* canvas, int n, float far_left, float far_right, float far_row, float near_left,
                   float near_right, float near_row, int mode = 0);

  // Frame |n| / 10 of the plain or mirrored set, or null when there is none.
  image* frame_for(int n, int mode);
  // The scaled blit draw makes with these arguments; false when it makes another kind of
  // draw or none.
  bool scaled_blit(int n, int x, int y, float scale, int mode, ScaledBlit& out);

 private:
  // Where a draw puts its frame, before clipping.
  struct Placement {
    image* img;
    float s;            // scale with base_scale
    int64_t x, y, w, h;
    bool scaled;        // a scaled blit, mirrored by reading backwards when mirror_scaled
    bool mirror_scaled;
  };
  void build_mirrored();
  bool place(int n, int x, int y, float scale, int mode, Placement& out);
  void draw_frame(Canvas* canvas, int n, int x, int y, float scale, int mode, bool car_shadow,
                  const ScaledBlit* covers = nullptr, int cover_count = 0);
};
