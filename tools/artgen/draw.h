#pragma once
// Common drawing helpers of the art generator: a cairo picture, colours, shapes,
// deterministic noise and text in the fonts the game ships.
#include <cairo.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace art {

// A cairo ARGB32 picture (premultiplied), transparent when made.
class Pic {
 public:
  Pic() = default;
  Pic(int w, int h);
  Pic(Pic&& other) noexcept;
  Pic& operator=(Pic&& other) noexcept;
  Pic(const Pic&) = delete;
  Pic& operator=(const Pic&) = delete;
  ~Pic();

  int w = 0, h = 0;
  cairo_surface_t* surface = nullptr;
  cairo_t* cr = nullptr;

  // Premultiplied ARGB word of pixel (x, y); flushes pending drawing first.
  uint32_t pixel(int x, int y);
  uint32_t* data();
  int stride_words() const;
};

struct RGB {
  double r = 0, g = 0, b = 0;
};
RGB hex(uint32_t rgb);
RGB mix(RGB a, RGB b, double t);
RGB shade(RGB c, double f);  // f < 1 darkens, > 1 lightens towards white

void set(cairo_t* cr, RGB c, double alpha = 1.0);
void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r);
void fill_rect(cairo_t* cr, double x, double y, double w, double h, RGB c, double alpha = 1.0);
// Vertical gradient from top colour to bottom colour over the rectangle.
void vgradient(cairo_t* cr, double x, double y, double w, double h, RGB top, RGB bottom);
void hgradient(cairo_t* cr, double x, double y, double w, double h, RGB left, RGB right);
void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
void polygon(cairo_t* cr, std::initializer_list<double> xy);
void line(cairo_t* cr, double x0, double y0, double x1, double y1, double width, RGB c, double alpha = 1.0);
// Fills the current path with c and strokes it with a darker edge.
void fill_outline(cairo_t* cr, RGB c, double edge_width = 1.0, double edge_shade = 0.55);

// Deterministic pseudo-random numbers.
uint32_t hash32(uint32_t x);
double hash01(int x, int y, int seed);
double value_noise(double x, double y, int seed);             // smooth, 0..1
double fbm(double x, double y, int seed, int octaves = 4);    // fractal, about 0..1
// Noise that tiles with the given period in x (for seamless strips).
double fbm_tiled(double x, double y, double period, int seed, int octaves = 4);

class Rng {
 public:
  explicit Rng(uint32_t seed) : s_(seed * 2654435761u + 12345u) {}
  uint32_t next();
  double uniform(double lo = 0.0, double hi = 1.0);
  int range(int lo, int hi);  // both ends included

 private:
  uint32_t s_;
};

// Fonts the pictures use; the same files are shipped under the game's names.
enum class Face { Title, Menu, Banner, Mono, Round };
const char* face_path(Face f);

enum class Align { Left, Centre, Right };
// Draws one line of UTF-8 text with its baseline at y.
void text(cairo_t* cr, Face f, double size, double x, double y, const std::string& s, RGB c,
          Align align = Align::Left, double alpha = 1.0);
// Text with an outline of the given width drawn under it.
void text_outlined(cairo_t* cr, Face f, double size, double x, double y, const std::string& s, RGB fill,
                   RGB outline, double outline_width, Align align = Align::Left);
double text_width(cairo_t* cr, Face f, double size, const std::string& s);
void select_face(cairo_t* cr, Face f, double size);

// Adds grain to the opaque pixels of a rectangle: each channel moves by up to
// +-amount (0..255 scale).
void grain(Pic& p, int x, int y, int w, int h, double amount, int seed);

// A painter makes one picture; the registry maps file names (as in the manifest,
// "GFX/..." included) to painters.
using Painter = std::function<Pic()>;
using Registry = std::map<std::string, Painter>;

void register_cars(Registry& r);
void register_bikes(Registry& r);
void register_figures(Registry& r);
void register_structures(Registry& r);
void register_nature(Registry& r);
void register_buildings(Registry& r);
void register_skies(Registry& r);
void register_menus(Registry& r);
void register_screens(Registry& r);
void register_hud(Registry& r);

}  // namespace art
