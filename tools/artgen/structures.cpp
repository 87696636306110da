// Things built on and beside the road: gates and banners across it, billboards,
// posts, lamps and signs, bridges and portals, machines, ships and the seaplane.
#include <cmath>

#include "cars.h"
#include "draw.h"

namespace art {

namespace {

void steel_post(cairo_t* cr, double x, double y0, double y1, double w, RGB c) {
  cairo_rectangle(cr, x - w / 2, y0, w, y1 - y0);
  cairo_pattern_t* g = cairo_pattern_create_linear(x - w / 2, 0, x + w / 2, 0);
  cairo_pattern_add_color_stop_rgb(g, 0, c.r * 0.7, c.g * 0.7, c.b * 0.7);
  cairo_pattern_add_color_stop_rgb(g, 0.35, std::min(1.0, c.r * 1.3), std::min(1.0, c.g * 1.3),
                                   std::min(1.0, c.b * 1.3));
  cairo_pattern_add_color_stop_rgb(g, 1, c.r * 0.5, c.g * 0.5, c.b * 0.5);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

void fit_text(cairo_t* cr, Face f, double cx, double cy, double max_w, double max_h, const std::string& s, RGB fill,
              RGB outline, double outline_w) {
  double size = max_h;
  while (size > 4 && text_width(cr, f, size, s) > max_w) size -= 1;
  text_outlined(cr, f, size, cx, cy + size * 0.36, s, fill, outline, outline_w, Align::Centre);
}

void checker(cairo_t* cr, double x, double y, double w, double h, double cell) {
  for (int j = 0; j * cell < h; ++j)
    for (int i = 0; i * cell < w; ++i)
      fill_rect(cr, x + i * cell, y + j * cell, std::min(cell, w - i * cell), std::min(cell, h - j * cell),
                (i + j) % 2 ? RGB{0.08, 0.08, 0.08} : RGB{0.96, 0.96, 0.96});
}

// An arch across the road: two posts and a panel. Sizes in metres.
Pic overhead(double ppm, double span_m, double height_m, double panel_m, RGB post, RGB panel,
             const std::function<void(cairo_t*, double, double, double, double)>& decorate) {
  int w = static_cast<int>(span_m * ppm), h = static_cast<int>(height_m * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  double pw = std::max(4.0, 0.6 * ppm), ph = panel_m * ppm;
  steel_post(cr, pw / 2 + 1, 0, h, pw, post);
  steel_post(cr, w - pw / 2 - 1, 0, h, pw, post);
  double x0 = pw, y0 = 1, pwid = w - 2 * pw;
  rounded_rect(cr, x0, y0, pwid, ph, ph * 0.08);
  set(cr, panel);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, std::max(2.0, ppm * 0.15));
  set(cr, shade(panel, 0.5));
  cairo_stroke(cr);
  decorate(cr, x0, y0, pwid, ph);
  return p;
}

Pic banner(double ppm, const char* word, RGB panel, RGB ink) {
  return overhead(ppm, 24, 6.8, 2.2, hex(0x8a8e96), panel, [=](cairo_t* cr, double x, double y, double w, double h) {
    if (*word) {
      fit_text(cr, Face::Banner, x + w / 2, y + h / 2, w * 0.8, h * 0.8, word, ink, shade(panel, 0.4), 2);
    } else {
      checker(cr, x + 4, y + 4, w - 8, h - 8, (h - 8) / 4);
    }
  });
}

Pic gate(double ppm, const char* word, bool finish) {
  return overhead(ppm, 17, 7.5, 2.0, hex(0xd0d4da), finish ? RGB{0.95, 0.95, 0.95} : hex(0x1e5ac8),
                  [=](cairo_t* cr, double x, double y, double w, double h) {
                    if (finish) {
                      checker(cr, x + 3, y + 3, w * 0.2, h - 6, (h - 6) / 3);
                      checker(cr, x + w * 0.8 - 3, y + 3, w * 0.2, h - 6, (h - 6) / 3);
                    }
                    fit_text(cr, Face::Banner, x + w / 2, y + h / 2, w * (finish ? 0.55 : 0.85), h * 0.8, word,
                             finish ? RGB{0.85, 0.1, 0.1} : RGB{1, 1, 1}, {0.05, 0.05, 0.1}, 2);
                  });
}

Pic start_frame(double ppm, bool xmas) {
  Pic p = overhead(ppm, 24, 8, 1.6, xmas ? hex(0xc8c8d0) : hex(0xe8b020), xmas ? hex(0x1e6a3a) : hex(0x202024),
                   [=](cairo_t* cr, double x, double y, double w, double h) {
                     // Start lights.
                     for (int i = 0; i < 5; ++i) {
                       double cx = x + w / 2 + (i - 2) * h * 0.9;
                       ellipse(cr, cx, y + h / 2, h * 0.32, h * 0.32);
                       set(cr, i < 3 ? RGB{0.9, 0.1, 0.1} : RGB{0.15, 0.9, 0.2});
                       cairo_fill(cr);
                     }
                     fit_text(cr, Face::Banner, x + w * 0.17, y + h / 2, w * 0.25, h * 0.7, "START", {1, 1, 1},
                              {0, 0, 0}, 1.5);
                     fit_text(cr, Face::Banner, x + w * 0.83, y + h / 2, w * 0.25, h * 0.7, "START", {1, 1, 1},
                              {0, 0, 0}, 1.5);
                   });
  if (xmas) {
    Rng rng(5);
    for (int i = 0; i < 40; ++i) {
      double x = rng.uniform(0, p.w), y = rng.uniform(1.6 * ppm, 2.0 * ppm);
      ellipse(p.cr, x, y, ppm * 0.15, ppm * 0.15);
      set(p.cr, i % 3 == 0 ? RGB{1, 0.2, 0.2} : i % 3 == 1 ? RGB{1, 0.85, 0.2} : RGB{0.3, 0.6, 1});
      cairo_fill(p.cr);
    }
  }
  return p;
}

// Roadside billboard on two legs.
Pic billboard(double ppm, double w_m, double h_m, double legs_m, RGB panel,
              const std::function<void(cairo_t*, double, double, double, double)>& art) {
  int w = static_cast<int>(w_m * ppm), h = static_cast<int>((h_m + legs_m) * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  for (double x : {0.25, 0.75}) steel_post(cr, w * x, h - legs_m * ppm - 2, h, std::max(3.0, 0.35 * ppm), hex(0x6a6a70));
  fill_rect(cr, 0, 0, w, h_m * ppm, shade(panel, 0.5));
  fill_rect(cr, 3, 3, w - 6, h_m * ppm - 6, panel);
  art(cr, 3, 3, w - 6, h_m * ppm - 6);
  return p;
}

Pic post(double ppm, double h_m, RGB c, bool reflector) {
  int w = std::max(6, static_cast<int>(0.3 * ppm)), h = static_cast<int>(h_m * ppm);
  Pic p(w, h);
  // Rounded cap, straight shaft.
  fill_rect(p.cr, 0, w / 2.0, w, h - w / 2.0, c);
  ellipse(p.cr, w / 2.0, w / 2.0, w / 2.0, w / 2.0);
  set(p.cr, {0.1, 0.1, 0.1});
  cairo_fill(p.cr);
  fill_rect(p.cr, 0, w / 2.0, w, h * 0.15 - w / 2.0, {0.1, 0.1, 0.1});
  hgradient(p.cr, 0, h * 0.15, w, h * 0.85, shade(c, 1.05), shade(c, 0.7));
  if (reflector) fill_rect(p.cr, w * 0.2, h * 0.04, w * 0.6, h * 0.08, {1.0, 0.55, 0.1});
  return p;
}

// A lamp post whose arm reaches over the road to the left.
Pic lamp(double ppm, double h_m, RGB c, int style) {
  int w = static_cast<int>(3.4 * ppm), h = static_cast<int>(h_m * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  double px = w - 0.3 * ppm, lw = std::max(2.5, 0.25 * ppm);
  steel_post(cr, px, 0.3 * ppm, h, lw, c);
  if (style == 0) {
    cairo_move_to(cr, px, 0.6 * ppm);
    cairo_curve_to(cr, px, 0.1 * ppm, px - ppm, 0.1 * ppm, 0.6 * ppm, 0.25 * ppm);
    cairo_set_line_width(cr, lw * 0.7);
    set(cr, c);
    cairo_stroke(cr);
    ellipse(cr, 0.6 * ppm, 0.35 * ppm, 0.5 * ppm, 0.18 * ppm);
    set(cr, hex(0xfff2b0));
    cairo_fill(cr);
  } else {
    // Lantern on top.
    polygon(cr, {px - 0.35 * ppm, 0.2 * ppm, px + 0.35 * ppm, 0.2 * ppm, px + 0.25 * ppm, 1.0 * ppm,
                 px - 0.25 * ppm, 1.0 * ppm});
    set(cr, style == 2 ? hex(0xff9ae8) : hex(0xffe89a));
    cairo_fill(cr);
    polygon(cr, {px - 0.45 * ppm, 0.25 * ppm, px, 0, px + 0.45 * ppm, 0.25 * ppm});
    set(cr, c);
    cairo_fill(cr);
  }
  return p;
}

Pic sign(double ppm, double w_m, double h_m, double pole_m, RGB face, const std::function<void(cairo_t*, double, double)>& draw) {
  int w = static_cast<int>(w_m * ppm), h = static_cast<int>((h_m + pole_m) * ppm);
  Pic p(w, h);
  steel_post(p.cr, w / 2.0, h_m * ppm * 0.5, h, std::max(3.0, 0.12 * ppm), hex(0x9a9aa0));
  rounded_rect(p.cr, 1, 1, w - 2, h_m * ppm - 2, ppm * 0.08);
  set(p.cr, face);
  cairo_fill(p.cr);
  draw(p.cr, w, h_m * ppm);
  return p;
}

Pic ship(double ppm, double l_m, bool sail) {
  int w = static_cast<int>(l_m * ppm), h = static_cast<int>(l_m * 0.6 * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  double deck = h * 0.7;
  polygon(cr, {0, deck, double(w), deck, w * 0.88, double(h), w * 0.1, double(h)});
  fill_outline(cr, sail ? hex(0x8a5a34) : hex(0xf0f0f0), 1.5, 0.6);
  fill_rect(cr, w * 0.08, deck + h * 0.08, w * 0.84, h * 0.04, sail ? hex(0xf0e0b0) : hex(0x1e4a8a));
  if (sail) {
    line(cr, w * 0.5, deck, w * 0.5, 2, std::max(2.0, ppm * 0.2), hex(0x4a3020));
    polygon(cr, {w * 0.52, 4.0, w * 0.52, deck - h * 0.05, w * 0.9, deck - h * 0.05});
    fill_outline(cr, hex(0xf8f4e8), 1, 0.7);
    polygon(cr, {w * 0.48, 8.0, w * 0.48, deck - h * 0.05, w * 0.15, deck - h * 0.05});
    fill_outline(cr, hex(0xf0ece0), 1, 0.7);
  } else {
    fill_rect(cr, w * 0.3, deck - h * 0.25, w * 0.4, h * 0.25, hex(0xf8f8f8));
    for (double x = w * 0.33; x < w * 0.66; x += w * 0.06) fill_rect(cr, x, deck - h * 0.19, w * 0.03, h * 0.07, hex(0x3a5a7a));
    fill_rect(cr, w * 0.45, deck - h * 0.45, w * 0.08, h * 0.2, hex(0xc82a2a));
  }
  return p;
}

Pic tank(double ppm) {
  int w = static_cast<int>(8 * ppm), h = static_cast<int>(3.6 * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  RGB olive = hex(0x5a6a3a);
  rounded_rect(cr, 0, h * 0.55, w, h * 0.45, h * 0.2);
  fill_outline(cr, hex(0x3a3a30), 1.5, 0.6);
  for (int i = 0; i < 6; ++i) {
    ellipse(cr, w * (0.12 + i * 0.152), h * 0.8, h * 0.13, h * 0.13);
    fill_outline(cr, hex(0x5a5a50), 1, 0.5);
  }
  polygon(cr, {w * 0.05, h * 0.58, w * 0.95, h * 0.58, w * 0.88, h * 0.42, w * 0.1, h * 0.42});
  fill_outline(cr, olive, 1.5, 0.6);
  polygon(cr, {w * 0.3, h * 0.42, w * 0.35, h * 0.15, w * 0.62, h * 0.15, w * 0.68, h * 0.42});
  fill_outline(cr, shade(olive, 1.1), 1.5, 0.6);
  fill_rect(cr, w * 0.62, h * 0.22, w * 0.38, h * 0.07, shade(olive, 0.8));
  ellipse(cr, w * 0.47, h * 0.28, w * 0.03, w * 0.03);
  set(cr, {0.85, 0.1, 0.1});
  cairo_fill(cr);
  return p;
}

Pic machine(double ppm, int kind) {
  // 0 excavator, 1 wheel loader, 2 crane
  int w = static_cast<int>((kind == 2 ? 16 : 9) * ppm), h = static_cast<int>((kind == 2 ? 28 : 5) * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  RGB yellow = hex(0xf0b810);
  double lw = std::max(2.0, 0.35 * ppm);
  if (kind == 2) {
    double mx = w * 0.25;
    for (int i = 0; i < 14; ++i) {
      double y0 = h - (i + 1) * h * 0.065, y1 = h - i * h * 0.065;
      line(cr, mx - ppm * 0.6, y1, mx + ppm * 0.6, y0, lw * 0.5, yellow);
      line(cr, mx + ppm * 0.6, y1, mx - ppm * 0.6, y0, lw * 0.5, yellow);
    }
    line(cr, mx - ppm * 0.6, h, mx - ppm * 0.6, h * 0.08, lw * 0.6, yellow);
    line(cr, mx + ppm * 0.6, h, mx + ppm * 0.6, h * 0.08, lw * 0.6, yellow);
    line(cr, 0, h * 0.1, w, h * 0.1, lw, yellow);
    line(cr, mx, h * 0.02, w * 0.95, h * 0.1, lw * 0.4, hex(0x3a3a3a));
    line(cr, w * 0.8, h * 0.1, w * 0.8, h * 0.4, lw * 0.3, hex(0x3a3a3a));
    fill_rect(cr, 0, h * 0.1, w * 0.12, h * 0.06, hex(0x6a6a6a));
    fill_rect(cr, mx - ppm, h * 0.12, ppm * 2, ppm * 1.5, hex(0xd0d0d0));
    return p;
  }
  rounded_rect(cr, 0, h * 0.72, w * 0.7, h * 0.28, h * 0.12);
  fill_outline(cr, hex(0x2a2a2a), 1.5, 1.5);
  fill_rect(cr, w * 0.05, h * 0.42, w * 0.55, h * 0.3, yellow);
  fill_rect(cr, w * 0.3, h * 0.12, w * 0.25, h * 0.32, yellow);
  fill_rect(cr, w * 0.34, h * 0.16, w * 0.17, h * 0.16, hex(0x4a6a8a));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, w * 0.55, h * 0.45);
  if (kind == 0) {
    cairo_line_to(cr, w * 0.8, h * 0.05);
    cairo_line_to(cr, w * 0.95, h * 0.6);
  } else {
    cairo_line_to(cr, w * 0.85, h * 0.55);
  }
  cairo_set_line_width(cr, lw * 1.4);
  set(cr, yellow);
  cairo_stroke(cr);
  polygon(cr, {w * 0.85, h * 0.55, w * 1.0, h * 0.6, w * 0.95, h * 0.85, w * 0.82, h * 0.8});
  fill_outline(cr, hex(0x5a5a5a), 1, 0.6);
  return p;
}

Pic pump(double ppm) {
  int w = static_cast<int>(10 * ppm), h = static_cast<int>(7 * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  double lw = std::max(2.0, 0.35 * ppm);
  fill_rect(cr, 0, h - 0.6 * ppm, w, 0.6 * ppm, hex(0x5a5a5a));
  line(cr, w * 0.35, h, w * 0.5, h * 0.3, lw, hex(0x6a6a70));
  line(cr, w * 0.65, h, w * 0.5, h * 0.3, lw, hex(0x6a6a70));
  polygon(cr, {w * 0.05, h * 0.3, w * 0.12, h * 0.12, w * 0.9, h * 0.22, w * 0.9, h * 0.32});
  fill_outline(cr, hex(0xd8401a), 1.5, 0.6);
  polygon(cr, {w * 0.0, h * 0.1, w * 0.14, h * 0.05, w * 0.14, h * 0.5, w * 0.04, h * 0.45});
  fill_outline(cr, hex(0x3a3a3a), 1, 0.6);
  line(cr, w * 0.05, h * 0.45, w * 0.05, h, lw * 0.4, hex(0x2a2a2a));
  ellipse(cr, w * 0.82, h * 0.62, h * 0.18, h * 0.18);
  fill_outline(cr, hex(0x8a8a8a), 1.5, 0.6);
  return p;
}

Pic wreck(double ppm) {
  int w = static_cast<int>(4.6 * ppm), h = static_cast<int>(1.6 * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  polygon(cr, {0, h * 0.9, w * 0.05, h * 0.45, w * 0.28, h * 0.4, w * 0.4, h * 0.05, w * 0.7, h * 0.1, w * 0.8,
               h * 0.45, w * 1.0, h * 0.55, w * 0.98, h * 0.9});
  fill_outline(cr, hex(0x9a5a34), 1.5, 0.5);
  for (double x : {0.2, 0.78}) {
    ellipse(cr, w * x, h * 0.85, h * 0.18, h * 0.12);
    set(cr, hex(0x2a2a2a));
    cairo_fill(cr);
  }
  fill_rect(cr, w * 0.42, h * 0.15, w * 0.25, h * 0.25, hex(0x2a2420));
  grain(p, 0, 0, w, h, 28, 3);
  return p;
}

Pic bridge(double ppm) {
  int w = static_cast<int>(28 * ppm), h = static_cast<int>(9 * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  RGB concrete = hex(0xa8a49c);
  double deck_y = 0.25 * h, deck_h = 1.6 * ppm;
  for (double x : {0.0, w - 2.2 * ppm}) {
    fill_rect(cr, x, deck_y, 2.2 * ppm, h - deck_y, shade(concrete, 0.85));
    fill_rect(cr, x + 0.3 * ppm, deck_y, 0.5 * ppm, h - deck_y, shade(concrete, 1.1));
  }
  fill_rect(cr, 0, deck_y, w, deck_h, concrete);
  fill_rect(cr, 0, deck_y + deck_h, w, 0.3 * ppm, shade(concrete, 0.6));
  fill_rect(cr, 0, deck_y - 0.9 * ppm, w, 0.2 * ppm, hex(0x4a6a8a));
  for (double x = 0; x < w; x += 1.2 * ppm) fill_rect(cr, x, deck_y - 0.9 * ppm, 0.12 * ppm, 0.9 * ppm, hex(0x4a6a8a));
  fit_text(cr, Face::Banner, w / 2.0, deck_y + deck_h / 2, w * 0.3, deck_h * 0.7, "INDUSTRY CITY", {1, 1, 1},
           {0.2, 0.2, 0.2}, 1);
  return p;
}

Pic rainbow(double ppm) {
  int w = static_cast<int>(34 * ppm), h = static_cast<int>(17 * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  const RGB bands[] = {hex(0xe8302a), hex(0xf08a20), hex(0xf4e030), hex(0x40c040), hex(0x3070e0), hex(0x7040b0)};
  double band = h * 0.06;
  for (int i = 0; i < 6; ++i) {
    double r = w / 2.0 - band * (i + 0.5);
    cairo_new_path(cr);
    cairo_arc(cr, w / 2.0, h, r, M_PI, 2 * M_PI);
    cairo_set_line_width(cr, band + 0.8);
    set(cr, bands[i]);
    cairo_stroke(cr);
  }
  return p;
}

Pic tunnel(double ppm) {
  int w = static_cast<int>(36 * ppm), h = static_cast<int>(16 * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  // Mountain face with the portal; the opening stays clear so the road shows through.
  cairo_move_to(cr, 0, h);
  cairo_line_to(cr, 0, h * 0.35);
  cairo_curve_to(cr, w * 0.2, h * 0.05, w * 0.4, h * 0.0, w * 0.55, h * 0.02);
  cairo_curve_to(cr, w * 0.75, h * 0.05, w * 0.9, h * 0.2, w, h * 0.4);
  cairo_line_to(cr, w, h);
  cairo_close_path(cr);
  double ow = w * 0.5, oh = h * 0.62;
  cairo_new_sub_path(cr);
  cairo_move_to(cr, w / 2.0 - ow / 2, h);
  cairo_line_to(cr, w / 2.0 - ow / 2, h - oh + ow / 2);
  cairo_arc(cr, w / 2.0, h - oh + ow / 2, ow / 2, M_PI, 2 * M_PI);
  cairo_line_to(cr, w / 2.0 + ow / 2, h);
  cairo_close_path(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  set(cr, hex(0x7a7a72));
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  // Stone ring round the opening.
  cairo_new_path(cr);
  cairo_move_to(cr, w / 2.0 - ow / 2, h);
  cairo_line_to(cr, w / 2.0 - ow / 2, h - oh + ow / 2);
  cairo_arc(cr, w / 2.0, h - oh + ow / 2, ow / 2, M_PI, 2 * M_PI);
  cairo_line_to(cr, w / 2.0 + ow / 2, h);
  cairo_set_line_width(cr, 1.4 * ppm);
  set(cr, hex(0xb0a890));
  cairo_stroke(cr);
  // Snow on top and grass at the foot.
  cairo_move_to(cr, 0, h * 0.35);
  cairo_curve_to(cr, w * 0.2, h * 0.05, w * 0.4, h * 0.0, w * 0.55, h * 0.02);
  cairo_curve_to(cr, w * 0.75, h * 0.05, w * 0.9, h * 0.2, w, h * 0.4);
  cairo_set_line_width(cr, 1.2 * ppm);
  set(cr, {0.96, 0.97, 1.0});
  cairo_stroke(cr);
  return p;
}

Pic island(double ppm) {
  int w = static_cast<int>(30 * ppm), h = static_cast<int>(12 * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  ellipse(cr, w / 2.0, h, w * 0.48, h * 0.3);
  set(cr, hex(0xf0dca0));
  cairo_fill(cr);
  ellipse(cr, w / 2.0, h, w * 0.35, h * 0.5);
  set(cr, hex(0x3a9a3a));
  cairo_fill(cr);
  for (int i = 0; i < 3; ++i) {
    double x = w * (0.35 + 0.15 * i);
    line(cr, x, h * 0.6, x + ppm, h * 0.1, std::max(2.0, 0.4 * ppm), hex(0x8a6a48));
    for (int k = 0; k < 5; ++k) {
      double a = -M_PI + k * M_PI / 4;
      line(cr, x + ppm, h * 0.1, x + ppm + std::cos(a) * 2.5 * ppm, h * 0.1 + std::sin(a) * ppm + ppm, 0.4 * ppm,
           hex(0x2a8a2a));
    }
  }
  return p;
}

Pic mountain(double ppm) {
  int w = static_cast<int>(60 * ppm), h = static_cast<int>(40 * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  polygon(cr, {0, double(h), w * 0.42, h * 0.05, w * 0.5, 0, w * 0.58, h * 0.1, double(w), double(h)});
  set(cr, hex(0x6a6a78));
  cairo_fill(cr);
  polygon(cr, {w * 0.5, 0, w * 0.58, h * 0.1, double(w), double(h), w * 0.55, double(h)});
  set(cr, hex(0x4a4a58));
  cairo_fill(cr);
  polygon(cr, {w * 0.33, h * 0.25, w * 0.42, h * 0.05, w * 0.5, 0, w * 0.58, h * 0.1, w * 0.67, h * 0.28,
               w * 0.58, h * 0.22, w * 0.5, h * 0.3, w * 0.42, h * 0.2});
  set(cr, {0.96, 0.97, 1.0});
  cairo_fill(cr);
  return p;
}

Pic flag(double ppm) {
  int w = static_cast<int>(3 * ppm), h = static_cast<int>(8 * ppm);
  Pic p(w, h);
  steel_post(p.cr, 0.2 * ppm, 0, h, std::max(2.0, 0.15 * ppm), hex(0xc0c0c8));
  double fw = w - 0.4 * ppm, fh = fw;
  fill_rect(p.cr, 0.4 * ppm, 0.2 * ppm, fw, fh, hex(0xd8141e));
  fill_rect(p.cr, 0.4 * ppm + fw * 0.4, 0.2 * ppm + fh * 0.2, fw * 0.2, fh * 0.6, {1, 1, 1});
  fill_rect(p.cr, 0.4 * ppm + fw * 0.2, 0.2 * ppm + fh * 0.4, fw * 0.6, fh * 0.2, {1, 1, 1});
  return p;
}

Pic mushroom(double ppm, RGB cap, double h_m) {
  int w = static_cast<int>(h_m * 0.9 * ppm), h = static_cast<int>(h_m * ppm);
  Pic p(w, h);
  cairo_t* cr = p.cr;
  fill_rect(cr, w * 0.38, h * 0.4, w * 0.24, h * 0.6, hex(0xf4ecd8));
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, w / 2.0, h * 0.48);
  cairo_scale(cr, w * 0.49, h * 0.46);
  cairo_arc(cr, 0, 0, 1, M_PI, 2 * M_PI);
  cairo_restore(cr);
  cairo_close_path(cr);
  fill_outline(cr, cap, 1.5, 0.6);
  Rng rng(static_cast<int>(h_m * 10));
  for (int i = 0; i < 7; ++i) {
    ellipse(cr, w * rng.uniform(0.15, 0.85), h * rng.uniform(0.12, 0.4), w * 0.05, w * 0.04);
    set(cr, {1, 1, 1});
    cairo_fill(cr);
  }
  return p;
}

Pic roadblock(double ppm) {
  int w = static_cast<int>(3.2 * ppm), h = static_cast<int>(1.3 * ppm);
  Pic p(w, h);
  for (double x : {0.15, 0.85}) fill_rect(p.cr, w * x - 2, h * 0.3, 4, h * 0.7, hex(0x5a5a5a));
  cairo_save(p.cr);
  cairo_rectangle(p.cr, 0, 0, w, h * 0.45);
  cairo_clip(p.cr);
  fill_rect(p.cr, 0, 0, w, h * 0.45, {1, 1, 1});
  for (int i = -2; i < 10; ++i)
    polygon(p.cr, {i * w / 6.0, h * 0.45, i * w / 6.0 + w / 12.0, h * 0.45, i * w / 6.0 + w / 12.0 + h * 0.45, 0,
                   i * w / 6.0 + h * 0.45, 0});
  set(p.cr, {0.85, 0.1, 0.1});
  cairo_fill(p.cr);
  cairo_restore(p.cr);
  return p;
}

Pic seaplane() {
  Pic p(423, 182);
  cairo_t* cr = p.cr;
  RGB body = hex(0xe8e4da), trim = hex(0xc8302a);
  // Floats and struts.
  for (double y : {158.0}) {
    rounded_rect(cr, 60, y, 250, 16, 8);
    fill_outline(cr, hex(0xd0d0d0), 1.5, 0.5);
  }
  for (double x : {120.0, 240.0}) line(cr, x, 100, x - 10, 158, 4, hex(0x5a5a5a));
  // Fuselage, nose to the left (it flies leftwards).
  cairo_move_to(cr, 20, 90);
  cairo_curve_to(cr, 30, 62, 80, 58, 140, 60);
  cairo_line_to(cr, 350, 70);
  cairo_line_to(cr, 400, 40);
  cairo_line_to(cr, 418, 40);
  cairo_line_to(cr, 405, 92);
  cairo_curve_to(cr, 300, 108, 120, 112, 40, 106);
  cairo_close_path(cr);
  fill_outline(cr, body, 2, 0.5);
  line(cr, 40, 96, 400, 84, 5, trim);
  fill_rect(cr, 70, 66, 60, 18, hex(0x3a5a7a));
  for (double x = 150; x < 290; x += 28) fill_rect(cr, x, 70, 16, 12, hex(0x3a5a7a));
  // Wing seen edge-on, above the cabin.
  rounded_rect(cr, 60, 44, 230, 14, 6);
  fill_outline(cr, shade(body, 0.95), 1.5, 0.5);
  // Propeller blur.
  ellipse(cr, 14, 88, 6, 40);
  set(cr, {0.6, 0.6, 0.62});
  cairo_fill(cr);
  ellipse(cr, 20, 88, 8, 8);
  set(cr, hex(0x3a3a3a));
  cairo_fill(cr);
  return p;
}

}  // namespace

void register_structures(Registry& r) {
  auto V = [](double base) { return span_ppm(base); };
  auto O = [](double base) { return object_ppm(base); };
  r["GFX/bb_quindral.png"] = [=] { return banner(V(2.5), "QUINDRAL", hex(0x1e3a8a), {1, 0.85, 0.2}); };
  r["GFX/bb_zarodudaz.png"] = [=] { return banner(V(2.5), "ZARODUDAZ", hex(0x2a8a3a), {1, 1, 1}); };
  r["GFX/bb_Vanto32.png"] = [=] { return banner(V(2.5), "VANTO 32", hex(0x5a1a8a), {1, 0.7, 0.95}); };
  r["GFX/bb_bochum.png"] = [=] { return banner(V(2.5), "BOCHUM", hex(0x1a5aa8), {1, 1, 1}); };
  r["GFX/bb_empty.png"] = [=] { return banner(V(2.5), "", {1, 1, 1}, {0, 0, 0}); };
  r["GFX/Checkpoint2.png"] = [=] { return gate(V(2.5), "CHECKPOINT", false); };
  r["GFX/Finish.png"] = [=] { return gate(V(2.5), "FINISH", true); };
  r["GFX/start_frame2.png"] = [=] { return start_frame(V(2.0), false); };
  r["GFX/start_frame_xmas.png"] = [=] { return start_frame(V(2.0), true); };
  r["GFX/IC_bridge01.png"] = [=] { return bridge(V(5.0)); };
  r["GFX/BS_rainbow.png"] = [=] { return rainbow(V(5.0)); };
  r["GFX/swiss_tunnel.png"] = [=] { return tunnel(V(5.0)); };
  r["GFX/roadblock1.png"] = [] { return roadblock(car_ppm(2.0)); };

  auto boing = [](cairo_t* cr, double x, double y, double w, double h) {
    vgradient(cr, x, y, w, h, hex(0xffe040), hex(0xff8020));
    // A bouncing ball with its arcs on both sides: the same picture mirrored.
    for (int side : {-1, 1}) {
      cairo_new_path(cr);
      cairo_arc(cr, x + w * (0.5 + side * 0.22), y + h * 0.62, w * 0.2, M_PI * 1.05, M_PI * 1.95);
      cairo_set_line_width(cr, h * 0.04);
      set(cr, {1, 1, 1});
      cairo_stroke(cr);
    }
    ellipse(cr, x + w * 0.5, y + h * 0.38, h * 0.22, h * 0.22);
    fill_outline(cr, hex(0xd0201a), 2, 0.5);
    cairo_move_to(cr, x + w * 0.15, y + h * 0.9);
    for (int i = 0; i < 8; ++i) cairo_line_to(cr, x + w * (0.15 + i * 0.1), y + h * (i % 2 ? 0.72 : 0.9));
    cairo_set_line_width(cr, h * 0.04);
    set(cr, hex(0x3a3a3a));
    cairo_stroke(cr);
  };
  r["GFX/Billboard_Boing.png"] = [=] { return billboard(O(1), 8, 4, 3, {1, 1, 1}, boing); };
  r["GFX/city_Billboard_Boing.png"] = [=] { return billboard(O(1), 8, 4, 4, {1, 1, 1}, boing); };
  r["GFX/Billboard_Bayern.png"] = [=] {
    return billboard(O(2), 8, 4, 2, {1, 1, 1}, [](cairo_t* cr, double x, double y, double w, double h) {
      for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 8; ++i) {
          double cx = x + (i + 0.5 + (j % 2) * 0.5) * w / 8, cy = y + (j + 0.5) * h / 4;
          polygon(cr, {cx, cy - h / 8, cx + w / 16, cy, cx, cy + h / 8, cx - w / 16, cy});
          set(cr, hex(0x1e78d0));
          cairo_fill(cr);
        }
      // A pretzel on the diamonds: symmetric, so it reads the same mirrored.
      const double cx = x + w / 2, cy = y + h / 2, r = h * 0.3;
      cairo_new_path(cr);
      cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
      cairo_move_to(cr, cx - r * 0.95, cy + r * 0.3);
      cairo_curve_to(cr, cx - r * 0.2, cy - r * 0.2, cx + r * 0.2, cy - r * 0.2, cx + r * 0.95, cy + r * 0.3);
      cairo_move_to(cr, cx - r * 0.5, cy + r * 0.85);
      cairo_line_to(cr, cx + r * 0.3, cy - r * 0.15);
      cairo_move_to(cr, cx + r * 0.5, cy + r * 0.85);
      cairo_line_to(cr, cx - r * 0.3, cy - r * 0.15);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_width(cr, h * 0.14);
      set(cr, hex(0x10305a));
      cairo_stroke_preserve(cr);
      cairo_set_line_width(cr, h * 0.09);
      set(cr, hex(0xb8722a));
      cairo_stroke(cr);
    });
  };
  r["GFX/streetlight.png"] = [=] { return lamp(O(1), 9, hex(0x8a8e96), 0); };
  r["GFX/pole2_r.png"] = [=] { return lamp(O(1), 10, hex(0x5a5e66), 0); };
  r["GFX/uk_lamp.png"] = [=] { return lamp(O(1), 6, hex(0x2a2a30), 1); };
  r["GFX/FY_lamp.png"] = [=] { return lamp(O(1), 5, hex(0x4a2a6a), 2); };
  r["GFX/Pfeiler01.png"] = [=] { return post(O(1), 1.2, {0.96, 0.96, 0.96}, true); };
  r["GFX/desert_pole.png"] = [=] { return post(O(1), 1.5, hex(0x8a6a44), false); };
  r["GFX/BS_pole_r.png"] = [=] { return post(O(1), 1.3, hex(0xf0f0f0), true); };
  r["GFX/BS_pole_l.png"] = [=] { return post(O(1), 1.3, hex(0x30b0d0), true); };
  r["GFX/Sign_Left.png"] = [=] {
    return sign(O(1), 1.8, 1.2, 1.2, {1, 1, 1}, [](cairo_t* cr, double w, double h) {
      // A warning triangle: it stands on either side of the road, and the left side
      // shows it mirrored, so it has no direction.
      polygon(cr, {w * 0.5, h * 0.1, w * 0.82, h * 0.88, w * 0.18, h * 0.88});
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_set_line_width(cr, h * 0.08);
      set(cr, {0.85, 0.1, 0.1});
      cairo_stroke(cr);
      fill_rect(cr, w * 0.47, h * 0.35, w * 0.06, h * 0.3, {0.1, 0.1, 0.1});
      fill_rect(cr, w * 0.47, h * 0.7, w * 0.06, h * 0.08, {0.1, 0.1, 0.1});
    });
  };
  r["GFX/desert_sign.png"] = [=] {
    return sign(O(1), 2.6, 1.2, 1.4, hex(0xf0d060), [](cairo_t* cr, double w, double h) {
      // A pyramid under the sun, symmetric so that it reads the same mirrored.
      ellipse(cr, w * 0.5, h * 0.3, h * 0.13, h * 0.13);
      set(cr, hex(0xd0401a));
      cairo_fill(cr);
      polygon(cr, {w * 0.5, h * 0.35, w * 0.78, h * 0.85, w * 0.22, h * 0.85});
      set(cr, hex(0x3a2a10));
      cairo_fill(cr);
    });
  };
  r["GFX/sign_radweg.png"] = [=] {
    return sign(O(0.7), 1.0, 1.0, 1.6, hex(0x1e5ac8), [](cairo_t* cr, double w, double h) {
      ellipse(cr, w * 0.5, h * 0.5, w * 0.42, h * 0.42);
      set(cr, hex(0x1e5ac8));
      cairo_fill(cr);
      for (double x : {0.32, 0.68}) {
        ellipse(cr, w * x, h * 0.62, w * 0.13, w * 0.13);
        cairo_set_line_width(cr, 2);
        set(cr, {1, 1, 1});
        cairo_stroke(cr);
      }
      polygon(cr, {w * 0.32, h * 0.62, w * 0.45, h * 0.38, w * 0.68, h * 0.62, w * 0.5, h * 0.62});
      cairo_set_line_width(cr, 2);
      cairo_stroke(cr);
    });
  };
  r["GFX/BS_ship1.png"] = [=] { return ship(O(2), 28, false); };
  r["GFX/BS_ship2.png"] = [=] { return ship(O(2), 16, true); };
  r["GFX/BS_island3.png"] = [=] { return island(O(2)); };
  r["GFX/russia_tank.png"] = [=] { return tank(O(1)); };
  r["GFX/desert_wreck_car.png"] = [=] { return wreck(O(1.2)); };
  r["GFX/IC_bagger.png"] = [=] { return machine(O(1.5), 0); };
  r["GFX/IC_bagger2.png"] = [=] { return machine(O(1.5), 1); };
  r["GFX/IC_kran.png"] = [=] { return machine(O(2), 2); };
  r["GFX/IC_pump.png"] = [=] { return pump(O(1.5)); };
  r["GFX/swiss_mountain.png"] = [=] { return mountain(O(2)); };
  r["GFX/swiss_flag.png"] = [=] { return flag(O(2)); };
  r["GFX/FY_pilz01.png"] = [=] { return mushroom(O(1), hex(0xd8201a), 2.5); };
  r["GFX/FY_pilz02.png"] = [=] { return mushroom(O(1), hex(0x8a3ad0), 3.2); };
  r["GFX/BS_seaplane.bmp"] = seaplane;
}

}  // namespace art
