// Full-screen backgrounds of the menus and information screens, and the small
// pictures those screens place on them.
#include <algorithm>
#include <cmath>
#include <vector>

#include "cars.h"
#include "draw.h"
#include "menus.h"
#include "skies.h"

namespace art {

namespace {

const int W = 640, H = 480;

// Dark gradient with diagonal speed streaks, the common ground of the menu screens.
void backdrop(Pic& p, RGB top, RGB bottom, int seed) {
  cairo_t* cr = p.cr;
  vgradient(cr, 0, 0, p.w, p.h, top, bottom);
  Rng rng(seed);
  for (int i = 0; i < 40; ++i) {
    double y = rng.uniform(0, p.h), x = rng.uniform(-200, p.w), len = rng.uniform(80, 300);
    line(cr, x, y, x + len, y - len * 0.25, rng.uniform(1, 4), {1, 1, 1}, rng.uniform(0.03, 0.09));
  }
  grain(p, 0, 0, p.w, p.h, 5, seed);
}

void logo(cairo_t* cr, double cx, double baseline, double size) {
  text_outlined(cr, Face::Title, size, cx + size * 0.04, baseline + size * 0.04, "VantoRello", {0.1, 0.02, 0.02},
                {0.1, 0.02, 0.02}, size * 0.06, Align::Centre);
  select_face(cr, Face::Title, size);
  double w = text_width(cr, Face::Title, size, "VantoRello");
  cairo_move_to(cr, cx - w / 2, baseline);
  cairo_text_path(cr, "VantoRello");
  cairo_pattern_t* g = cairo_pattern_create_linear(0, baseline - size * 0.75, 0, baseline);
  cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.95, 0.6);
  cairo_pattern_add_color_stop_rgb(g, 0.5, 1.0, 0.55, 0.1);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.75, 0.1, 0.05);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, std::max(1.0, size * 0.02));
  set(cr, {1, 1, 0.9});
  cairo_stroke(cr);
}

// Title bar of the grid screens, above the cells (rows 0..71).
void title_bar(Pic& p, const char* subtitle) {
  cairo_t* cr = p.cr;
  vgradient(cr, 0, 0, W, 72, hex(0x1a1a2a), hex(0x2a3a5a));
  line(cr, 0, 71, W, 71, 2, hex(0xf0a020));
  logo(cr, 200, 52, 46);
  text(cr, Face::Menu, 14, 470, 45, subtitle, {0.85, 0.88, 0.95});
}

// Light plates under the twelve grid cells; the labels stand on their top band.
void grid_plates(cairo_t* cr, double y_offset, RGB plate) {
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 3; ++col) {
      double x = col * 210 + 5, y = 80 + row * 100 + 4 - y_offset;
      rounded_rect(cr, x, y, 206, 92, 8);
      cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + 92);
      cairo_pattern_add_color_stop_rgb(g, 0, plate.r * 1.1, plate.g * 1.1, plate.b * 1.1);
      cairo_pattern_add_color_stop_rgb(g, 1, plate.r * 0.7, plate.g * 0.7, plate.b * 0.7);
      cairo_set_source(cr, g);
      cairo_fill_preserve(cr);
      cairo_pattern_destroy(g);
      cairo_set_line_width(cr, 1.5);
      set(cr, shade(plate, 0.4));
      cairo_stroke(cr);
    }
}

Pic game_menu() {
  Pic p(W, H);
  backdrop(p, hex(0x101828), hex(0x283850), 1);
  title_bar(p, "Arcade Racing");
  return p;
}

Pic menu_mask() {
  Pic p(W, H - 72);
  grid_plates(p.cr, 72, hex(0xb8bec8));
  return p;
}

Pic menu_vrcs() {
  Pic p(W, H);
  backdrop(p, hex(0x20180c), hex(0x4a3a1a), 2);
  title_bar(p, "Construction System");
  grid_plates(p.cr, 0, hex(0xa8a49a));
  return p;
}

