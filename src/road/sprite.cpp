#include <algorithm>
#include <cmath>
#include <cstring>

#include "road/canvas.h"
#include "road/image.h"

namespace {

// Integers far outside the canvas behave alike; clamping keeps sums from overflowing.
const int64_t kFar = 1 << 28;

int Clamp_Int(int64_t v) { return static_cast<int>(std::max(-kFar * 4, std::min(kFar * 4, v))); }

// Truncation toward zero, with huge (or not-a-number) values held to a safe range.
int64_t Trunc(float f) {
  if (std::isnan(f)) return 0;
  if (f >= static_cast<float>(kFar)) return kFar;
  if (f <= -static_cast<float>(kFar)) return -kFar;
  return static_cast<int64_t>(f);
}

// Half-dark ellipse n = 14 * s rows high, centred on the sprite's bottom edge.
void Object_Shadow(Canvas& c, int64_t x, int64_t y, int64_t w, int64_t h, float s) {
  int64_t n = Trunc(14.0f * s);
  if (n < 1) return;
  int64_t first_row = y + h - n / 2;
  int64_t k0 = std::max<int64_t>(0, -first_row), k1 = std::min<int64_t>(n, c.height - first_row);
  for (int64_t k = k0; k < k1; ++k) {
    int64_t j = k - n / 2;
    int64_t inset = j <= 0 ? (j * j) / n - j / 2 : (j >> 1) + (j * j * 150) / n / 100;
    if (2 * inset > w) continue;  // the ellipse is narrower than the sprite's insets here
    c.darken_span(Clamp_Int(x + inset), Clamp_Int(x + w - inset), static_cast<int>(first_row + k));
  }
}

// The wider shadow under the player's car; s is already three times the draw scale.
void Car_Shadow(Canvas& c, int64_t x, int64_t y, int64_t w, int64_t h, float s) {
  int64_t n = Trunc(40.0f * s);
  int64_t rows = n - 30;
  if (rows < 1) return;
  int64_t first_row = y + h - n / 2 - 10;
  int64_t k0 = std::max<int64_t>(0, -first_row), k1 = std::min<int64_t>(rows, c.height - first_row);
  for (int64_t k = k0; k < k1; ++k) {
    int64_t j = k - n / 2;
    int64_t inset = j <= 0 ? ((j * j) >> 1) / n - j / 2 : (j >> 1) + (j * j * 150) / n / 200;
    if (2 * inset > w) continue;  // crossed insets would darken beyond a narrow sprite
    c.darken_span(Clamp_Int(x + inset - 1), Clamp_Int(x + w - inset - 1), static_cast<int>(first_row + k));
  }
}

image* Mirror_Of(const image* frame) {
  if (!frame) return nullptr;
  image* copy = new image(*frame);
  uint32_t bpp = copy->bytes_per_pixel;
  if (bpp == 0) return copy;
  for (uint32_t y = 0; y < copy->height; ++y) {
    unsigned char* row = copy->row(y);
    for (uint32_t a = 0, b = copy->width - 1; a < b && copy->width > 0; ++a, --b)
      std::swap_ranges(row + a * bpp, row + a * bpp + bpp, row + b * bpp);
  }
  copy->find_opaque_columns();
  return copy;
}

}  // namespace

sprite::sprite(const char* path, int h, int v, float scale) : h_anchor(h), v_anchor(v), base_scale(scale) {
  add_frame(path);
}

sprite::sprite(const image* img, int h, int v, float scale) : h_anchor(h), v_anchor(v), base_scale(scale) {
  image* copy = img ? new image(*img) : new image();
  copy->find_opaque_columns();  // as a loaded picture has them
  add_image(copy);
}

int sprite::add_frame(const char* path) {
  image* img = new image();
  int ok = img->load(path);
  add_image(img);
  return ok;
}

void sprite::add_image(image* img) {
  frames.add(img);
  frame_count += 1;
}

uint32_t sprite::frame_width(int i) const {
  if (i < 0 || static_cast<uint32_t>(i) >= frames.count || !frames[i]) return 0;
  return frames[i]->width;
}

void sprite::build_mirrored() {
  // Frames added after the first mirrored draw get their copies too.
  while (mirrored.count < frames.count) mirrored.add(Mirror_Of(frames[mirrored.count]));
}

