#include "draw.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace art {

Pic::Pic(int width, int height) : w(width), h(height) {
  surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cr = cairo_create(surface);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_GOOD);
}

Pic::Pic(Pic&& o) noexcept : w(o.w), h(o.h), surface(o.surface), cr(o.cr) {
  o.surface = nullptr;
  o.cr = nullptr;
}

Pic& Pic::operator=(Pic&& o) noexcept {
  if (this != &o) {
    this->~Pic();
    w = o.w;
    h = o.h;
    surface = o.surface;
    cr = o.cr;
    o.surface = nullptr;
    o.cr = nullptr;
  }
  return *this;
}

Pic::~Pic() {
  if (cr) cairo_destroy(cr);
  if (surface) cairo_surface_destroy(surface);
  cr = nullptr;
  surface = nullptr;
}

uint32_t* Pic::data() {
  cairo_surface_flush(surface);
  return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface));
}

int Pic::stride_words() const { return cairo_image_surface_get_stride(surface) / 4; }

uint32_t Pic::pixel(int x, int y) { return data()[y * stride_words() + x]; }

RGB hex(uint32_t v) { return {((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0}; }

RGB mix(RGB a, RGB b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

RGB shade(RGB c, double f) {
  if (f <= 1.0) return {c.r * f, c.g * f, c.b * f};
  double t = std::min(1.0, f - 1.0);
  return mix(c, {1, 1, 1}, t);
}

void set(cairo_t* cr, RGB c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min(r, std::min(w, h) / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

void fill_rect(cairo_t* cr, double x, double y, double w, double h, RGB c, double alpha) {
  cairo_rectangle(cr, x, y, w, h);
  set(cr, c, alpha);
  cairo_fill(cr);
}

void vgradient(cairo_t* cr, double x, double y, double w, double h, RGB top, RGB bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(p, 1, bottom.r, bottom.g, bottom.b);
  cairo_rectangle(cr, x, y, w, h);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void hgradient(cairo_t* cr, double x, double y, double w, double h, RGB left, RGB right) {
  cairo_pattern_t* p = cairo_pattern_create_linear(x, 0, x + w, 0);
  cairo_pattern_add_color_stop_rgb(p, 0, left.r, left.g, left.b);
  cairo_pattern_add_color_stop_rgb(p, 1, right.r, right.g, right.b);
  cairo_rectangle(cr, x, y, w, h);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  if (rx <= 0 || ry <= 0) return;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

void polygon(cairo_t* cr, std::initializer_list<double> xy) {
  const double* p = xy.begin();
  size_t n = xy.size() / 2;
  if (n == 0) return;
  cairo_move_to(cr, p[0], p[1]);
  for (size_t i = 1; i < n; ++i) cairo_line_to(cr, p[2 * i], p[2 * i + 1]);
  cairo_close_path(cr);
}

void line(cairo_t* cr, double x0, double y0, double x1, double y1, double width, RGB c, double alpha) {
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_set_line_width(cr, width);
  set(cr, c, alpha);
  cairo_stroke(cr);
}

void fill_outline(cairo_t* cr, RGB c, double edge_width, double edge_shade) {
  set(cr, c);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, edge_width);
  set(cr, shade(c, edge_shade));
  cairo_stroke(cr);
}

uint32_t hash32(uint32_t x) {
  x ^= x >> 16;
  x *= 0x7feb352du;
  x ^= x >> 15;
  x *= 0x846ca68bu;
  x ^= x >> 16;
  return x;
}

double hash01(int x, int y, int seed) {
  uint32_t h = hash32(static_cast<uint32_t>(x) * 73856093u ^ hash32(static_cast<uint32_t>(y) * 19349663u) ^
                      hash32(static_cast<uint32_t>(seed) * 83492791u + 1u));
  return (h & 0xFFFFFF) / double(0x1000000);
}

namespace {
double smooth(double t) { return t * t * (3 - 2 * t); }

double lattice_noise(double x, double y, int seed, int period) {
  int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
  double fx = smooth(x - xi), fy = smooth(y - yi);
  auto at = [&](int a, int b) {
    if (period > 0) a = ((a % period) + period) % period;
    return hash01(a, b, seed);
  };
  double v00 = at(xi, yi), v10 = at(xi + 1, yi), v01 = at(xi, yi + 1), v11 = at(xi + 1, yi + 1);
  return (v00 * (1 - fx) + v10 * fx) * (1 - fy) + (v01 * (1 - fx) + v11 * fx) * fy;
}
}  // namespace

double value_noise(double x, double y, int seed) { return lattice_noise(x, y, seed, 0); }

double fbm(double x, double y, int seed, int octaves) {
  double sum = 0, amp = 0.5, norm = 0, f = 1;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * value_noise(x * f, y * f, seed + i * 101);
    norm += amp;
    amp *= 0.5;
    f *= 2;
  }
  return sum / norm;
}

double fbm_tiled(double x, double y, double period, int seed, int octaves) {
  double sum = 0, amp = 0.5, norm = 0;
  int p = std::max(1, static_cast<int>(std::lround(period)));
  double scale = p / period;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * lattice_noise(x * scale, y * scale, seed + i * 101, p);
    norm += amp;
    amp *= 0.5;
    x *= 2;
    y *= 2;
    p *= 2;
  }
  return sum / norm;
}

uint32_t Rng::next() {
  s_ ^= s_ << 13;
  s_ ^= s_ >> 17;
  s_ ^= s_ << 5;
  return s_;
}

double Rng::uniform(double lo, double hi) { return lo + (hi - lo) * ((next() >> 8) / double(1 << 24)); }

int Rng::range(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<uint32_t>(hi - lo + 1)); }

const char* face_path(Face f) {
  switch (f) {
    case Face::Title: return "/usr/share/fonts/truetype/play/Play-Bold.ttf";
    case Face::Menu: return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    case Face::Banner: return "/usr/share/fonts/truetype/lato/Lato-BlackItalic.ttf";
    case Face::Mono: return "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
    case Face::Round: return "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf";
  }
  return "";
}

namespace {
std::mutex g_font_mutex;
FT_Library g_ft = nullptr;
std::map<int, cairo_font_face_t*> g_faces;

cairo_font_face_t* font_face(Face f) {
  std::lock_guard<std::mutex> lock(g_font_mutex);
  auto it = g_faces.find(static_cast<int>(f));
  if (it != g_faces.end()) return it->second;
  if (!g_ft && FT_Init_FreeType(&g_ft)) {
    std::fprintf(stderr, "vr_artgen: cannot start FreeType\n");
    std::exit(1);
  }
  FT_Face face = nullptr;
  if (FT_New_Face(g_ft, face_path(f), 0, &face)) {
    std::fprintf(stderr, "vr_artgen: cannot open font %s (install the packages of tools/debian-packages.txt)\n",
                 face_path(f));
    std::exit(1);
  }
  cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(face, 0);
  g_faces[static_cast<int>(f)] = cf;
  return cf;
}
}  // namespace

void select_face(cairo_t* cr, Face f, double size) {
  cairo_set_font_face(cr, font_face(f));
  cairo_set_font_size(cr, size);
  cairo_font_options_t* o = cairo_font_options_create();
  cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
  cairo_set_font_options(cr, o);
  cairo_font_options_destroy(o);
}

double text_width(cairo_t* cr, Face f, double size, const std::string& s) {
  select_face(cr, f, size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, s.c_str(), &e);
  return e.x_advance;
}

namespace {
double aligned_x(cairo_t* cr, Face f, double size, double x, const std::string& s, Align a) {
  if (a == Align::Left) return x;
  double w = text_width(cr, f, size, s);
  return a == Align::Centre ? x - w / 2 : x - w;
}
}  // namespace

void text(cairo_t* cr, Face f, double size, double x, double y, const std::string& s, RGB c, Align align,
          double alpha) {
  x = aligned_x(cr, f, size, x, s, align);
  select_face(cr, f, size);
  cairo_move_to(cr, x, y);
  set(cr, c, alpha);
  cairo_show_text(cr, s.c_str());
}

void text_outlined(cairo_t* cr, Face f, double size, double x, double y, const std::string& s, RGB fill,
                   RGB outline, double outline_width, Align align) {
  x = aligned_x(cr, f, size, x, s, align);
  select_face(cr, f, size);
  cairo_move_to(cr, x, y);
  cairo_text_path(cr, s.c_str());
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, outline_width * 2);
  set(cr, outline);
  cairo_stroke_preserve(cr);
  set(cr, fill);
  cairo_fill(cr);
}

void grain(Pic& p, int x0, int y0, int w, int h, double amount, int seed) {
  uint32_t* d = p.data();
  int stride = p.stride_words();
  for (int y = std::max(0, y0); y < std::min(p.h, y0 + h); ++y)
    for (int x = std::max(0, x0); x < std::min(p.w, x0 + w); ++x) {
      uint32_t v = d[y * stride + x];
      int a = v >> 24;
      if (a == 0) continue;
      int delta = static_cast<int>((hash01(x, y, seed) - 0.5) * 2 * amount * a / 255.0);
      int c[3] = {static_cast<int>((v >> 16) & 255), static_cast<int>((v >> 8) & 255), static_cast<int>(v & 255)};
      for (int& ch : c) ch = std::clamp(ch + delta, 0, a);
      d[y * stride + x] = (uint32_t(a) << 24) | (uint32_t(c[0]) << 16) | (uint32_t(c[1]) << 8) | uint32_t(c[2]);
    }
  cairo_surface_mark_dirty(p.surface);
}

}  // namespace art