Pic menu_vrcs_info() {
  Pic p(W, H - 72);
  cairo_t* cr = p.cr;
  // Statistics panel behind the text rows at 80 .. 135 of the screen.
  rounded_rect(cr, 4, 2, W - 8, 70, 6);
  set(cr, hex(0x141c2a));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.5);
  set(cr, hex(0x5a6a8a));
  cairo_stroke(cr);
  // A track drawn as a winding line in the middle.
  cairo_move_to(cr, 80, 250);
  cairo_curve_to(cr, 120, 100, 260, 120, 320, 180);
  cairo_curve_to(cr, 380, 240, 520, 260, 560, 140);
  cairo_set_line_width(cr, 10);
  set(cr, hex(0x3a3a40));
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 2);
  set(cr, hex(0xf0d020));
  cairo_stroke(cr);
  rounded_rect(cr, 30, 268, W - 60, 36, 6);
  set(cr, hex(0x141c2a));
  cairo_fill(cr);
  for (int col = 0; col < 3; ++col) {
    rounded_rect(cr, col * 210 + 5, 312, 206, 92, 8);
    set(cr, hex(0xb8bec8));
    cairo_fill(cr);
  }
  return p;
}

// Equirectangular-looking world with the continents where the track pins stand.
Pic worldmap() {
  Pic p(W, H);
  cairo_t* cr = p.cr;
  vgradient(cr, 0, 0, W, 290, hex(0x8ac0e0), hex(0x5a98c8));
  for (int x = 0; x < W; x += 40) line(cr, x, 20, x, 290, 0.6, {1, 1, 1}, 0.3);
  for (int y = 20; y < 290; y += 30) line(cr, 0, y, W, y, 0.6, {1, 1, 1}, 0.3);
  RGB land = hex(0xd8cc90), edge = hex(0x8a7a4a);
  // Coasts: every edge split into short steps and pushed in and out by noise. All
  // shallows first, then all land, so that touching shapes merge without seams.
  std::vector<std::vector<double>> shapes;
  auto shape = [&](std::initializer_list<double> pts) { shapes.emplace_back(pts); };
  auto trace = [&](const std::vector<double>& v, int seed) {
    size_t n = v.size() / 2;
    cairo_new_path(cr);
    for (size_t i = 0; i < n; ++i) {
      double x0 = v[2 * i], y0 = v[2 * i + 1], x1 = v[2 * ((i + 1) % n)], y1 = v[2 * ((i + 1) % n) + 1];
      double len = std::hypot(x1 - x0, y1 - y0);
      int steps = std::max(1, static_cast<int>(len / 5));
      for (int k = 0; k < steps; ++k) {
        double t = k / double(steps), x = x0 + (x1 - x0) * t, y = y0 + (y1 - y0) * t;
        double off = (k == 0) ? 0 : (fbm(x / 14.0, y / 14.0, seed, 3) - 0.5) * 10;
        cairo_line_to(cr, x + off * (y1 - y0) / len, y - off * (x1 - x0) / len);
      }
    }
    cairo_close_path(cr);
  };
  // North America (Florida near 95, 188), Caribbean islands (116, 208).
  shape({30, 60, 120, 40, 210, 55, 230, 90, 190, 120, 160, 150, 120, 170, 104, 196, 96, 178, 60, 150, 40, 110});
  shape({110, 206, 126, 204, 130, 212, 112, 214});
  // South America.
  shape({150, 225, 200, 230, 215, 260, 190, 290, 170, 290, 150, 250});
  // Europe (Spain 263,153; Britain 270,113; Bavaria 296,123; Hungary 316,133; Russia 351,103).
  shape({250, 150, 262, 138, 275, 130, 285, 118, 300, 108, 330, 95, 380, 80, 400, 100, 380, 130, 340, 140, 320, 150,
         300, 150, 285, 162, 262, 165});
  shape({262, 104, 274, 100, 278, 118, 266, 122});
  // Africa (Cairo 326,188).
  shape({255, 175, 300, 172, 335, 180, 350, 205, 360, 240, 330, 290, 300, 290, 285, 250, 260, 215});
  // Asia (Hong Kong 506,188), joined to Europe and to Africa.
  shape({380, 80, 460, 50, 560, 55, 610, 90, 590, 140, 540, 170, 510, 195, 480, 190, 450, 200, 420, 170, 380, 150,
         400, 100});
  shape({355, 88, 425, 72, 440, 150, 360, 140});
  shape({330, 150, 420, 150, 435, 200, 350, 192});
  // Australia.
  shape({540, 240, 600, 235, 615, 270, 560, 285});
  for (size_t i = 0; i < shapes.size(); ++i) {
    trace(shapes[i], static_cast<int>(i) + 1);
    cairo_set_line_width(cr, 6);
    set(cr, hex(0xa8d4ec));
    cairo_stroke(cr);
  }
  for (size_t i = 0; i < shapes.size(); ++i) {
    trace(shapes[i], static_cast<int>(i) + 1);
    cairo_set_line_width(cr, 1.5);
    set(cr, edge);
    cairo_stroke(cr);
  }
  for (size_t i = 0; i < shapes.size(); ++i) {
    trace(shapes[i], static_cast<int>(i) + 1);
    set(cr, land);
    cairo_fill(cr);
  }
  // Green lowlands and brown highlands on the land.
  uint32_t* d = p.data();
  int stride = p.stride_words();
  for (int y = 20; y < 290; ++y)
    for (int x = 0; x < W; ++x) {
      uint32_t v = d[y * stride + x];
      int r = (v >> 16) & 255, g = (v >> 8) & 255, b = v & 255;
      if (!(r > 200 && g > 190 && b < 160)) continue;  // land colour only
      double n = fbm(x / 30.0, y / 30.0, 77, 4);
      RGB c = n < 0.45 ? mix(hex(0x9ab86a), hex(0xd8cc90), n / 0.45) : mix(hex(0xd8cc90), hex(0xb08a5a), (n - 0.45) / 0.55);
      auto q = [](double f) { return static_cast<uint32_t>(std::clamp(f, 0.0, 1.0) * 255 + 0.5); };
      d[y * stride + x] = 0xFF000000u | (q(c.r) << 16) | (q(c.g) << 8) | q(c.b);
    }
  cairo_surface_mark_dirty(p.surface);
  grain(p, 0, 0, W, 290, 6, 5);
  // Info panel below the map.
  vgradient(cr, 0, 290, W, H - 290, hex(0x1a2030), hex(0x0c1018));
  line(cr, 0, 290, W, 290, 2, hex(0xf0a020));
  vgradient(cr, 0, 0, W, 20, hex(0x1a2030), hex(0x283040));
  return p;
}

