// The pictures in the cells of the main menu and the constructor (cars, scenarios,
// icons), the blinking cursor frames, and the scenario views the track browser and
// the tournament show.
#include <cmath>

#include "cars.h"
#include "draw.h"
#include "menus.h"
#include "nature.h"
#include "skies.h"

namespace art {

namespace {

// Grid pictures are drawn at x = 16, 228, 448 and y = 99, 199, 299, 399 inside cursor
// frames at x = 0, 210, 420 and y = 80, 180, 280, 380; labels stand at y = 89 and reach
// about 12 rows down, so each picture begins with a clear band under the label's foot,
// and ends 8 rows above the plate's lower edge (the last row's plate ends at 476).
const int kCellW = 180, kCellH = 69, kBand = 9;
const int kFrameW = 216, kFrameH = 100;

struct ScenarioLook {
  RGB grass, road, kerb_a, kerb_b;
  int prop;  // what stands beside the road
};

ScenarioLook look(int scenario) {
  switch (scenario) {
    case 2: return {hex(0xeef2f8), hex(0x5a5a60), hex(0xd02020), hex(0xf0f0f0), 2};
    case 3: return {hex(0x4a6a3a), hex(0x3a3a40), hex(0xf0f0f0), hex(0x202020), 3};
    case 4: return {hex(0xe0c080), hex(0x6a6050), hex(0xd0a040), hex(0xf0f0f0), 4};
    case 5: return {hex(0xb89858), hex(0x5a5650), hex(0xc82020), hex(0xf0d020), 5};
    case 6: return {hex(0x5a7a4a), hex(0x4a4a4a), hex(0xf0f0f0), hex(0xc82020), 2};
    case 7: return {hex(0x4a6a3a), hex(0x3a3a3e), hex(0xf0f0f0), hex(0x1e3a8a), 1};
    case 8: return {hex(0x6aaa3a), hex(0x5a5a5a), hex(0xf0f0f0), hex(0x2a8a3a), 1};
    case 9: return {hex(0x4ab880), hex(0x6a4a8a), hex(0xffe040), hex(0xe04ab0), 6};
    case 10: return {hex(0x5a5450), hex(0x3a3634), hex(0xf0c020), hex(0x202020), 3};
    case 11: return {hex(0xf0dca0), hex(0x6a6a6a), hex(0x1aa8c8), hex(0xf0f0f0), 0};
    case 12: return {hex(0x6aaa3a), hex(0x555555), hex(0xd8141e), hex(0xf0f0f0), 2};
    default: return {hex(0xc88c3a), hex(0x5a5a5a), hex(0xdcdc05), hex(0x141414), 0};
  }
}

void paste(cairo_t* cr, const Pic& p, double x, double bottom, double height) {
  double s = height / p.h;
  cairo_save(cr);
  cairo_translate(cr, x - p.w * s / 2, bottom - height);
  cairo_scale(cr, s, s);
  cairo_set_source_surface(cr, p.surface, 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
}

}  // namespace

// A small view down a road of the scenario: its sky, ground, kerbs and a few plants.
Pic scenario_view(int scenario, int w, int h) {
  Pic p(w, h);
  cairo_t* cr = p.cr;
  const Pic* sky = &cached_strip(scenario);
  double horizon = h * 0.48;
  // The bottom of the strip meets the horizon.
  double s = horizon / 190.0;
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, w, horizon);
  cairo_clip(cr);
  cairo_translate(cr, -200 * s, horizon - sky->h * s);
  cairo_scale(cr, s, s);
  cairo_set_source_surface(cr, sky->surface, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);
  ScenarioLook lk = look(scenario);
  vgradient(cr, 0, horizon, w, h - horizon, shade(lk.grass, 0.85), lk.grass);
  // Road in perspective with striped kerbs.
  double vx = w * 0.52;
  const int stripes = 12;
  for (int i = 0; i < stripes; ++i) {
    double t0 = i / double(stripes), t1 = (i + 1) / double(stripes);
    auto y = [&](double t) { return horizon + (h - horizon) * t * t; };
    auto half = [&](double t) { return w * 0.02 + w * 0.55 * t * t; };
    double ya = y(t0), yb = y(t1);
    polygon(cr, {vx - half(t0) * 1.08, ya, vx + half(t0) * 1.08, ya, vx + half(t1) * 1.08, yb, vx - half(t1) * 1.08, yb});
    set(cr, i % 2 ? lk.kerb_a : lk.kerb_b);
    cairo_fill(cr);
    polygon(cr, {vx - half(t0), ya, vx + half(t0), ya, vx + half(t1), yb, vx - half(t1), yb});
    set(cr, shade(lk.road, i % 2 ? 1.0 : 1.06));
    cairo_fill(cr);
    if (i % 2) {
      polygon(cr, {vx - half(t0) * 0.02, ya, vx + half(t0) * 0.02, ya, vx + half(t1) * 0.02, yb, vx - half(t1) * 0.02, yb});
      set(cr, {0.95, 0.95, 0.95});
      cairo_fill(cr);
    }
  }
  // Roadside plants, far to near.
  double ppm = 20;
  for (int k = 0; k < 3; ++k) {
    double t = 0.35 + k * 0.3, y = horizon + (h - horizon) * t * t, half = w * 0.02 + w * 0.55 * t * t;
    double size = (h - horizon) * (0.25 + t * 0.9);
    Pic prop;
    switch (lk.prop) {
      case 0: prop = palm(ppm, 10, hex(0x3a8a2a), 60 + k); break;
      case 1: prop = tree_round(ppm, 8, hex(0x3a7a2a), hex(0x4a3020), 61 + k, false); break;
      case 2: prop = tree_conifer(ppm, 9, hex(0x24502e), 62 + k, scenario == 2); break;
      case 3: prop = tree_round(ppm, 8, hex(0xd06a20), hex(0x4a3020), 63 + k, false); break;
      case 4: prop = cactus(ppm, 4); break;
      case 5: prop = tree_round(ppm, 7, hex(0x6a8a3a), hex(0x5a4030), 64 + k, false); break;
      default: prop = tree_round(ppm, 9, hex(0x9a40c0), hex(0x4a2a5a), 65 + k, false); break;
    }
    paste(cr, prop, vx - half * 1.35, y, size);
    paste(cr, prop, vx + half * 1.35, y, size * 0.95);
  }
  return p;
}

// The cell plate every grid picture sits on: a clear light band at the top under the
// label's foot, then a framed darker panel.
void cell_plate(Pic& p, RGB tint) {
  cairo_t* cr = p.cr;
  fill_rect(cr, 0, 0, p.w, kBand, {0.86, 0.87, 0.9});
  vgradient(cr, 0, kBand, p.w, p.h - kBand, shade(tint, 1.25), shade(tint, 0.55));
  cairo_rectangle(cr, 0.5, kBand + 0.5, p.w - 1, p.h - kBand - 1);
  cairo_set_line_width(cr, 1);
  set(cr, shade(tint, 0.35));
  cairo_stroke(cr);
}

namespace {

Pic car_cell(const std::string& model) {
  Pic p(kCellW, kCellH);
  cell_plate(p, hex(0x3a4a6a));
  // Floor reflection stripe and the car.
  vgradient(p.cr, 1, kCellH * 0.62, kCellW - 2, kCellH * 0.38 - 1, hex(0x5a6a8a), hex(0x2a3248));
  // The car stands inside the frame, below the band, with a margin all round.
  const double room_w = kCellW - 24, room_h = kCellH - kBand - 8;
  Pic car = model == "Kawa" || model == "Triglide" ? bike_showcase(model == "Triglide", 40)
                                                   : car_showcase(model, static_cast<int>(room_w), static_cast<int>(room_h));
  double s = std::min(room_w / car.w, room_h / car.h);
  cairo_save(p.cr);
  cairo_rectangle(p.cr, 2, kBand + 2, kCellW - 4, kCellH - kBand - 4);
  cairo_clip(p.cr);
  cairo_translate(p.cr, (kCellW - car.w * s) / 2, kCellH - 4 - car.h * s);
  cairo_scale(p.cr, s, s);
  cairo_set_source_surface(p.cr, car.surface, 0, 0);
  cairo_paint(p.cr);
  cairo_restore(p.cr);
  return p;
}

Pic scenario_cell(int scenario) {
  Pic p(kCellW, kCellH);
  Pic v = scenario_view(scenario, kCellW - 4, kCellH - kBand - 3);
  cell_plate(p, hex(0x3a4a6a));
  cairo_set_source_surface(p.cr, v.surface, 2, kBand + 1);
  cairo_paint(p.cr);
  return p;
}

// Icon cells: a symbol centred below the label band.
Pic icon_cell(RGB tint, const std::function<void(cairo_t*, double cx, double cy, double s)>& symbol) {
  Pic p(kCellW, kCellH);
  cell_plate(p, tint);
  symbol(p.cr, kCellW / 2.0, kBand + (kCellH - kBand) / 2.0, (kCellH - kBand - 8) / 2.0);
  return p;
}

void star(cairo_t* cr, double cx, double cy, double r, RGB c) {
  cairo_new_path(cr);
  for (int i = 0; i < 10; ++i) {
    double a = -M_PI / 2 + i * M_PI / 5, rr = i % 2 ? r * 0.45 : r;
    cairo_line_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
  }
  cairo_close_path(cr);
  fill_outline(cr, c, 1.5, 0.45);
}

void helmet(cairo_t* cr, double cx, double cy, double r, RGB c) {
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r, M_PI * 0.9, M_PI * 2.25);
  cairo_line_to(cr, cx + r * 0.2, cy + r * 0.85);
  cairo_line_to(cr, cx - r * 0.75, cy + r * 0.7);
  cairo_close_path(cr);
  fill_outline(cr, c, 2, 0.45);
  polygon(cr, {cx + r * 0.1, cy - r * 0.1, cx + r * 1.0, cy - r * 0.05, cx + r * 0.95, cy + r * 0.45, cx + r * 0.2,
               cy + r * 0.4});
  fill_outline(cr, hex(0x1a2a3a), 1.5, 0.6);
  line(cr, cx - r * 0.9, cy - r * 0.2, cx + r * 0.2, cy - r * 0.85, r * 0.18, {1, 1, 1});
}

void trophy(cairo_t* cr, double cx, double cy, double s, RGB c) {
  cairo_new_path(cr);
  cairo_move_to(cr, cx - s * 0.55, cy - s * 0.8);
  cairo_line_to(cr, cx + s * 0.55, cy - s * 0.8);
  cairo_curve_to(cr, cx + s * 0.55, cy + s * 0.1, cx + s * 0.2, cy + s * 0.2, cx + s * 0.1, cy + s * 0.3);
  cairo_line_to(cr, cx + s * 0.1, cy + s * 0.55);
  cairo_line_to(cr, cx + s * 0.4, cy + s * 0.85);
  cairo_line_to(cr, cx - s * 0.4, cy + s * 0.85);
  cairo_line_to(cr, cx - s * 0.1, cy + s * 0.55);
  cairo_line_to(cr, cx - s * 0.1, cy + s * 0.3);
  cairo_curve_to(cr, cx - s * 0.2, cy + s * 0.2, cx - s * 0.55, cy + s * 0.1, cx - s * 0.55, cy - s * 0.8);
  cairo_close_path(cr);
  fill_outline(cr, c, 2, 0.5);
  for (int side : {-1, 1}) {
    cairo_new_path(cr);
    cairo_arc(cr, cx + side * s * 0.6, cy - s * 0.45, s * 0.25, 0, 2 * M_PI);
    cairo_set_line_width(cr, s * 0.1);
    set(cr, shade(c, 0.8));
    cairo_stroke(cr);
  }
}

void gear_knob(cairo_t* cr, double cx, double cy, double s, const char* letter) {
  line(cr, cx, cy + s * 0.9, cx, cy, s * 0.18, {0.55, 0.56, 0.6});
  ellipse(cr, cx, cy - s * 0.25, s * 0.5, s * 0.5);
  cairo_pattern_t* g = cairo_pattern_create_radial(cx - s * 0.15, cy - s * 0.4, 1, cx, cy - s * 0.25, s * 0.5);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.6, 0.6, 0.65);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.1, 0.1, 0.12);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  text(cr, Face::Title, s * 0.6, cx, cy - s * 0.05, letter, {1, 0.85, 0.3}, Align::Centre);
  for (int i = 0; i < 3; ++i) {
    double x = cx + s * (1.0 + i * 0.45);
    line(cr, x, cy - s * 0.7, x, cy + s * 0.7, s * 0.1, {0.85, 0.86, 0.9});
  }
  line(cr, cx + s * 1.0, cy, cx + s * 1.9, cy, s * 0.1, {0.85, 0.86, 0.9});
}

}  // namespace