image* sprite::frame_for(int n, int mode) {
  int64_t i = std::abs(static_cast<int64_t>(n)) / 10;
  if (mode & kDrawMirrored) build_mirrored();
  const VecOwn<image*>& set = (mode & kDrawMirrored) ? mirrored : frames;
  return i < set.count ? set[static_cast<uint32_t>(i)] : nullptr;
}

void sprite::draw(Canvas* canvas, int n, int x, int y, float scale, int mode, const ScaledBlit* covers,
                  int cover_count) {
  draw_frame(canvas, n, x, y, scale, mode, false, covers, cover_count);
}

void sprite::draw_car(Canvas* canvas, int n, int x, int y, float scale, int mode) {
  draw_frame(canvas, n, x, y, scale, mode, true);
}

bool sprite::place(int n, int x0, int y0, float scale, int mode, Placement& out) {
  float s = scale;
  if (base_scale != 1.0f) s *= base_scale;
  // A scaled mirrored frame is read backwards from the plain one: one picture in the
  // cache instead of two (scenery stands on both sides of the road).
  const bool scaled = !(mode & (kDrawCopy | kDrawAdditive)) && s != 1.0f;
  const bool mirror_scaled = scaled && (mode & kDrawMirrored);
  image* img = frame_for(n, mirror_scaled ? mode & ~kDrawMirrored : mode);
  if (!img || img->width == 0 || img->height == 0) return false;
  int64_t w = Trunc(static_cast<float>(img->width) * s), h = Trunc(static_cast<float>(img->height) * s);
  int64_t px = x0, py = y0;
  if (h_anchor == 1) px -= w;
  else if (h_anchor == 4) px -= w / 2;
  if (v_anchor == 3) py -= h;
  else if (v_anchor == 4) py -= h / 2;
  out = {img, s, px, py, w, h, scaled, mirror_scaled};
  return true;
}

bool sprite::scaled_blit(int n, int x, int y, float scale, int mode, ScaledBlit& out) {
  Placement p;
  if (!place(n, x, y, scale, mode, p) || !p.scaled) return false;
  out = {p.img, Clamp_Int(p.x), Clamp_Int(p.y), static_cast<int>(p.w), static_cast<int>(p.h), p.mirror_scaled};
  return true;
}

void sprite::draw_frame(Canvas* canvas, int n, int x0, int y0, float scale, int mode, bool car_shadow,
                        const ScaledBlit* covers, int cover_count) {
  Placement p;
  if (!canvas || !place(n, x0, y0, scale, mode, p)) return;
  if (shadow) {
    if (car_shadow) Car_Shadow(*canvas, p.x, p.y, p.w, p.h, 3.0f * p.s);
    else Object_Shadow(*canvas, p.x, p.y, p.w, p.h, p.s);
  }
  int x = Clamp_Int(p.x), y = Clamp_Int(p.y);
  if (mode & kDrawCopy)
    canvas->copy(p.img, x, y);
  else if (mode & kDrawAdditive)
    canvas->blit_additive(p.img, x, y, static_cast<int>(p.w), static_cast<int>(p.h));
  else if (!p.scaled)
    canvas->blit(p.img, 0, 0, static_cast<int>(p.img->width), static_cast<int>(p.img->height), x, y);
  else
    canvas->blit_scaled(p.img, x, y, static_cast<int>(p.w), static_cast<int>(p.h), p.mirror_scaled, covers, cover_count);
}

void sprite::draw_ground(Canvas* canvas, int n, float far_left, float far_right, float far_row, float near_left,
                         float near_right, float near_row, int mode) {
  image* img = canvas ? frame_for(n, mode) : nullptr;
  if (!img) return;
  // Pixel coordinates beyond a million are held there so the 22.10 values fit 32 bits.
  auto fixed = [](float f) { return static_cast<int>(std::max<int64_t>(-(1 << 20), std::min<int64_t>(1 << 20, Trunc(f))) * 1024); };
  canvas->textured_trapezoid(img, fixed(far_left), fixed(far_right), fixed(far_row), fixed(near_left),
                             fixed(near_right), fixed(near_row));
}