Pic map_pin() {
  Pic p(16, 36);
  line(p.cr, 8, 12, 8, 35, 2, {0.75, 0.75, 0.78});
  cairo_pattern_t* g = cairo_pattern_create_radial(6, 5, 1, 8, 8, 7);
  cairo_pattern_add_color_stop_rgb(g, 0, 1, 0.7, 0.7);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.7, 0.05, 0.05);
  ellipse(p.cr, 8, 8, 7, 7);
  cairo_set_source(p.cr, g);
  cairo_fill(p.cr);
  cairo_pattern_destroy(g);
  return p;
}

Pic pokal() {
  Pic p(40, 48);
  cairo_t* cr = p.cr;
  cairo_move_to(cr, 8, 4);
  cairo_line_to(cr, 32, 4);
  cairo_curve_to(cr, 32, 24, 24, 28, 22, 30);
  cairo_line_to(cr, 22, 38);
  cairo_line_to(cr, 30, 44);
  cairo_line_to(cr, 10, 44);
  cairo_line_to(cr, 18, 38);
  cairo_line_to(cr, 18, 30);
  cairo_curve_to(cr, 16, 28, 8, 24, 8, 4);
  cairo_close_path(cr);
  fill_outline(cr, hex(0xf0c030), 1.5, 0.45);
  for (int side : {-1, 1}) {
    cairo_new_path(cr);
    cairo_arc(cr, 20 + side * 13, 12, 5, 0, 2 * M_PI);
    cairo_set_line_width(cr, 2.5);
    set(cr, hex(0xc89a20));
    cairo_stroke(cr);
  }
  return p;
}

