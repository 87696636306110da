// Houses, towers, skyscrapers, castles and the other buildings beside the road.
#include <cmath>

#include "cars.h"
#include "draw.h"

namespace art {

namespace {

enum class Roof { Flat, Gable, Hip, Dome, Onion, Spire, None };

struct House {
  double w_m, h_m;  // wall width and height
  RGB wall, roof, window;
  Roof roof_style;
  double roof_m;    // roof height
  int floors;
  int seed;
  bool door = true;
  bool lit = false;
  bool chimney = false;
  bool shutters = false;
  bool timber = false;  // half-timbered
};

void windows_grid(cairo_t* cr, double x0, double y0, double w, double h, int floors, int cols, RGB glass,
                  int seed, bool lit, double frame_w = 0) {
  Rng rng(seed);
  double fh = h / floors, cw = w / cols;
  for (int f = 0; f < floors; ++f)
    for (int c = 0; c < cols; ++c) {
      double x = x0 + c * cw + cw * 0.22, y = y0 + f * fh + fh * 0.22;
      RGB g = glass;
      if (lit && rng.uniform() < 0.4) g = {1.0, 0.88, 0.55};
      if (frame_w > 0) fill_rect(cr, x - frame_w, y - frame_w, cw * 0.56 + 2 * frame_w, fh * 0.5 + 2 * frame_w,
                                 {0.95, 0.95, 0.92});
      cairo_rectangle(cr, x, y, cw * 0.56, fh * 0.5);
      cairo_pattern_t* p = cairo_pattern_create_linear(x, y, x + cw * 0.56, y + fh * 0.5);
      cairo_pattern_add_color_stop_rgb(p, 0, g.r * 1.3, g.g * 1.3, g.b * 1.3);
      cairo_pattern_add_color_stop_rgb(p, 1, g.r * 0.7, g.g * 0.7, g.b * 0.7);
      cairo_set_source(cr, p);
      cairo_fill(cr);
      cairo_pattern_destroy(p);
    }
}

Pic house(double ppm, const House& s) {
  double roof_px = s.roof_m * ppm;
  int w = static_cast<int>(s.w_m * ppm * 1.1) + 2, h = static_cast<int>(s.h_m * ppm + roof_px) + 2;
  Pic p(w, h);
  cairo_t* cr = p.cr;
  double ww = s.w_m * ppm, x0 = (w - ww) / 2, top = h - s.h_m * ppm;
  // Walls with a light left and shaded right edge.
  cairo_rectangle(cr, x0, top, ww, h - top);
  cairo_pattern_t* g = cairo_pattern_create_linear(x0, 0, x0 + ww, 0);
  cairo_pattern_add_color_stop_rgb(g, 0, s.wall.r * 1.08, s.wall.g * 1.08, s.wall.b * 1.08);
  cairo_pattern_add_color_stop_rgb(g, 1, s.wall.r * 0.8, s.wall.g * 0.8, s.wall.b * 0.8);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  if (s.timber) {
    RGB beam = hex(0x4a3020);
    for (int i = 0; i <= 4; ++i) line(cr, x0 + i * ww / 4, top, x0 + i * ww / 4, h, ppm * 0.15, beam);
    for (int f = 0; f <= s.floors; ++f) line(cr, x0, top + f * (h - top) / s.floors, x0 + ww, top + f * (h - top) / s.floors, ppm * 0.15, beam);
  }
  int cols = std::max(1, static_cast<int>(s.w_m / 2.6));
  windows_grid(cr, x0 + ww * 0.04, top + (h - top) * 0.04, ww * 0.92, (h - top) * (s.door ? 0.9 : 0.96), s.floors,
               cols, s.window, s.seed, s.lit, s.shutters ? ppm * 0.12 : 0);
  if (s.door) {
    double dw = std::min(ppm * 1.2, ww * 0.2), dh = std::min(ppm * 2.2, (h - top) * 0.45);
    fill_rect(cr, x0 + ww / 2 - dw / 2, h - dh, dw, dh, shade(s.wall, 0.35));
  }
  // Roof.
  set(cr, s.roof);
  switch (s.roof_style) {
    case Roof::Gable:
      polygon(cr, {x0 - ww * 0.05, top, x0 + ww / 2, top - roof_px, x0 + ww * 1.05, top});
      fill_outline(cr, s.roof, std::max(1.0, ppm * 0.08), 0.6);
      break;
    case Roof::Hip:
      polygon(cr, {x0 - ww * 0.05, top, x0 + ww * 0.25, top - roof_px, x0 + ww * 0.75, top - roof_px,
                   x0 + ww * 1.05, top});
      fill_outline(cr, s.roof, std::max(1.0, ppm * 0.08), 0.6);
      break;
    case Roof::Dome:
      cairo_new_path(cr);
      cairo_save(cr);
      cairo_translate(cr, x0 + ww / 2, top);
      cairo_scale(cr, ww * 0.45, roof_px);
      cairo_arc(cr, 0, 0, 1, M_PI, 2 * M_PI);
      cairo_restore(cr);
      fill_outline(cr, s.roof, std::max(1.0, ppm * 0.08), 0.6);
      break;
    case Roof::Onion: {
      // A drum on the roof carrying the bulb.
      double cx = x0 + ww / 2, r = std::min(ww * 0.16, roof_px * 0.3);
      fill_rect(cr, cx - r * 0.8, top - roof_px * 0.3, r * 1.6, roof_px * 0.3, shade(s.wall, 0.9));
      top -= roof_px * 0.3;
      roof_px *= 0.7;
      cairo_move_to(cr, cx - r * 0.6, top);
      cairo_curve_to(cr, cx - r * 1.4, top - roof_px * 0.5, cx - r * 0.2, top - roof_px * 0.7, cx, top - roof_px);
      cairo_curve_to(cr, cx + r * 0.2, top - roof_px * 0.7, cx + r * 1.4, top - roof_px * 0.5, cx + r * 0.6, top);
      cairo_close_path(cr);
      fill_outline(cr, s.roof, std::max(1.0, ppm * 0.08), 0.6);
      break;
    }
    case Roof::Spire:
      polygon(cr, {x0 + ww * 0.1, top, x0 + ww / 2, top - roof_px, x0 + ww * 0.9, top});
      fill_outline(cr, s.roof, std::max(1.0, ppm * 0.08), 0.6);
      break;
    case Roof::Flat:
      fill_rect(cr, x0 - ww * 0.02, top - std::max(2.0, ppm * 0.3), ww * 1.04, std::max(2.0, ppm * 0.3),
                shade(s.wall, 0.6));
      break;
    case Roof::None:
      break;
  }
  if (s.chimney && s.roof_style != Roof::Flat)
    fill_rect(cr, x0 + ww * 0.7, top - roof_px * 0.8, ww * 0.07, roof_px * 0.5, hex(0x7a4a3a));
  return p;
}

// A tall block of glass and concrete.
Pic skyscraper(double ppm, double w_m, double h_m, RGB frame, RGB glass, int seed, int top_style) {
  int w = static_cast<int>(w_m * ppm) + 2, body = static_cast<int>(h_m * ppm);
  int crown = static_cast<int>(w * (top_style == 2 ? 0.8 : 0.25));
  int h = body + crown;
  Pic p(w, h);
  cairo_t* cr = p.cr;
  double top = h - body;
  hgradient(cr, 1, top, w - 2, body, shade(frame, 1.15), shade(frame, 0.7));
  Rng rng(seed);
  double fh = std::max(4.0, ppm * 3.5), cw = std::max(4.0, ppm * 2.5);
  for (double y = top + fh * 0.3; y < h - fh; y += fh)
    for (double x = 3; x < w - cw * 0.6; x += cw) {
      RGB g = rng.uniform() < 0.08 ? RGB{1.0, 0.9, 0.6} : shade(glass, 0.8 + 0.4 * (x / w));
      fill_rect(cr, x, y, cw * 0.7, fh * 0.62, g);
    }
  if (top_style == 1) {
    fill_rect(cr, w * 0.3, top - crown * 0.5, w * 0.4, crown * 0.5, shade(frame, 0.8));
    line(cr, w / 2.0, top - crown * 0.5, w / 2.0, 0, std::max(1.5, ppm * 0.3), shade(frame, 0.6));
  } else if (top_style == 2) {
    polygon(cr, {1, top, w / 2.0, 0, w - 1.0, top});
    fill_outline(cr, shade(glass, 1.1), 1.5, 0.6);
  } else {
    fill_rect(cr, 1, top - crown * 0.3, w - 2, crown * 0.3, shade(frame, 0.6));
  }
  return p;
}

Pic pyramid(double ppm, double w_m, double h_m, bool stepped) {
  int w = static_cast<int>(w_m * ppm), h = static_cast<int>(h_m * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  polygon(cr, {0, double(h), w / 2.0, 0, double(w), double(h)});
  set(cr, hex(0xd8b878));
  cairo_fill(cr);
  polygon(cr, {w / 2.0, 0, double(w), double(h), w * 0.62, double(h)});
  set(cr, hex(0xa8884c));
  cairo_fill(cr);
  int steps = stepped ? 12 : 24;
  for (int i = 1; i < steps; ++i) {
    double y = h * i / double(steps), half = w / 2.0 * i / steps;
    line(cr, w / 2.0 - half, y, w / 2.0 + half, y, std::max(0.8, h / 300.0), hex(0x9a7a44), 0.8);
  }
  return p;
}

Pic castle(double ppm, double w_m, double h_m, RGB stone, RGB roof, bool fairy) {
  int w = static_cast<int>(w_m * ppm), h = static_cast<int>(h_m * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  double wall_top = h * 0.55, tw = w * 0.16;
  fill_rect(cr, tw * 0.5, wall_top, w - tw, h - wall_top, stone);
  for (double x = tw * 0.5; x < w - tw; x += tw * 0.5)
    fill_rect(cr, x, wall_top - tw * 0.2, tw * 0.25, tw * 0.2, stone);
  for (int i = 0; i < 3; ++i) {
    double cx = i == 0 ? tw / 2 : i == 1 ? w / 2.0 : w - tw / 2, ttop = i == 1 ? h * 0.2 : h * 0.32;
    double tww = i == 1 ? tw * 1.3 : tw;
    fill_rect(cr, cx - tww / 2, ttop, tww, h - ttop, shade(stone, 0.9 + 0.1 * i));
    if (fairy) {
      polygon(cr, {cx - tww * 0.6, ttop, cx, ttop - tww * 1.6, cx + tww * 0.6, ttop});
      fill_outline(cr, roof, 1.5, 0.6);
    } else {
      for (double x = cx - tww / 2; x < cx + tww / 2 - 1; x += tww / 4)
        fill_rect(cr, x, ttop - tww * 0.18, tww / 8, tww * 0.18, stone);
    }
    fill_rect(cr, cx - tww * 0.1, ttop + tww * 0.4, tww * 0.2, tww * 0.35, hex(0x2a2030));
  }
  cairo_new_path(cr);
  cairo_arc(cr, w / 2.0, h - tw * 0.6, tw * 0.4, M_PI, 2 * M_PI);
  cairo_line_to(cr, w / 2.0 + tw * 0.4, h);
  cairo_line_to(cr, w / 2.0 - tw * 0.4, h);
  cairo_close_path(cr);
  set(cr, hex(0x3a2a20));
  cairo_fill(cr);
  return p;
}

Pic windmill(double ppm, int variant) {
  double s = ppm;
  int w = static_cast<int>(14 * s), h = static_cast<int>(16 * s);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  double cx = w / 2.0, hub = h * 0.32;
  polygon(cr, {cx - 2.6 * s, double(h), cx - 1.9 * s, hub, cx + 1.9 * s, hub, cx + 2.6 * s, double(h)});
  set(cr, hex(0xf4f0e6));
  cairo_fill(cr);
  polygon(cr, {cx - 2.1 * s, hub, cx, hub - 2.3 * s, cx + 2.1 * s, hub});
  fill_outline(cr, variant ? hex(0x5a4a3a) : hex(0x2a2a2a), 1, 0.7);
  fill_rect(cr, cx - 0.5 * s, h - 2.2 * s, 1.0 * s, 2.2 * s, hex(0x5a3a20));
  for (int i = 0; i < 4; ++i) {
    double a = i * M_PI / 2 + (variant ? 0.4 : 0.15);
    double ex = cx + std::cos(a) * 6.5 * s, ey = hub + std::sin(a) * 6.5 * s;
    line(cr, cx, hub, ex, ey, 0.25 * s, hex(0x4a3a2a));
    double nx = -std::sin(a), ny = std::cos(a);
    polygon(cr, {cx + std::cos(a) * 1.5 * s, hub + std::sin(a) * 1.5 * s, ex, ey, ex + nx * 1.2 * s,
                 ey + ny * 1.2 * s, cx + std::cos(a) * 1.5 * s + nx * 1.0 * s,
                 hub + std::sin(a) * 1.5 * s + ny * 1.0 * s});
    fill_outline(cr, hex(0xe8e0c8), 1, 0.6);
  }
  ellipse(cr, cx, hub, 0.5 * s, 0.5 * s);
  set(cr, hex(0x2a2a2a));
  cairo_fill(cr);
  return p;
}

// Pictograms for the shop signs. Roadside pictures on the left are drawn mirrored, so
// the signs carry no writing, only shapes that are the same either way round.
enum class Pictogram { Burger, Flame, Sandwich, Bag, Drop };

void pictogram(cairo_t* cr, Pictogram k, double cx, double cy, double u, RGB c) {
  set(cr, c);
  switch (k) {
    case Pictogram::Burger:
      cairo_new_path(cr);
      cairo_arc(cr, cx, cy - 0.1 * u, 0.9 * u, M_PI, 2 * M_PI);
      cairo_fill(cr);
      fill_rect(cr, cx - 0.95 * u, cy + 0.05 * u, 1.9 * u, 0.25 * u, c);
      rounded_rect(cr, cx - 0.9 * u, cy + 0.4 * u, 1.8 * u, 0.35 * u, 0.15 * u);
      cairo_fill(cr);
      break;
    case Pictogram::Flame:
      cairo_move_to(cr, cx, cy - 0.95 * u);
      cairo_curve_to(cr, cx + 0.9 * u, cy - 0.1 * u, cx + 0.7 * u, cy + 0.8 * u, cx, cy + 0.8 * u);
      cairo_curve_to(cr, cx - 0.7 * u, cy + 0.8 * u, cx - 0.9 * u, cy - 0.1 * u, cx, cy - 0.95 * u);
      cairo_fill(cr);
      break;
    case Pictogram::Sandwich:
      rounded_rect(cr, cx - 1.6 * u, cy - 0.55 * u, 3.2 * u, 1.1 * u, 0.5 * u);
      cairo_fill(cr);
      break;
    case Pictogram::Bag:
      polygon(cr, {cx - 0.8 * u, cy - 0.3 * u, cx + 0.8 * u, cy - 0.3 * u, cx + 0.65 * u, cy + 0.85 * u,
                   cx - 0.65 * u, cy + 0.85 * u});
      cairo_fill(cr);
      cairo_new_path(cr);
      cairo_arc(cr, cx, cy - 0.3 * u, 0.4 * u, M_PI, 2 * M_PI);
      cairo_set_line_width(cr, 0.15 * u);
      cairo_stroke(cr);
      break;
    case Pictogram::Drop:
      cairo_move_to(cr, cx, cy - 0.95 * u);
      cairo_curve_to(cr, cx + 0.2 * u, cy - 0.5 * u, cx + 0.7 * u, cy, cx + 0.7 * u, cy + 0.3 * u);
      cairo_arc(cr, cx, cy + 0.3 * u, 0.7 * u, 0, M_PI);
      cairo_curve_to(cr, cx - 0.7 * u, cy, cx - 0.2 * u, cy - 0.5 * u, cx, cy - 0.95 * u);
      cairo_fill(cr);
      break;
  }
}

Pic restaurant(double ppm, RGB wall, RGB accent, Pictogram sign, int seed) {
  House s{14, 5, wall, accent, {0.3, 0.45, 0.55}, Roof::Flat, 0, 1, seed};
  Pic p = house(ppm, s);
  cairo_t* cr = p.cr;
  double sw = p.w * 0.8, sh = ppm * 1.4, x = (p.w - sw) / 2, y = p.h - 5 * ppm - sh * 0.2;
  rounded_rect(cr, x, y, sw, sh, sh * 0.2);
  set(cr, accent);
  cairo_fill(cr);
  // The pictogram three times along the sign.
  for (int i = -1; i <= 1; ++i) pictogram(cr, sign, p.w / 2.0 + i * sw / 3.2, y + sh / 2, sh * 0.38, {1, 1, 1});
  // Striped awning over the windows.
  for (int i = 0; i < 10; ++i)
    fill_rect(cr, p.w * 0.05 + i * p.w * 0.09, p.h - 3.3 * ppm, p.w * 0.09, ppm * 0.6,
              i % 2 ? accent : RGB{1, 1, 1});
  return p;
}

Pic tower_round(double ppm, double w_m, double h_m, RGB c, RGB roof, double roof_m) {
  int w = static_cast<int>(w_m * ppm * 1.3), h = static_cast<int>((h_m + roof_m) * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  double tw = w_m * ppm, x0 = (w - tw) / 2, top = h - h_m * ppm;
  hgradient(cr, x0, top, tw, h - top, shade(c, 1.15), shade(c, 0.65));
  for (double y = top + ppm * 2; y < h - ppm; y += ppm * 3) fill_rect(cr, w / 2.0 - ppm * 0.3, y, ppm * 0.6, ppm, hex(0x2a2a30));
  polygon(cr, {x0 - tw * 0.1, top, w / 2.0, top - roof_m * ppm, x0 + tw * 1.1, top});
  fill_outline(cr, roof, 1.5, 0.6);
  return p;
}

}  // namespace

void register_buildings(Registry& r) {
  auto H = [](double base) { return object_ppm(base); };
  RGB glass{0.32, 0.45, 0.58};
  r["GFX/House_01.png"] = [=] { return house(H(3), {12, 6, hex(0xf2e6c8), hex(0xc8643a), glass, Roof::Hip, 3, 2, 1, true, false, false, true}); };
  r["GFX/hotel_l.png"] = [=] { return house(H(6), {30, 50, hex(0xf0f0f4), hex(0x8a8a90), hex(0x3a7aa8), Roof::Flat, 0, 14, 2}); };
  r["GFX/House_02.png"] = [=] { return house(H(3), {11, 7, hex(0xf4f0e8), hex(0x6a3a2a), glass, Roof::Gable, 4, 2, 3, true, true, true, true, true}); };
  r["GFX/Shop01.png"] = [=] { return restaurant(H(3), hex(0xe8dcc0), hex(0x2a6a3a), Pictogram::Bag, 4); };
  r["GFX/Huette01.png"] = [=] { return house(H(3), {8, 4, hex(0x8a5a34), hex(0xf0f4fa), glass, Roof::Gable, 3.5, 1, 5, true, false, true}); };
  r["GFX/Wolkenkratzer01.png"] = [=] { return skyscraper(H(3), 22, 70, hex(0x8a92a0), hex(0x4a7aa8), 6, 1); };
  r["GFX/Wolkenkratzer02.png"] = [=] { return skyscraper(H(3), 26, 55, hex(0x6a6470), hex(0x7aa0c8), 7, 0); };
  r["GFX/Wolkenkratzer03.png"] = [=] { return skyscraper(H(3), 20, 80, hex(0xb0b4b8), hex(0x3a5a7a), 8, 2); };
  r["GFX/Wolkenkratzer04.png"] = [=] { return skyscraper(H(3), 30, 45, hex(0x9a7a6a), hex(0x5a7a8a), 9, 0); };
  r["GFX/Wolkenkratzer05.png"] = [=] { return skyscraper(H(3), 24, 65, hex(0x2a3a4a), hex(0x6ab0d8), 10, 1); };
  r["GFX/city_McDonalds.png"] = [=] { return restaurant(H(4), hex(0xe8c8a0), hex(0xc81e1e), Pictogram::Burger, 11); };
  r["GFX/city_BurgerKing.png"] = [=] { return restaurant(H(3), hex(0xf0d8a8), hex(0x1e4ac8), Pictogram::Flame, 12); };
  r["GFX/city_SubWay.png"] = [=] { return restaurant(H(3), hex(0xe0e8d0), hex(0x1e8a3a), Pictogram::Sandwich, 13); };
  r["GFX/desert_pyramid.png"] = [=] { return pyramid(H(2), 60, 38, false); };
  r["GFX/desert_pyramid2.png"] = [=] { return pyramid(H(2), 44, 26, true); };
  r["GFX/spain_castle.png"] = [=] { return castle(H(2), 30, 22, hex(0xc8a070), hex(0x9a3a2a), false); };
  r["GFX/spain_windmill.png"] = [=] { return windmill(H(1), 0); };
  r["GFX/spain_windmill2.png"] = [=] { return windmill(H(1), 1); };
  r["GFX/spain_vista.png"] = [=] {
    Pic p(static_cast<int>(40 * H(2)), static_cast<int>(12 * H(2)));
    for (int i = 0; i < 6; ++i) {
      Pic hse = house(H(2), {6, 4.0 + (i % 3), hex(0xf6f2ea), hex(0xc0643a), glass, Roof::Hip, 1.5, 1, 14 + i});
      cairo_set_source_surface(p.cr, hse.surface, i * p.w * 0.155, p.h - hse.h - (i % 2) * 6);
      cairo_paint(p.cr);
    }
    return p;
  };
  const RGB ru[] = {hex(0xe8d8b0), hex(0xd0a0a0), hex(0xa8c0d8), hex(0xe0e0d0), hex(0xc8b890), hex(0xb8c8a8)};
  for (int i = 0; i < 6; ++i) {
    char name[40];
    std::snprintf(name, sizeof name, "GFX/russia_bld0%d.png", i + 1);
    RGB wall = ru[i];
    Roof roof = i % 3 == 0 ? Roof::Onion : i % 3 == 1 ? Roof::Flat : Roof::Hip;
    r[name] = [=] {
      return house(H(2), {14.0 + i * 2, 12.0 + (i % 3) * 6, wall, i % 2 ? hex(0x2a8a5a) : hex(0xd8a830), glass, roof,
                          roof == Roof::Onion ? 9.0 : 3.0, 4 + i % 3, 20 + i});
    };
  }
  r["GFX/uk_house01.png"] = [=] { return house(H(2), {10, 7, hex(0x9a4a34), hex(0x4a4a50), glass, Roof::Gable, 3, 2, 30, true, false, true}); };
  r["GFX/uk_house02.png"] = [=] { return house(H(1.5), {9, 7, hex(0xe8e0d0), hex(0x3a3a40), glass, Roof::Gable, 3, 2, 31, true, false, true}); };
  r["GFX/uk_house03.png"] = [=] { return house(H(2), {14, 10, hex(0x8a3a2a), hex(0x3a3a3a), glass, Roof::Flat, 0, 3, 32}); };
  r["GFX/uk_house04.png"] = [=] { return house(H(2), {12, 9, hex(0xc8b8a0), hex(0x3a3a3a), glass, Roof::Hip, 2, 3, 33}); };
  r["GFX/uk_bld_sgt.png"] = [=] { return tower_round(H(1), 8, 30, hex(0xc8b890), hex(0x3a4a3a), 10); };
  r["GFX/uk_bld_albert.png"] = [=] { return house(H(1), {30, 14, hex(0xb86a4a), hex(0x7a8a8a), glass, Roof::Dome, 9, 3, 34, true}); };
  r["GFX/uk_bld_gherkin.png"] = [=] {
    double ppm = H(1.5);
    int w = static_cast<int>(26 * ppm), h = static_cast<int>(90 * ppm);
    Pic p(w, h);
    cairo_t* cr = p.cr;
    cairo_move_to(cr, w * 0.3, h);
    cairo_curve_to(cr, -w * 0.05, h * 0.6, w * 0.1, h * 0.1, w / 2.0, 0);
    cairo_curve_to(cr, w * 0.9, h * 0.1, w * 1.05, h * 0.6, w * 0.7, h);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, w, 0);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.5, 0.65, 0.75);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.15, 0.25, 0.35);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_clip(cr);
    for (int i = -12; i < 24; ++i) line(cr, i * w / 8.0, h, i * w / 8.0 + w, 0, 1.2, {0.1, 0.15, 0.2});
    return p;
  };
  r["GFX/HU_Tower.png"] = [=] { return tower_round(H(2), 6, 20, hex(0xe8e0c8), hex(0xb04a2a), 8); };
  r["GFX/HU_House01.png"] = [=] { return house(H(2), {10, 5, hex(0xf4ecd8), hex(0xb0502a), glass, Roof::Gable, 4, 1, 40, true, false, true, true}); };
  r["GFX/HU_House02.png"] = [=] { return house(H(2), {12, 5, hex(0xe8d8a0), hex(0x8a3a2a), glass, Roof::Hip, 3, 1, 41, true, false, false, true}); };
  r["GFX/HU_House03.png"] = [=] { return house(H(2), {9, 6, hex(0xd8e0e8), hex(0x5a3a2a), glass, Roof::Gable, 3.5, 2, 42}); };
  r["GFX/HU_House04.png"] = [=] { return house(H(2), {11, 5, hex(0xf0d0b0), hex(0xa0402a), glass, Roof::Hip, 3, 1, 43, true, false, true}); };
  r["GFX/HU_Church.png"] = [=] {
    double ppm = H(3);
    Pic body = house(ppm, {14, 10, hex(0xf4f0e0), hex(0x8a3a2a), glass, Roof::Gable, 6, 2, 44});
    Pic tower = tower_round(ppm, 5, 22, hex(0xf4f0e0), hex(0x3a7a5a), 10);
    Pic p(body.w + tower.w / 2, tower.h);
    cairo_set_source_surface(p.cr, body.surface, 0, p.h - body.h);
    cairo_paint(p.cr);
    cairo_set_source_surface(p.cr, tower.surface, p.w - tower.w, 0);
    cairo_paint(p.cr);
    return p;
  };
  r["GFX/FY_house01.png"] = [=] { return house(H(1.5), {8, 5, hex(0xe8d0f0), hex(0xe04a8a), hex(0xffe070), Roof::Spire, 6, 1, 50, true, true, true}); };
  r["GFX/FY_castle01.png"] = [=] { return castle(H(2.5), 40, 30, hex(0xe8e0f4), hex(0x6a4ac8), true); };
  r["GFX/FY_castle02.png"] = [=] { return castle(H(2), 30, 24, hex(0xd0c8e8), hex(0xc84a8a), true); };
  r["GFX/IC_bermuda.png"] = [=] {
    double ppm = H(2);
    int w = static_cast<int>(30 * ppm), h = static_cast<int>(34 * ppm);
    Pic p(w, h);
    cairo_t* cr = p.cr;
    cairo_move_to(cr, 0, h);
    cairo_curve_to(cr, w * 0.25, h * 0.6, w * 0.2, h * 0.3, w * 0.15, 0);
    cairo_line_to(cr, w * 0.85, 0);
    cairo_curve_to(cr, w * 0.8, h * 0.3, w * 0.75, h * 0.6, w, h);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, w, 0);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.85, 0.83, 0.8);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.45, 0.44, 0.42);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    for (int i = 0; i < 5; ++i) {
      ellipse(cr, w * (0.4 + 0.06 * i), -h * 0.02 - i * 4, w * (0.15 + 0.03 * i), h * 0.06);
      set(cr, {0.92, 0.92, 0.93});
      cairo_fill(cr);
    }
    return p;
  };
  r["GFX/IC_factory01.png"] = [=] { return house(H(2), {36, 14, hex(0x8a5a44), hex(0x5a5a60), hex(0x4a5a60), Roof::Flat, 0, 3, 60, true, true}); };
  r["GFX/IC_factory02.png"] = [=] {
    double ppm = H(2);
    Pic hall = house(ppm, {30, 10, hex(0x9a9a90), hex(0x6a6a70), hex(0x4a5a60), Roof::Gable, 4, 2, 61, true});
    Pic p(hall.w, static_cast<int>(hall.h + 14 * ppm));
    cairo_set_source_surface(p.cr, hall.surface, 0, p.h - hall.h);
    cairo_paint(p.cr);
    for (int i = 0; i < 2; ++i) {
      double x = p.w * (0.62 + 0.15 * i);
      fill_rect(p.cr, x, 0, 2.2 * ppm, p.h - hall.h * 0.5, hex(0x8a4a3a));
      for (double y = 4; y < p.h * 0.5; y += 5 * ppm) fill_rect(p.cr, x, y, 2.2 * ppm, ppm * 0.6, {0.95, 0.95, 0.95});
    }
    return p;
  };
  r["GFX/IC_bergbau.png"] = [=] {
    double ppm = H(2);
    int w = static_cast<int>(20 * ppm), h = static_cast<int>(34 * ppm);
    Pic p(w, h);
    cairo_t* cr = p.cr;
    RGB steel = hex(0x7a3a2a);
    double lw = std::max(1.5, ppm * 0.6);
    line(cr, w * 0.15, h, w * 0.45, h * 0.08, lw, steel);
    line(cr, w * 0.75, h, w * 0.55, h * 0.08, lw, steel);
    line(cr, w * 0.95, h, w * 0.52, h * 0.15, lw, steel);
    for (int i = 1; i < 8; ++i) {
      double t = i / 8.0;
      line(cr, w * (0.15 + 0.3 * t), h * (1 - 0.92 * t), w * (0.75 - 0.2 * t), h * (1 - 0.92 * t), lw * 0.6, steel);
    }
    for (double x : {0.4, 0.6}) {
      ellipse(cr, w * x, h * 0.07, w * 0.1, w * 0.1);
      cairo_set_line_width(cr, lw);
      set(cr, hex(0x3a3a3a));
      cairo_stroke(cr);
    }
    fill_rect(cr, 0, h * 0.7, w * 0.5, h * 0.3, hex(0x8a5a44));
    return p;
  };
  r["GFX/IC_gas_station2.png"] = [=] { return restaurant(H(1), hex(0xf0f0f0), hex(0xd89a10), Pictogram::Drop, 62); };
  r["GFX/IC_gas_station1.png"] = [=] { return restaurant(H(1), hex(0xe8e8e8), hex(0x1e7a3a), Pictogram::Drop, 63); };
  r["GFX/swiss_house01.png"] = [=] { return house(H(2), {11, 6, hex(0x8a5a34), hex(0x5a3a2a), glass, Roof::Gable, 4, 2, 70, true, false, true, true}); };
  r["GFX/swiss_house03.png"] = [=] { return house(H(2), {9, 5, hex(0xf4ecd8), hex(0x6a4a34), glass, Roof::Gable, 3.5, 2, 71, true, false, false, true, true}); };
  r["GFX/swiss_hotel.png"] = [=] { return house(H(2), {24, 16, hex(0xf0e8d8), hex(0x5a3a2a), glass, Roof::Hip, 5, 5, 72, true, false, true, true}); };
}

}  // namespace art