// Driver's licence card, also used by the settings screen.
void licence_card(cairo_t* cr, double cx, double cy, double s) {
  rounded_rect(cr, cx - s * 1.6, cy - s * 0.95, s * 3.2, s * 1.9, s * 0.18);
  cairo_pattern_t* g = cairo_pattern_create_linear(cx - s * 1.6, 0, cx + s * 1.6, 0);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.95, 0.78, 0.85);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.75, 0.85, 0.98);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 1.5);
  set(cr, {0.3, 0.3, 0.4});
  cairo_stroke(cr);
  fill_rect(cr, cx - s * 1.4, cy - s * 0.6, s * 1.0, s * 1.3, hex(0xb0b8c8));
  ellipse(cr, cx - s * 0.9, cy - s * 0.2, s * 0.28, s * 0.33);
  set(cr, hex(0x6a5a4a));
  cairo_fill(cr);
  for (int i = 0; i < 4; ++i) line(cr, cx - s * 0.2, cy - s * 0.5 + i * s * 0.35, cx + s * 1.35, cy - s * 0.5 + i * s * 0.35, s * 0.1, {0.3, 0.35, 0.5});
}

void register_menus(Registry& r) {
  const std::pair<const char*, const char*> cars[] = {
      {"select_cls", "CLS"},           {"select_911", "911"},           {"select_mini", "Mini"},
      {"select_delorean", "DeLorean"}, {"select_koenigsegg", "Koenigsegg"}, {"select_shelby", "Shelby"},
      {"select_hsv_gts", "HSV_GTS"},   {"select_esprit", "Esprit"},     {"select_nissan_gtr2", "Nissan_GTR"},
      {"select_bmw_m3", "BMW_M3"},     {"select_f512", "F512"},         {"select_trabi", "Trabi"},
      {"select_beetle", "Beetle"},     {"select_kawa", "Kawa"},         {"select_manta", "Manta"},
      {"select_triglide", "Triglide"}, {"select_octavia", "Octavia"},   {"select_honda", "Honda"},
      {"select_r190", "R190"}};
  for (const auto& [file, model] : cars) {
    std::string m = model;
    r[std::string("GFX/") + file + ".bmp"] = [m] { return car_cell(m); };
  }
  const char* scen[] = {"icon_sc_palms", "track_bavaria", "track_city", "track_desert", "track_spain", "track_russia",
                        "track_uk", "track_hu", "track_fantasy", "track_industry", "track_bahamas", "track_swiss"};
  for (int i = 0; i < 12; ++i) r[std::string("GFX/") + scen[i] + ".bmp"] = [i] { return scenario_cell(i + 1); };

  const RGB steel = hex(0x3a4a6a), green = hex(0x2a6a3a), red = hex(0x7a2a2a);
  r["GFX/select_build.bmp"] = [=] {
    return icon_cell(hex(0x6a5a2a), [](cairo_t* cr, double cx, double cy, double s) {
      polygon(cr, {cx - s * 2.2, cy + s, cx - s * 0.3, cy - s * 0.7, cx + s * 0.3, cy - s * 0.7, cx + s * 2.2, cy + s});
      fill_outline(cr, hex(0x4a4a4e), 1.5, 0.5);
      for (int i = 0; i < 3; ++i) fill_rect(cr, cx - s * 0.06, cy - s * 0.6 + i * s * 0.55, s * 0.12 + i * 0.05 * s, s * 0.3, {1, 1, 1});
      for (int side : {-1, 1}) {
        polygon(cr, {cx + side * s * 1.6, cy - s * 0.2, cx + side * s * 1.85, cy + s * 0.8, cx + side * s * 1.35, cy + s * 0.8});
        fill_outline(cr, hex(0xf08a10), 1, 0.5);
        fill_rect(cr, cx + side * s * 1.6 - s * 0.12, cy + s * 0.2, s * 0.24, s * 0.1, {1, 1, 1});
      }
    });
  };
  r["GFX/icon_license.bmp"] = [=] { return icon_cell(steel, licence_card); };
  r["GFX/icon_live_update.bmp"] = [=] {
    return icon_cell(steel, [](cairo_t* cr, double cx, double cy, double s) {
      for (int k = 0; k < 2; ++k) {
        double a0 = k * M_PI + 0.3, a1 = a0 + M_PI - 0.6;
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, s * 0.9, a0, a1);
        cairo_set_line_width(cr, s * 0.28);
        set(cr, hex(0x40d060));
        cairo_stroke(cr);
        double ex = cx + std::cos(a1) * s * 0.9, ey = cy + std::sin(a1) * s * 0.9;
        double tx = -std::sin(a1), ty = std::cos(a1);
        polygon(cr, {ex + tx * s * 0.35, ey + ty * s * 0.35, ex - ty * s * 0.35 + tx * -0.1, ey + tx * s * 0.35,
                     ex + ty * s * 0.35, ey - tx * s * 0.35});
        set(cr, hex(0x40d060));
        cairo_fill(cr);
      }
      ellipse(cr, cx, cy, s * 0.45, s * 0.45);
      fill_outline(cr, hex(0x3a7ad8), 1.5, 0.5);
    });
  };
  r["GFX/icon_leader.bmp"] = [=] {
    return icon_cell(steel, [](cairo_t* cr, double cx, double cy, double s) {
      trophy(cr, cx - s * 1.2, cy, s * 0.9, hex(0xf0c030));
      for (int i = 0; i < 4; ++i) {
        fill_rect(cr, cx + s * 0.2, cy - s * 0.8 + i * s * 0.45, s * 0.25, s * 0.25, hex(0xf0c030));
        fill_rect(cr, cx + s * 0.6, cy - s * 0.75 + i * s * 0.45, s * (1.6 - i * 0.25), s * 0.15, {0.9, 0.9, 0.95});
      }
    });
  };
  const RGB diff[] = {hex(0x2a8a3a), hex(0x8a8a2a), hex(0x9a5a1a), hex(0x8a1a1a)};
  const char* dnames[] = {"diff_easy", "diff_normal", "diff_hard", "diff_expert"};
  for (int d = 0; d < 4; ++d) {
    RGB tint = diff[d];
    r[std::string("GFX/") + dnames[d] + ".bmp"] = [d, tint] {
      return icon_cell(tint, [d](cairo_t* cr, double cx, double cy, double s) {
        for (int i = 0; i < 4; ++i)
          star(cr, cx + (i - 1.5) * s * 0.95, cy, s * 0.42, i <= d ? RGB{1, 0.82, 0.2} : RGB{0.35, 0.35, 0.38});
      });
    };
  }
  r["GFX/select_world2.bmp"] = [=] {
    return icon_cell(steel, [](cairo_t* cr, double cx, double cy, double s) {
      ellipse(cr, cx, cy + s * 0.1, s * 0.85, s * 0.85);
      fill_outline(cr, hex(0x2a6ad0), 1.5, 0.5);
      polygon(cr, {cx - s * 0.6, cy - s * 0.3, cx - s * 0.1, cy - s * 0.5, cx + s * 0.1, cy, cx - s * 0.3, cy + s * 0.5});
      set(cr, hex(0x3aa84a));
      cairo_fill(cr);
      polygon(cr, {cx + s * 0.2, cy - s * 0.6, cx + s * 0.7, cy - s * 0.2, cx + s * 0.4, cy + s * 0.4});
      cairo_fill(cr);
      for (int i = 0; i < 3; ++i) {
        ellipse(cr, cx + s * (0.6 + i * 0.45), cy - s * (0.55 - (i % 2) * 0.2), s * 0.45, s * 0.3);
        set(cr, {0.97, 0.97, 1.0});
        cairo_fill(cr);
      }
    });
  };
  r["GFX/icon_input_key.bmp"] = [=] {
    return icon_cell(steel, [](cairo_t* cr, double cx, double cy, double s) {
      rounded_rect(cr, cx - s * 2.3, cy - s * 0.8, s * 4.6, s * 1.6, s * 0.15);
      fill_outline(cr, hex(0x2a2a30), 1.5, 2);
      for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 10; ++i)
          fill_rect(cr, cx - s * 2.1 + i * s * 0.42 + j * s * 0.1, cy - s * 0.6 + j * s * 0.42, s * 0.34, s * 0.34,
                    {0.85, 0.86, 0.9});
    });
  };
  r["GFX/icon_input_joy.bmp"] = [=] {
    return icon_cell(steel, [](cairo_t* cr, double cx, double cy, double s) {
      rounded_rect(cr, cx - s * 1.5, cy + s * 0.2, s * 3, s * 0.8, s * 0.3);
      fill_outline(cr, hex(0x2a2a30), 1.5, 2);
      line(cr, cx, cy + s * 0.3, cx + s * 0.2, cy - s * 0.6, s * 0.25, {0.4, 0.4, 0.45});
      ellipse(cr, cx + s * 0.2, cy - s * 0.7, s * 0.35, s * 0.35);
      fill_outline(cr, hex(0xd02020), 1.5, 0.5);
      ellipse(cr, cx + s * 1.0, cy + s * 0.45, s * 0.18, s * 0.12);
      set(cr, hex(0xf0c020));
      cairo_fill(cr);
    });
  };
  r["GFX/icon_VRCS.bmp"] = [=] {
    return icon_cell(hex(0x6a5a2a), [](cairo_t* cr, double cx, double cy, double s) {
      polygon(cr, {cx - s * 2.4, cy + s, cx - s * 0.8, cy - s * 0.3, cx - s * 0.2, cy - s * 0.3, cx + s * 0.2, cy + s});
      fill_outline(cr, hex(0x4a4a4e), 1.5, 0.5);
      line(cr, cx + s * 0.9, cy + s, cx + s * 0.9, cy - s * 0.9, s * 0.2, hex(0xf0b810));
      line(cr, cx + s * 0.3, cy - s * 0.85, cx + s * 2.2, cy - s * 0.85, s * 0.2, hex(0xf0b810));
      line(cr, cx + s * 1.9, cy - s * 0.85, cx + s * 1.9, cy - s * 0.1, s * 0.06, {0.2, 0.2, 0.2});
      fill_rect(cr, cx + s * 1.7, cy - s * 0.1, s * 0.4, s * 0.3, hex(0xc83a2a));
    });
  };
  r["GFX/icon_splayer.bmp"] = [=] {
    return icon_cell(steel, [](cairo_t* cr, double cx, double cy, double s) { helmet(cr, cx, cy, s * 0.8, hex(0xd02a2a)); });
  };
  r["GFX/icon_mplayer.bmp"] = [=] {
    return icon_cell(steel, [](cairo_t* cr, double cx, double cy, double s) {
      helmet(cr, cx - s * 0.9, cy, s * 0.7, hex(0x2a6ad0));
      helmet(cr, cx + s * 0.9, cy, s * 0.7, hex(0xd02a2a));
    });
  };
  r["GFX/icon_tournament.bmp"] = [=] {
    return icon_cell(steel, [](cairo_t* cr, double cx, double cy, double s) {
      trophy(cr, cx, cy, s * 0.9, hex(0xf0c030));
      for (int side : {-1, 1}) {
        line(cr, cx + side * s * 1.8, cy + s, cx + side * s * 1.8, cy - s * 0.9, s * 0.08, {0.8, 0.8, 0.8});
        cairo_save(cr);
        cairo_rectangle(cr, cx + side * s * 1.8 - (side < 0 ? s * 0.8 : 0), cy - s * 0.9, s * 0.8, s * 0.55);
        cairo_clip(cr);
        for (int j = 0; j < 3; ++j)
          for (int i = 0; i < 5; ++i)
            fill_rect(cr, cx + side * s * 1.8 - (side < 0 ? s * 0.8 : 0) + i * s * 0.16, cy - s * 0.9 + j * s * 0.18,
                      s * 0.16, s * 0.18, (i + j) % 2 ? RGB{0.05, 0.05, 0.05} : RGB{1, 1, 1});
        cairo_restore(cr);
      }
    });
  };
  r["GFX/icon_automatic.bmp"] = [=] {
    return icon_cell(steel, [](cairo_t* cr, double cx, double cy, double s) { gear_knob(cr, cx - s * 0.8, cy, s * 0.9, "A"); });
  };
  r["GFX/icon_manual.bmp"] = [=] {
    return icon_cell(steel, [](cairo_t* cr, double cx, double cy, double s) { gear_knob(cr, cx - s * 0.8, cy, s * 0.9, "M"); });
  };
  r["GFX/select_start2.bmp"] = [=] {
    return icon_cell(green, [](cairo_t* cr, double cx, double cy, double s) {
      rounded_rect(cr, cx - s * 2.2, cy - s * 0.55, s * 4.4, s * 1.1, s * 0.5);
      fill_outline(cr, hex(0x1a1a1e), 1.5, 2);
      for (int i = 0; i < 5; ++i) {
        ellipse(cr, cx + (i - 2) * s * 0.85, cy, s * 0.36, s * 0.36);
        set(cr, {0.2, 1.0, 0.3});
        cairo_fill(cr);
      }
    });
  };
  r["GFX/icon_save.bmp"] = [=] {
    return icon_cell(green, [](cairo_t* cr, double cx, double cy, double s) {
      rounded_rect(cr, cx - s * 0.9, cy - s * 0.9, s * 1.8, s * 1.8, s * 0.12);
      fill_outline(cr, hex(0x2a4a9a), 1.5, 0.5);
      fill_rect(cr, cx - s * 0.55, cy - s * 0.9, s * 1.1, s * 0.7, {0.85, 0.86, 0.9});
      fill_rect(cr, cx + s * 0.15, cy - s * 0.8, s * 0.25, s * 0.5, hex(0x2a4a9a));
      fill_rect(cr, cx - s * 0.6, cy + s * 0.1, s * 1.2, s * 0.7, {0.97, 0.97, 0.97});
    });
  };
  r["GFX/icon_cancel.bmp"] = [=] {
    return icon_cell(red, [](cairo_t* cr, double cx, double cy, double s) {
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      line(cr, cx - s * 0.7, cy - s * 0.7, cx + s * 0.7, cy + s * 0.7, s * 0.4, {1, 0.3, 0.3});
      line(cr, cx + s * 0.7, cy - s * 0.7, cx - s * 0.7, cy + s * 0.7, s * 0.4, {1, 0.3, 0.3});
    });
  };
  // Cursor frames: a bright border round one cell, black (transparent) inside.
  for (int phase = 0; phase < 2; ++phase) {
    r[phase ? "GFX/Selector2.bmp" : "GFX/Selector.bmp"] = [phase] {
      Pic p(kFrameW, kFrameH);
      cairo_t* cr = p.cr;
      RGB outer = phase ? RGB{1.0, 1.0, 0.75} : RGB{1.0, 0.62, 0.05};
      RGB inner = phase ? RGB{1.0, 0.85, 0.2} : RGB{0.8, 0.3, 0.02};
      rounded_rect(cr, 2, 2, kFrameW - 4, kFrameH - 4, 9);
      cairo_set_line_width(cr, 4);
      set(cr, outer);
      cairo_stroke(cr);
      rounded_rect(cr, 5.5, 5.5, kFrameW - 11, kFrameH - 11, 6);
      cairo_set_line_width(cr, 1.5);
      set(cr, inner);
      cairo_stroke(cr);
      return p;
    };
  }
}

}  // namespace art