Pic framed_view(int scenario, int w, int h) {
  Pic p(w, h);
  Pic v = scenario_view(scenario, w - 8, h - 8);
  fill_rect(p.cr, 0, 0, w, h, hex(0xc8ccd4));
  fill_rect(p.cr, 2, 2, w - 4, h - 4, hex(0x3a3e48));
  cairo_set_source_surface(p.cr, v.surface, 4, 4);
  cairo_paint(p.cr);
  return p;
}

Pic bg_tournament() {
  Pic p(W, H);
  backdrop(p, hex(0x201010), hex(0x402020), 3);
  cairo_t* cr = p.cr;
  for (int side : {0, 1}) {
    cairo_save(cr);
    cairo_rectangle(cr, side ? W - 100 : 0, 0, 100, H);
    cairo_clip(cr);
    for (int j = 0; j < 24; ++j)
      for (int i = 0; i < 5; ++i)
        fill_rect(cr, (side ? W - 100 : 0) + i * 20, j * 20, 20, 20,
                  (i + j) % 2 ? RGB{0.08, 0.08, 0.08} : RGB{0.85, 0.85, 0.85});
    cairo_restore(cr);
  }
  fill_rect(cr, 100, 0, 440, H, hex(0x2a1818));
  vgradient(cr, 100, 0, 440, 100, hex(0x5a2020), hex(0x2a1818));
  vgradient(cr, 100, 380, 440, 100, hex(0x2a1818), hex(0x5a2020));
  return p;
}

Pic racefail() {
  Pic p(W, H);
  backdrop(p, hex(0x300808), hex(0x100404), 4);
  cairo_t* cr = p.cr;
  // A crashed car on its roof, smoking, on the right.
  Pic car = car_showcase("Audi_A4", 300, 150);
  cairo_save(cr);
  cairo_translate(cr, 480, 360);
  cairo_rotate(cr, M_PI * 0.92);
  cairo_set_source_surface(cr, car.surface, -150, -75);
  cairo_paint(cr);
  cairo_restore(cr);
  Rng rng(4);
  for (int i = 0; i < 30; ++i) {
    ellipse(cr, 480 + rng.uniform(-60, 60), 240 - i * 7 + rng.uniform(-10, 10), 20 + i, 14 + i * 0.6);
    set(cr, {0.3, 0.3, 0.3}, 0.12);
    cairo_fill(cr);
  }
  fill_rect(cr, 0, 380, W, 100, hex(0x2a2020));
  return p;
}

Pic highscore() {
  Pic p(W, H);
  backdrop(p, hex(0x0c1430), hex(0x1c2850), 6);
  cairo_t* cr = p.cr;
  for (int i = 0; i < 15; ++i) fill_rect(cr, 0, 161 + i * 20, W, 20, i % 2 ? hex(0x18224a) : hex(0x202c5a));
  line(cr, 0, 160, W, 160, 2, hex(0xf0c030));
  line(cr, 0, 462, W, 462, 2, hex(0xf0c030));
  return p;
}

Pic hs_banner(int phase) {
  Pic p(300, 70);
  cairo_t* cr = p.cr;
  // A chequered ribbon with a star, waving differently in the two pictures.
  cairo_save(cr);
  cairo_new_path(cr);
  for (int x = 0; x <= 300; x += 4) cairo_line_to(cr, x, 18 + 6 * std::sin(x * 0.04 + phase * 1.6));
  for (int x = 300; x >= 0; x -= 4) cairo_line_to(cr, x, 52 + 6 * std::sin(x * 0.04 + phase * 1.6));
  cairo_close_path(cr);
  cairo_clip(cr);
  for (int j = 0; j < 6; ++j)
    for (int i = 0; i < 40; ++i)
      fill_rect(cr, i * 8, 10 + j * 8, 8, 8, (i + j) % 2 ? RGB{0.95, 0.95, 0.95} : RGB{0.1, 0.1, 0.12});
  cairo_restore(cr);
  cairo_new_path(cr);
  for (int i = 0; i < 10; ++i) {
    double a = -M_PI / 2 + i * M_PI / 5 + phase * 0.3, r = i % 2 ? 10 : 24;
    cairo_line_to(cr, 150 + r * std::cos(a), 35 + r * std::sin(a));
  }
  cairo_close_path(cr);
  fill_outline(cr, phase ? hex(0xffe060) : hex(0xf0a020), 2, 0.5);
  return p;
}

