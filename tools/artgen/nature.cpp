// Plants, rocks and the ground textures of the grass bands.
#include <cmath>

#include "cars.h"
#include "draw.h"
#include "nature.h"

namespace art {

namespace {

// Clumps of foliage: overlapping blobs shaded from a light top-left to a dark bottom.
void foliage(cairo_t* cr, double cx, double cy, double rx, double ry, RGB c, int seed, int blobs, RGB snow = {},
             bool snowy = false) {
  Rng rng(seed);
  for (int pass = 0; pass < 3; ++pass)
    for (int i = 0; i < blobs; ++i) {
      double a = rng.uniform(0, 2 * M_PI), d = std::sqrt(rng.uniform());
      double x = cx + std::cos(a) * rx * d * 0.75, y = cy + std::sin(a) * ry * d * 0.75;
      double r = (rx + ry) * 0.5 * rng.uniform(0.22, 0.38) * (1 - pass * 0.25);
      double light = pass == 0 ? 0.65 : pass == 1 ? 0.9 : 1.15;
      light += (cy - y) / (ry * 4) - (x - cx) / (rx * 6);
      ellipse(cr, x - pass * r * 0.15, y - pass * r * 0.2, r, r * 0.9);
      set(cr, shade(c, light));
      cairo_fill(cr);
      if (snowy && pass == 2 && y < cy) {
        ellipse(cr, x - r * 0.2, y - r * 0.45, r * 0.75, r * 0.4);
        set(cr, snow);
        cairo_fill(cr);
      }
    }
}

void trunk(cairo_t* cr, double x, double bottom, double top, double w0, double w1, RGB c) {
  polygon(cr, {x - w0 / 2, bottom, x + w0 / 2, bottom, x + w1 / 2, top, x - w1 / 2, top});
  cairo_pattern_t* g = cairo_pattern_create_linear(x - w0 / 2, 0, x + w0 / 2, 0);
  cairo_pattern_add_color_stop_rgb(g, 0, c.r * 1.2, c.g * 1.2, c.b * 1.2);
  cairo_pattern_add_color_stop_rgb(g, 1, c.r * 0.6, c.g * 0.6, c.b * 0.6);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

}  // namespace

Pic tree_round(double ppm, double height_m, RGB leaves, RGB bark, int seed, bool snowy) {
  int h = static_cast<int>(height_m * ppm), w = static_cast<int>(height_m * 0.7 * ppm);
  Pic p(w, h);
  double cx = w / 2.0;
  trunk(p.cr, cx, h, h * 0.35, w * 0.09, w * 0.05, bark);
  foliage(p.cr, cx, h * 0.38, w * 0.45, h * 0.33, leaves, seed, 26, {0.97, 0.98, 1.0}, snowy);
  return p;
}

namespace {
void branch(cairo_t* cr, Rng& rng, double x, double y, double angle, double len, double width, int depth, RGB bark,
            bool snowy) {
  double ex = x + std::sin(angle) * len, ey = y - std::cos(angle) * len;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  line(cr, x, y, ex, ey, width, bark);
  if (snowy && depth < 4 && width > 1.5)
    line(cr, x - width * 0.25, y - width * 0.2, ex - width * 0.25, ey - width * 0.2, width * 0.3, {0.96, 0.97, 1.0});
  if (depth == 0) {
    if (snowy) {
      ellipse(cr, ex, ey, width * 2.2, width * 1.4);
      set(cr, {0.96, 0.97, 1.0});
      cairo_fill(cr);
    }
    return;
  }
  for (int i = 0; i < 3; ++i) {
    double a = angle + (i - 1) * 0.55 + rng.uniform(-0.2, 0.2);
    branch(cr, rng, ex, ey, a, len * rng.uniform(0.62, 0.76), width * 0.62, depth - 1, bark, snowy);
  }
}
}  // namespace

// A leafless tree, its twigs white with snow.
Pic tree_bare(double ppm, double height_m, RGB bark, int seed, bool snowy) {
  int h = static_cast<int>(height_m * ppm), w = static_cast<int>(height_m * 0.95 * ppm);
  Pic p(w, h);
  Rng rng(seed);
  branch(p.cr, rng, w / 2.0, h, 0, h * 0.3, std::max(2.0, w * 0.08), 5, bark, snowy);
  return p;
}

Pic tree_conifer(double ppm, double height_m, RGB needles, int seed, bool snowy) {
  int h = static_cast<int>(height_m * ppm), w = static_cast<int>(height_m * 0.45 * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  double cx = w / 2.0;
  trunk(cr, cx, h, h * 0.8, w * 0.08, w * 0.06, hex(0x4a3020));
  Rng rng(seed);
  const int tiers = 6;
  for (int i = 0; i < tiers; ++i) {
    double t = i / double(tiers - 1);
    double top = h * (0.02 + t * 0.66), bottom = top + h * 0.26, half = w * (0.16 + 0.34 * t);
    polygon(cr, {cx, top, cx + half, bottom, cx + half * 0.4, bottom - h * 0.03, cx, bottom + h * 0.01,
                 cx - half * 0.5, bottom - h * 0.02, cx - half, bottom});
    set(cr, shade(needles, 0.8 + 0.25 * rng.uniform()));
    cairo_fill(cr);
    polygon(cr, {cx, top, cx + half, bottom, cx + half * 0.2, bottom - h * 0.02});
    set(cr, shade(needles, 0.62));
    cairo_fill(cr);
    if (snowy) {
      polygon(cr, {cx, top, cx - half * 0.95, bottom - h * 0.01, cx - half * 0.3, bottom - h * 0.05, cx,
                   top + (bottom - top) * 0.55});
      set(cr, {0.95, 0.97, 1.0});
      cairo_fill(cr);
    }
  }
  return p;
}

Pic palm(double ppm, double height_m, RGB fronds, int seed) {
  int h = static_cast<int>(height_m * ppm), w = static_cast<int>(height_m * 0.6 * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  Rng rng(seed);
  double lean = w * rng.uniform(0.05, 0.15) * (seed % 2 ? 1 : -1);
  double tx = w / 2.0 + lean, ty = h * 0.2;
  // Ringed trunk curving up to the crown.
  for (int i = 0; i < 40; ++i) {
    double t = i / 40.0, t2 = (i + 1) / 40.0;
    auto px = [&](double u) { return w / 2.0 + lean * u * u; };
    double y0 = h - t * (h - ty), y1 = h - t2 * (h - ty);
    double wid = w * (0.075 - 0.03 * t);
    polygon(cr, {px(t) - wid / 2, y0, px(t) + wid / 2, y0, px(t2) + wid / 2, y1, px(t2) - wid / 2, y1});
    set(cr, shade(hex(0x8a6a48), i % 2 ? 0.85 : 1.05));
    cairo_fill(cr);
  }
  // Fronds hanging from the crown.
  for (int k = 0; k < 11; ++k) {
    double a = -M_PI + k * M_PI / 10 + rng.uniform(-0.1, 0.1);
    double len = w * rng.uniform(0.42, 0.5);
    double ex = tx + std::cos(a) * len, ey = ty + std::sin(a) * len * 0.5 + len * 0.35;
    double mx = tx + std::cos(a) * len * 0.5, my = ty - len * 0.18 + std::sin(a) * len * 0.2;
    cairo_move_to(cr, tx, ty);
    cairo_curve_to(cr, mx, my - len * 0.1, ex, ey - len * 0.25, ex, ey);
    cairo_curve_to(cr, ex - std::cos(a) * len * 0.1, ey - len * 0.3, mx, my + len * 0.05, tx, ty + len * 0.05);
    set(cr, shade(fronds, 0.75 + 0.35 * (k % 3) / 2.0));
    cairo_fill(cr);
  }
  ellipse(cr, tx, ty + 4, w * 0.05, w * 0.04);
  set(cr, hex(0x5a4020));
  cairo_fill(cr);
  return p;
}

Pic cactus(double ppm, double height_m) {
  int h = static_cast<int>(height_m * ppm), w = static_cast<int>(height_m * 0.7 * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  RGB c = hex(0x3f8a3a);
  double cx = w / 2.0, tw = w * 0.2;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  auto arm = [&](double x0, double y0, double x1, double y1, double width) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_width(cr, width);
    set(cr, c);
    cairo_stroke(cr);
  };
  arm(cx, h * 0.55, cx - w * 0.32, h * 0.25, tw * 0.8);
  arm(cx, h * 0.45, cx + w * 0.32, h * 0.15, tw * 0.8);
  line(cr, cx, h - tw / 2, cx, tw / 2, tw, c);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  for (double dx : {-0.25, 0.0, 0.25}) line(cr, cx + dx * tw, h * 0.98, cx + dx * tw, tw * 0.6, 1.5, shade(c, 0.6));
  return p;
}

Pic bush(double ppm, double width_m, double height_m, RGB leaves, int seed, bool snowy, RGB flowers,
         bool has_flowers) {
  int w = static_cast<int>(width_m * ppm), h = static_cast<int>(height_m * ppm);
  Pic p(w, h);
  foliage(p.cr, w / 2.0, h * 0.58, w * 0.48, h * 0.42, leaves, seed, 22, {0.97, 0.98, 1.0}, snowy);
  if (has_flowers) {
    Rng rng(seed + 1);
    for (int i = 0; i < 30; ++i) {
      double a = rng.uniform(0, 2 * M_PI), d = std::sqrt(rng.uniform()) * 0.8;
      ellipse(p.cr, w / 2.0 + std::cos(a) * w * 0.4 * d, h * 0.55 + std::sin(a) * h * 0.35 * d, w * 0.025,
              w * 0.025);
      set(p.cr, flowers);
      cairo_fill(p.cr);
    }
  }
  return p;
}

Pic rock(double ppm, double width_m, double height_m, RGB c, int seed) {
  int w = static_cast<int>(width_m * ppm), h = static_cast<int>(height_m * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  Rng rng(seed);
  const int n = 11;
  cairo_new_path(cr);
  for (int i = 0; i <= n; ++i) {
    double a = M_PI + i * M_PI / n;
    double r = rng.uniform(0.8, 1.0);
    cairo_line_to(cr, w / 2.0 + std::cos(a) * w * 0.49 * r, h + std::sin(a) * h * 0.97 * r);
  }
  cairo_close_path(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, w, h);
  cairo_pattern_add_color_stop_rgb(g, 0, c.r * 1.25, c.g * 1.25, c.b * 1.25);
  cairo_pattern_add_color_stop_rgb(g, 1, c.r * 0.55, c.g * 0.55, c.b * 0.55);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  set(cr, shade(c, 0.4));
  cairo_set_line_width(cr, std::max(1.0, w / 80.0));
  cairo_stroke(cr);
  for (int i = 0; i < 4; ++i) {
    double x = rng.uniform(0.25, 0.75) * w, y = rng.uniform(0.4, 0.85) * h;
    line(cr, x, y, x + rng.uniform(-0.15, 0.15) * w, y + rng.uniform(0.05, 0.15) * h, std::max(1.0, w / 100.0),
         shade(c, 0.5));
  }
  grain(p, 0, 0, w, h, 14, seed);
  return p;
}

// A ground texture for the grass bands beside the road: opaque, tiles downwards.
Pic ground(RGB base, RGB detail, int seed, double detail_share, int kind) {
  const int w = 256, h = 256;
  Pic p(w, h);
  uint32_t* d = p.data();
  int stride = p.stride_words();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double n = fbm_tiled(x / 16.0, y / 16.0, w / 16.0, seed, 4);
      double fine = hash01(x, y, seed + 5);
      RGB c = shade(base, 0.8 + 0.4 * n);
      if (fine < detail_share) c = detail;
      if (kind == 1) {  // cobbles
        double cx = std::fmod(x + (y / 16 % 2) * 8, 16.0), cy = std::fmod(y, 16.0);
        if (cx < 1.5 || cy < 1.5) c = shade(base, 0.5);
      } else if (kind == 2) {  // sand with ripples
        c = shade(c, 0.95 + 0.08 * std::sin(y * 0.35 + 3 * n));
      } else if (kind == 3) {  // gravel and cinders
        if (fine > 0.7) c = shade(detail, 0.6 + fine * 0.4);
      }
      auto b = [](double v) { return static_cast<uint32_t>(std::clamp(v, 0.0, 1.0) * 255 + 0.5); };
      d[y * stride + x] = 0xFF000000u | (b(c.r) << 16) | (b(c.g) << 8) | b(c.b);
    }
  cairo_surface_mark_dirty(p.surface);
  return p;
}

void register_nature(Registry& r) {
  const double o1 = object_ppm(1.0);
  RGB green = hex(0x3f7a2a), dark = hex(0x2a5a24), snow = {0.96, 0.97, 1.0};
  // Florida
  r["GFX/rock.png"] = [] { return rock(object_ppm(2.0), 1.8, 1.2, hex(0x9a9080), 1); };
  r["GFX/Palm_Tree_01.png"] = [o1] { return palm(o1, 11, hex(0x3a8a2a), 2); };
  r["GFX/Bush_Hazelnut.png"] = [o1, green] { return bush(o1, 2.6, 2.0, green, 3, false, {}, false); };
  r["GFX/grass_side_r.png"] = [] { return ground(hex(0xc88c3a), hex(0xe0b060), 4, 0.05, 0); };
  // Bavaria
  r["GFX/Immergruen_Snow.png"] = [o1] { return tree_conifer(o1, 10, hex(0x24502e), 5, true); };
  r["GFX/Tree09_Snow.png"] = [o1] { return tree_bare(o1, 9, hex(0x4a3a30), 6, true); };
  r["GFX/Tree08.png"] = [o1] { return tree_conifer(o1, 12, hex(0x2a5a34), 7, false); };
  r["GFX/snow_treegroup.png"] = [o1] {
    Pic a = tree_conifer(o1, 9, hex(0x24502e), 8, true);
    Pic p(a.w * 2, a.h);
    for (int i = 0; i < 3; ++i) {
      Pic t = tree_conifer(o1, 7 + i, hex(0x24502e), 9 + i, true);
      cairo_set_source_surface(p.cr, t.surface, i * a.w * 0.5, p.h - t.h);
      cairo_paint(p.cr);
    }
    return p;
  };
  r["GFX/Bush_Hazelnut_Snow.png"] = [o1, green] { return bush(o1, 2.6, 2.0, green, 10, true, {}, false); };
  // Hong Kong
  r["GFX/Tree_Herbst01.png"] = [o1] { return tree_round(o1, 9, hex(0xd06a20), hex(0x4a3020), 11, false); };
  r["GFX/Bush_Red.png"] = [o1] { return bush(o1, 2.4, 1.8, hex(0xa02a20), 12, false, {}, false); };
  // Cairo
  r["GFX/desert_cactus.png"] = [o1] { return cactus(o1, 4.5); };
  r["GFX/desert_bush.png"] = [o1] { return bush(o1, 2.0, 1.2, hex(0x8a8a4a), 13, false, {}, false); };
  r["GFX/desert_rock.png"] = [o1] { return rock(o1, 3.0, 1.8, hex(0xc09a60), 14); };
  r["GFX/desert_tree.png"] = [] { return palm(object_ppm(1.5), 8, hex(0x5a8a30), 15); };
  // Spain
  r["GFX/spain_tree.png"] = [o1] { return tree_round(o1, 7, hex(0x5a7a3a), hex(0x5a4030), 16, false); };
  r["GFX/spain_palm.png"] = [o1] { return palm(o1, 10, hex(0x4a8a2a), 17); };
  r["GFX/spain_bush.png"] = [o1] { return bush(o1, 2.2, 1.5, hex(0x6a7a3a), 18, false, {}, false); };
  // Russia
  r["GFX/russia_bush1.png"] = [o1, dark] { return bush(o1, 2.4, 1.8, dark, 19, false, {}, false); };
  r["GFX/russia_tree04.png"] = [o1] { return tree_conifer(o1, 13, hex(0x1f4a2a), 20, false); };
  r["GFX/russia_tree02.png"] = [o1] { return tree_round(o1, 11, hex(0x7a9a3a), hex(0xe8e4dc), 21, false); };
  r["GFX/russia_tree03.png"] = [o1] { return tree_conifer(o1, 10, hex(0x2a5030), 22, false); };
  // Great Britain
  r["GFX/uk_bush2.png"] = [o1] { return bush(o1, 2.4, 1.6, hex(0x3a6a2a), 23, false, {}, false); };
  r["GFX/uk_tree.png"] = [o1] { return tree_round(o1, 11, hex(0x3a6a2a), hex(0x4a3a2a), 24, false); };
  r["GFX/uk_side_r.png"] = [] { return ground(hex(0x8a8a88), hex(0x6a6a68), 25, 0.02, 1); };
  // Hungary
  r["GFX/grass_side_green.png"] = [] { return ground(hex(0x5a9a3a), hex(0xe8e070), 26, 0.01, 0); };
  r["GFX/HU_Tree.png"] = [o1] { return tree_round(o1, 10, hex(0x4a8a30), hex(0x5a4030), 27, false); };
  r["GFX/HU_Tree_Cherry.png"] = [] {
    return tree_round(object_ppm(0.7), 6, hex(0xf0a8c8), hex(0x5a3a2a), 28, false);
  };
  r["GFX/HU_Reeds.png"] = [o1] {
    Pic p(static_cast<int>(2.5 * o1), static_cast<int>(2.2 * o1));
    Rng rng(29);
    for (int i = 0; i < 40; ++i) {
      double x = rng.uniform(0.05, 0.95) * p.w, top = rng.uniform(0.05, 0.5) * p.h;
      line(p.cr, x, p.h, x + rng.uniform(-8, 8), top, 2.5, shade(hex(0x8a9a4a), rng.uniform(0.7, 1.2)));
      ellipse(p.cr, x + rng.uniform(-4, 4), top + 6, 2.5, 7);
      set(p.cr, hex(0x6a4a2a));
      cairo_fill(p.cr);
    }
    return p;
  };
  // Fantasy
  r["GFX/FY_bush01.png"] = [o1] { return bush(o1, 2.4, 1.8, hex(0x4ab8a0), 30, false, hex(0xffe040), true); };
  r["GFX/FY_tree_l.png"] = [] { return tree_round(object_ppm(1.5), 12, hex(0x9a40c0), hex(0x4a2a5a), 31, false); };
  r["GFX/FY_wald.png"] = [] {
    double ppm = object_ppm(1.5);
    Pic p(static_cast<int>(16 * ppm), static_cast<int>(12 * ppm));
    for (int i = 0; i < 5; ++i) {
      Pic t = tree_round(ppm, 8 + (i % 3) * 2, i % 2 ? hex(0x4a9a60) : hex(0x6a4ab0), hex(0x3a2a4a), 32 + i, false);
      cairo_set_source_surface(p.cr, t.surface, i * p.w * 0.17, p.h - t.h);
      cairo_paint(p.cr);
    }
    return p;
  };
  r["GFX/FY_stone01.png"] = [] { return rock(object_ppm(1.5), 2.2, 1.6, hex(0x8a70b0), 37); };
  // Industry City
  r["GFX/IC_tree3.png"] = [o1] { return bush(o1, 2.4, 2.0, hex(0x5a6a3a), 38, false, {}, false); };
  r["GFX/IC_tree2.png"] = [o1] { return tree_round(o1, 9, hex(0x5a6a3a), hex(0x3a3028), 39, false); };
  r["GFX/IC_side.png"] = [] { return ground(hex(0x5a5450), hex(0x2a2624), 40, 0.04, 3); };
  // Bahamas
  r["GFX/BS_palm2.png"] = [o1] { return palm(o1, 12, hex(0x2a9a3a), 41); };
  r["GFX/BS_palm1.png"] = [o1] { return palm(o1, 9, hex(0x3aaa2a), 42); };
  r["GFX/BS_side.png"] = [] { return ground(hex(0xf0dca0), hex(0xfff4d0), 43, 0.03, 2); };
  // Swisserland
  r["GFX/swiss_side.png"] = [] { return ground(hex(0x6aaa3a), hex(0xffffff), 44, 0.01, 0); };
  r["GFX/swiss_rock1.png"] = [o1] { return rock(o1, 4.0, 3.0, hex(0x8a8a90), 45); };
  r["GFX/Immergruen_01.png"] = [o1] { return tree_conifer(o1, 11, hex(0x24502e), 46, false); };
  (void)snow;
}

}  // namespace art