Pic os_icon(int which) {
  Pic p(22, 18);
  cairo_t* cr = p.cr;
  const RGB tints[] = {hex(0x7a7a80), hex(0xd83030), hex(0x3a6ad8), hex(0x2a8ad8), hex(0xf0c020),
                       hex(0xb0b4bc), hex(0xc8204a), hex(0x3aa84a), hex(0x8a4ac8)};
  const char* marks[] = {"?", "A", "M", "W", "L", "X", "R", "P", "G"};
  rounded_rect(cr, 1, 1, 20, 16, 4);
  fill_outline(cr, tints[which], 1, 0.5);
  text(cr, Face::Menu, 11, 11, 13.5, marks[which], {1, 1, 1}, Align::Centre);
  return p;
}

Pic info_red() {
  Pic p(406, 258);
  cairo_t* cr = p.cr;
  rounded_rect(cr, 1, 1, 404, 256, 14);
  vgradient(cr, 0, 0, 406, 258, hex(0xa01818), hex(0x4a0808));
  rounded_rect(cr, 1, 1, 404, 256, 14);
  cairo_set_line_width(cr, 3);
  set(cr, hex(0xf0c0a0));
  cairo_stroke(cr);
  return p;
}

Pic bg_config() {
  Pic p(W, H);
  backdrop(p, hex(0x1a1e24), hex(0x3a4048), 7);
  cairo_t* cr = p.cr;
  // Garage floor and a licence card.
  vgradient(cr, 0, 300, W, 180, hex(0x3a3e44), hex(0x20242a));
  for (int x = -200; x < W + 200; x += 60) line(cr, W / 2.0, 300, x * 1.8 - W * 0.4, H, 1, {1, 1, 1}, 0.08);
  licence_card(cr, 320, 330, 60);
  return p;
}

Pic aluplate() {
  Pic p(350, 110);
  cairo_t* cr = p.cr;
  vgradient(cr, 0, 0, 350, 110, hex(0xe4e6ea), hex(0xa8acb4));
  for (int y = 0; y < 110; y += 2) line(cr, 0, y + 0.5, 350, y + 0.5, 0.6, {1, 1, 1}, 0.18 + 0.1 * std::sin(y * 0.7));
  cairo_rectangle(cr, 1, 1, 348, 108);
  cairo_set_line_width(cr, 2);
  set(cr, hex(0x6a6e76));
  cairo_stroke(cr);
  for (double x : {10.0, 340.0})
    for (double y : {10.0, 100.0}) {
      ellipse(cr, x, y, 4, 4);
      fill_outline(cr, hex(0xc8ccd4), 1, 0.5);
      line(cr, x - 3, y, x + 3, y, 1, hex(0x5a5e66));
    }
  grain(p, 0, 0, 350, 110, 4, 8);
  return p;
}

Pic bg_inputcfg() {
  Pic p(W, H);
  backdrop(p, hex(0x0c0c18), hex(0x202040), 9);
  cairo_t* cr = p.cr;
  // A keyboard and a joystick, large and dim, below the prompts.
  rounded_rect(cr, 60, 250, 330, 130, 10);
  fill_outline(cr, hex(0x2a2a36), 2, 1.6);
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 12; ++i) fill_rect(cr, 75 + i * 25 + j * 5, 265 + j * 27, 20, 20, hex(0x4a4a5a));
  rounded_rect(cr, 440, 330, 140, 50, 16);
  fill_outline(cr, hex(0x2a2a36), 2, 1.6);
  line(cr, 510, 335, 520, 250, 10, hex(0x5a5a6a));
  ellipse(cr, 520, 245, 18, 18);
  fill_outline(cr, hex(0xa02020), 2, 0.6);
  return p;
}

Pic joy_button(RGB c, int size) {
  Pic p(size, size);
  cairo_pattern_t* g = cairo_pattern_create_radial(size * 0.38, size * 0.35, 1, size / 2.0, size / 2.0, size * 0.48);
  cairo_pattern_add_color_stop_rgb(g, 0, std::min(1.0, c.r + 0.5), std::min(1.0, c.g + 0.5), std::min(1.0, c.b + 0.5));
  cairo_pattern_add_color_stop_rgb(g, 1, c.r * 0.5, c.g * 0.5, c.b * 0.5);
  ellipse(p.cr, size / 2.0, size / 2.0, size * 0.46, size * 0.46);
  cairo_set_source(p.cr, g);
  cairo_fill(p.cr);
  cairo_pattern_destroy(g);
  return p;
}

Pic radio() {
  Pic p(W, H);
  backdrop(p, hex(0x0a0a0c), hex(0x1a1a20), 10);
  cairo_t* cr = p.cr;
  // The set: a brushed front with knobs and a wide dark display for the song data.
  rounded_rect(cr, 30, 90, 580, 290, 16);
  vgradient(cr, 30, 90, 580, 290, hex(0x4a4e56), hex(0x24262c));
  rounded_rect(cr, 30, 90, 580, 290, 16);
  cairo_set_line_width(cr, 2);
  set(cr, hex(0x8a8e96));
  cairo_stroke(cr);
  rounded_rect(cr, 60, 120, 400, 230, 8);
  set(cr, hex(0x081018));
  cairo_fill(cr);
  for (int y = 122; y < 350; y += 3) line(cr, 62, y, 458, y, 0.5, {0.3, 0.5, 0.6}, 0.12);
  for (double x : {75.0, 565.0}) {
    ellipse(cr, x < 100 ? 45 : 585, 365, 10, 10);
    fill_outline(cr, hex(0x8a8e96), 1, 0.5);
  }
  text(cr, Face::Title, 16, 320, 112, "VR-RADIO  FM / AM", {0.8, 0.82, 0.88}, Align::Centre);
  return p;
}

// The portrait stands at (470, 140) on the radio's front, whose border runs at x = 610:
// 124 x 170 keeps it inside with a margin.
Pic artist_girl() {
  Pic p(124, 170);
  cairo_t* cr = p.cr;
  cairo_scale(cr, 124 / 150.0, 170 / 200.0);  // drawn on a 150 x 200 grid
  vgradient(cr, 0, 0, 150, 200, hex(0x5a2a8a), hex(0x1a0a3a));
  for (int i = 0; i < 12; ++i) line(cr, 75, 200, i * 14, 0, 6, {1, 0.9, 0.6}, 0.07);
  // Singer with long hair and a microphone.
  polygon(cr, {35, 200, 115, 200, 105, 130, 45, 130});
  set(cr, hex(0xd02a6a));
  cairo_fill(cr);
  polygon(cr, {40, 60, 110, 60, 118, 150, 32, 150});
  set(cr, hex(0x3a1a10));
  cairo_fill(cr);
  ellipse(cr, 75, 80, 26, 32);
  set(cr, hex(0xf0c8a0));
  cairo_fill(cr);
  cairo_new_path(cr);
  cairo_arc(cr, 75, 72, 28, M_PI, 2 * M_PI);
  set(cr, hex(0x3a1a10));
  cairo_fill(cr);
  for (int side : {-1, 1}) {
    ellipse(cr, 75 + side * 10, 80, 3, 4);
    set(cr, hex(0x2a1a1a));
    cairo_fill(cr);
  }
  ellipse(cr, 75, 96, 6, 3);
  set(cr, hex(0xc02030));
  cairo_fill(cr);
  line(cr, 95, 170, 84, 105, 5, hex(0x2a2a2a));
  ellipse(cr, 83, 102, 7, 8);
  fill_outline(cr, hex(0x9a9aa0), 1, 0.5);
  return p;
}

Pic intro_logo(bool flash) {
  Pic p(W, H);
  cairo_t* cr = p.cr;
  vgradient(cr, 0, 0, W, H, flash ? hex(0x2a3a6a) : hex(0x05060c), flash ? hex(0x5a6aa0) : hex(0x101830));
  // A big Q made of a ring and a tail, the maker's mark.
  double cx = 320, cy = 200;
  for (int k = 0; k < (flash ? 3 : 1); ++k) {
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 90 + k * 8, 0, 2 * M_PI);
    cairo_set_line_width(cr, 28 - k * 6);
    set(cr, flash ? RGB{1, 1, 0.9} : hex(0xf0a020), k ? 0.3 : 1.0);
    cairo_stroke(cr);
  }
  line(cr, cx + 40, cy + 40, cx + 110, cy + 110, 26, flash ? RGB{1, 1, 0.9} : hex(0xf0a020));
  text(cr, Face::Title, 44, cx, 380, "QUINDRAL", flash ? RGB{1, 1, 1} : hex(0xd8dce8), Align::Centre);
  text(cr, Face::Menu, 14, cx, 410, "presents", hex(0x8a90a8), Align::Centre);
  return p;
}

Pic credits_background() {
  Pic p(W, H);
  cairo_t* cr = p.cr;
  vgradient(cr, 0, 0, W, 130, hex(0x0a0c18), hex(0x1a2040));
  logo(cr, 320, 90, 70);
  line(cr, 40, 130, 600, 130, 2, hex(0xf0a020));
  line(cr, 40, 450, 600, 450, 2, hex(0xf0a020));
  return p;
}

Pic gametitle() {
  Pic p(W, H);
  cairo_t* cr = p.cr;
  Pic sky = sky_strip(1);
  cairo_set_source_surface(cr, sky.surface, -300, 260 - sky.h);
  cairo_paint(cr);
  vgradient(cr, 0, 260, W, 220, hex(0xc88c3a), hex(0x8a5a20));
  // Road to the horizon.
  polygon(cr, {300, 260, 340, 260, 640, 480, 0, 480});
  set(cr, hex(0x4a4a4e));
  cairo_fill(cr);
  for (int i = 0; i < 8; ++i) {
    double t0 = i / 8.0, t1 = (i + 0.5) / 8.0;
    polygon(cr, {320 - 2 - 8 * t0, 260 + 220 * t0 * t0, 320 + 2 + 8 * t0, 260 + 220 * t0 * t0, 320 + 2 + 8 * t1,
                 260 + 220 * t1 * t1, 320 - 2 - 8 * t1, 260 + 220 * t1 * t1});
    set(cr, {0.95, 0.95, 0.9});
    cairo_fill(cr);
  }
  Pic car = car_showcase("Koenigsegg", 330, 160);
  cairo_set_source_surface(cr, car.surface, 290, 270);
  cairo_paint(cr);
  logo(cr, 320, 150, 96);
  fill_rect(cr, 0, 440, W, 40, {0.05, 0.05, 0.08});
  return p;
}

Pic congrats() {
  Pic p(W, H);
  backdrop(p, hex(0x1a0a30), hex(0x3a1a50), 11);
  cairo_t* cr = p.cr;
  Rng rng(12);
  for (int i = 0; i < 260; ++i) {
    double x = rng.uniform(0, W), y = rng.uniform(0, 420);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, rng.uniform(0, M_PI));
    const RGB c[] = {hex(0xf04a4a), hex(0xf0d040), hex(0x4ad0f0), hex(0x6af04a), hex(0xf06ad0)};
    fill_rect(cr, -4, -2, 8, 4, c[rng.range(0, 4)]);
    cairo_restore(cr);
  }
  text_outlined(cr, Face::Banner, 64, 320, 120, "CONGRATULATIONS!", {1, 0.85, 0.2}, {0.3, 0.05, 0.05}, 3,
                Align::Centre);
  // Big trophy in the middle.
  cairo_move_to(cr, 250, 170);
  cairo_line_to(cr, 390, 170);
  cairo_curve_to(cr, 390, 280, 340, 300, 330, 310);
  cairo_line_to(cr, 330, 350);
  cairo_line_to(cr, 370, 390);
  cairo_line_to(cr, 270, 390);
  cairo_line_to(cr, 310, 350);
  cairo_line_to(cr, 310, 310);
  cairo_curve_to(cr, 300, 300, 250, 280, 250, 170);
  cairo_close_path(cr);
  fill_outline(cr, hex(0xf0c030), 3, 0.45);
  return p;
}

Pic gameover() {
  Pic p(W, H);
  cairo_t* cr = p.cr;
  rounded_rect(cr, 110, 180, 420, 120, 18);
  vgradient(cr, 110, 180, 420, 120, hex(0x6a0808), hex(0x2a0202));
  rounded_rect(cr, 110, 180, 420, 120, 18);
  cairo_set_line_width(cr, 4);
  set(cr, hex(0xf0c030));
  cairo_stroke(cr);
  text_outlined(cr, Face::Banner, 72, 320, 266, "GAME OVER", {1, 0.9, 0.3}, {0.25, 0.02, 0.02}, 3, Align::Centre);
  return p;
}

Pic fog_mask() {
  Pic p(W, H);
  cairo_t* cr = p.cr;
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, H);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.78, 0.8, 0.84);
  cairo_pattern_add_color_stop_rgb(g, 0.38, 0.95, 0.95, 0.97);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.7, 0.72, 0.76);
  cairo_rectangle(cr, 0, 0, W, H);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  return p;
}

}  // namespace

void register_screens(Registry& r) {
  r["GFX/GameMenu2.bmp"] = game_menu;
  r["GFX/menu_mask.bmp"] = menu_mask;
  r["GFX/Menu_VRCS.bmp"] = menu_vrcs;
  r["GFX/menu_vrcs_info.bmp"] = menu_vrcs_info;
  r["GFX/worldmap.bmp"] = worldmap;
  r["GFX/lt_pin.bmp"] = map_pin;
  r["GFX/icon_pokal.bmp"] = pokal;
  const char* tiles[] = {"lt_palms", "lt_winter", "lt_city", "lt_desert", "lt_spain", "lt_russia",
                         "lt_uk",    "lt_hu",     "lt_fy",   "lt_ic",     "lt_bahamas", "lt_swiss"};
  const char* rounds[] = {"FL", "BV", "HK", "EG", "ES", "RU", "UK", "HU", "FY", "IC", "BS", "CH"};
  for (int i = 0; i < 12; ++i) {
    r[std::string("GFX/") + tiles[i] + ".bmp"] = [i] { return framed_view(i + 1, 200, 150); };
    r[std::string("GFX/tournament_") + rounds[i] + ".bmp"] = [i] { return framed_view(i + 1, 406, 258); };
  }
  r["GFX/bg_tournament.bmp"] = bg_tournament;
  r["GFX/racefail.bmp"] = racefail;
  r["GFX/HighScore.bmp"] = highscore;
  r["GFX/hs_01.bmp"] = [] { return hs_banner(0); };
  r["GFX/hs_02.bmp"] = [] { return hs_banner(1); };
  const char* os[] = {"os_unk", "os_aos", "os_mos", "os_win", "os_lux", "os_osx", "os_rpi", "os_pan", "os_gcw"};
  for (int i = 0; i < 9; ++i) r[std::string("GFX/") + os[i] + ".bmp"] = [i] { return os_icon(i); };
  r["GFX/info_red.bmp"] = info_red;
  r["GFX/bg_config.bmp"] = bg_config;
  r["GFX/aluplate.bmp"] = aluplate;
  r["GFX/bg_inputcfg.bmp"] = bg_inputcfg;
  r["GFX/joyball.bmp"] = [] { return joy_button(hex(0xc0c0c8), 32); };
  r["GFX/JoyBtnRed.bmp"] = [] { return joy_button(hex(0xd82020), 24); };
  r["GFX/JoyBtnBlue.bmp"] = [] { return joy_button(hex(0x2050d8), 24); };
  r["GFX/JoyBtnGreen.bmp"] = [] { return joy_button(hex(0x20a840), 24); };
  r["GFX/JoyBtnYellow.bmp"] = [] { return joy_button(hex(0xe8c020), 24); };
  r["GFX/Radio.bmp"] = radio;
  r["GFX/Artist_Girl.bmp"] = artist_girl;
  r["GFX/Intro_Logo1.bmp"] = [] { return intro_logo(false); };
  r["GFX/Intro_Logo2.bmp"] = [] { return intro_logo(true); };
  r["GFX/VantoRello256.bmp"] = credits_background;
  r["GFX/gametitle.bmp"] = gametitle;
  r["GFX/congrats.bmp"] = congrats;
  r["GFX/gameover.bmp"] = gameover;
  r["GFX/fog_mask.bmp"] = fog_mask;
}

}  // namespace art
