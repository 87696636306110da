// People and animals: the start and pit girls, the cheering crowds, Santa, the
// snowman, surfers, the camel and the bull.
#include <cmath>

#include "cars.h"
#include "draw.h"

namespace art {

namespace {

struct Person {
  RGB skin, hair, top, bottom, shoes;
  bool skirt = false;
  bool long_hair = true;
  bool hat = false;  // Santa hat
  bool coat = false;  // winter coat with fur trim
  double arm_left = 0.2;   // arm angles in radians from hanging down, outwards positive
  double arm_right = 0.2;
  int holds = 0;  // 0 nothing, 1 flag, 2 umbrella, 3 sign board
  RGB item{1, 1, 1};
  double height_m = 1.7;
};

// Draws a standing person, feet at (cx, foot), in pixels per metre.
void draw_person(cairo_t* cr, double cx, double foot, double ppm, const Person& p) {
  double H = p.height_m * ppm, u = H / 8.0;  // head height units
  double hip = foot - H * 0.5, shoulder = foot - H * 0.82, neck = foot - H * 0.85;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  // Legs.
  for (int side : {-1, 1}) {
    double x = cx + side * u * 0.35;
    line(cr, x, hip, x + side * u * 0.1, foot - u * 0.25, u * 0.42, p.coat ? p.bottom : p.skin);
    ellipse(cr, x + side * u * 0.15, foot - u * 0.12, u * 0.3, u * 0.15);
    set(cr, p.shoes);
    cairo_fill(cr);
  }
  if (!p.skirt && !p.coat)
    for (int side : {-1, 1}) line(cr, cx + side * u * 0.35, hip, cx + side * u * 0.42, foot - u * 0.5, u * 0.5, p.bottom);
  // Torso (and skirt or coat).
  if (p.coat) {
    polygon(cr, {cx - u * 0.8, shoulder, cx + u * 0.8, shoulder, cx + u * 1.05, hip + u * 1.2, cx - u * 1.05,
                 hip + u * 1.2});
    fill_outline(cr, p.top, 1, 0.6);
    fill_rect(cr, cx - u * 1.05, hip + u * 1.0, u * 2.1, u * 0.3, {0.97, 0.97, 0.97});
    line(cr, cx, shoulder, cx, hip + u * 1.0, u * 0.25, {0.97, 0.97, 0.97});
  } else {
    polygon(cr, {cx - u * 0.75, shoulder, cx + u * 0.75, shoulder, cx + u * 0.55, hip, cx - u * 0.55, hip});
    fill_outline(cr, p.top, 1, 0.6);
    if (p.skirt) {
      polygon(cr, {cx - u * 0.55, hip - u * 0.1, cx + u * 0.55, hip - u * 0.1, cx + u * 0.85, hip + u * 0.9,
                   cx - u * 0.85, hip + u * 0.9});
      fill_outline(cr, p.bottom, 1, 0.6);
    }
  }
  // Arms.
  auto arm = [&](int side, double angle) {
    double sx = cx + side * u * 0.7, sy = shoulder + u * 0.15, len = u * 2.6;
    double ex = sx + side * std::sin(angle) * len, ey = sy + std::cos(angle) * len;
    line(cr, sx, sy, ex, ey, u * 0.36, p.coat ? p.top : p.skin);
    ellipse(cr, ex, ey, u * 0.2, u * 0.2);
    set(cr, p.skin);
    cairo_fill(cr);
    return std::make_pair(ex, ey);
  };
  arm(-1, p.arm_left);
  auto hand = arm(1, p.arm_right);
  // Head.
  double hy = neck - u * 0.5;
  if (p.long_hair) {
    polygon(cr, {cx - u * 0.55, hy, cx + u * 0.55, hy, cx + u * 0.65, hy + u * 1.3, cx - u * 0.65, hy + u * 1.3});
    set(cr, p.hair);
    cairo_fill(cr);
  }
  ellipse(cr, cx, hy, u * 0.45, u * 0.55);
  set(cr, p.skin);
  cairo_fill(cr);
  cairo_new_path(cr);
  cairo_arc(cr, cx, hy - u * 0.05, u * 0.5, M_PI * 1.05, M_PI * 1.95);
  cairo_close_path(cr);
  set(cr, p.hair);
  cairo_fill(cr);
  for (int side : {-1, 1}) {
    ellipse(cr, cx + side * u * 0.17, hy + u * 0.05, u * 0.06, u * 0.08);
    set(cr, {0.15, 0.1, 0.1});
    cairo_fill(cr);
  }
  line(cr, cx - u * 0.12, hy + u * 0.3, cx + u * 0.12, hy + u * 0.3, u * 0.06, {0.7, 0.2, 0.25});
  if (p.hat) {
    polygon(cr, {cx - u * 0.55, hy - u * 0.3, cx + u * 0.55, hy - u * 0.3, cx + u * 0.8, hy - u * 1.2});
    set(cr, {0.85, 0.1, 0.1});
    cairo_fill(cr);
    fill_rect(cr, cx - u * 0.6, hy - u * 0.42, u * 1.2, u * 0.22, {0.97, 0.97, 0.97});
    ellipse(cr, cx + u * 0.8, hy - u * 1.2, u * 0.16, u * 0.16);
    cairo_fill(cr);
  }
  // Things held in the right hand.
  if (p.holds == 1) {
    double top = hand.second - u * 2.2;
    line(cr, hand.first, hand.second + u * 0.3, hand.first, top, u * 0.1, {0.3, 0.3, 0.3});
    double fw = u * 1.6, fh = u * 1.1;
    cairo_save(cr);
    cairo_rectangle(cr, hand.first, top, fw, fh);
    cairo_clip(cr);
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 4; ++i)
        fill_rect(cr, hand.first + i * fw / 4, top + j * fh / 3, fw / 4, fh / 3,
                  (i + j) % 2 ? RGB{0.08, 0.08, 0.08} : RGB{0.97, 0.97, 0.97});
    cairo_restore(cr);
  } else if (p.holds == 2) {
    line(cr, hand.first, hand.second, hand.first, hand.second - u * 3.2, u * 0.1, {0.3, 0.3, 0.3});
    cairo_new_path(cr);
    cairo_arc(cr, hand.first, hand.second - u * 2.4, u * 1.6, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    fill_outline(cr, p.item, 1, 0.6);
  } else if (p.holds == 3) {
    rounded_rect(cr, hand.first - u * 0.8, hand.second - u * 2.2, u * 1.6, u * 1.1, u * 0.1);
    fill_outline(cr, p.item, 1, 0.6);
    line(cr, hand.first, hand.second, hand.first, hand.second - u * 1.1, u * 0.1, {0.3, 0.3, 0.3});
  }
}

Pic person_pic(double ppm, const Person& p) {
  double H = p.height_m * ppm;
  int w = static_cast<int>(H * 0.62), h = static_cast<int>(H * 1.12);
  Pic pic(w, h);
  draw_person(pic.cr, w / 2.0, h - 1, ppm, p);
  return pic;
}

Person pit_girl(RGB suit, RGB hair, double arm_r, int holds, RGB item) {
  Person p{hex(0xf0c8a0), hair, suit, suit, hex(0x202020)};
  p.skirt = true;
  p.arm_right = arm_r;
  p.holds = holds;
  p.item = item;
  return p;
}

Person xmas_girl(RGB coat, RGB hair, double arm_r) {
  Person p{hex(0xf0c8a0), hair, coat, hex(0x202024), hex(0x3a2a20)};
  p.coat = true;
  p.hat = true;
  p.arm_right = arm_r;
  return p;
}

Pic crowd(double ppm, bool winter) {
  int w = static_cast<int>(15 * ppm), h = static_cast<int>(2.2 * ppm);
  Pic pic(w, h);
  Rng rng(winter ? 7 : 3);
  const RGB tops[] = {hex(0xd82a2a), hex(0x2a5ad8), hex(0xf0c020), hex(0x2aa84a), hex(0xf0f0f0), hex(0x8a2ad0)};
  const RGB hairs[] = {hex(0x2a1a10), hex(0xc89a40), hex(0x6a3a1a), hex(0x101010)};
  for (int row = 0; row < 2; ++row)
    for (double x = ppm * 0.4 + row * ppm * 0.3; x < w - ppm * 0.3; x += ppm * rng.uniform(0.5, 0.7)) {
      Person p{shade(hex(0xe8b890), rng.uniform(0.6, 1.1)), hairs[rng.range(0, 3)], tops[rng.range(0, 5)],
               hex(0x2a3a5a), hex(0x202020)};
      p.long_hair = rng.uniform() < 0.4;
      p.height_m = rng.uniform(1.55, 1.85) * (row ? 1.0 : 0.97);
      p.arm_left = rng.uniform() < 0.6 ? M_PI * rng.uniform(0.75, 0.95) : 0.3;
      p.arm_right = rng.uniform() < 0.6 ? M_PI * rng.uniform(0.75, 0.95) : 0.3;
      p.coat = winter;
      p.hat = winter && rng.uniform() < 0.5;
      if (rng.uniform() < 0.1) {
        p.holds = 1;
        p.arm_right = M_PI * 0.85;
      }
      draw_person(pic.cr, x, h - 1 - (1 - row) * 2, ppm, p);
    }
  return pic;
}

Pic santa(double ppm) {
  Person p{hex(0xf0c8a0), {0.96, 0.96, 0.96}, hex(0xc81414), hex(0xc81414), hex(0x101010)};
  p.coat = true;
  p.hat = true;
  p.long_hair = false;
  p.height_m = 1.8;
  p.arm_right = 0.9;
  Pic pic = person_pic(ppm, p);
  // Beard and sack.
  double H = 1.8 * ppm, u = H / 8, cx = pic.w / 2.0, hy = pic.h - 1 - H * 0.85 - u * 0.5;
  cairo_move_to(pic.cr, cx - u * 0.45, hy + u * 0.15);
  cairo_curve_to(pic.cr, cx - u * 0.5, hy + u * 1.3, cx + u * 0.5, hy + u * 1.3, cx + u * 0.45, hy + u * 0.15);
  cairo_close_path(pic.cr);
  set(pic.cr, {0.97, 0.97, 0.97});
  cairo_fill(pic.cr);
  ellipse(pic.cr, cx - u * 1.3, pic.h - u * 2.5, u * 1.1, u * 1.5);
  fill_outline(pic.cr, hex(0x8a6a3a), 1, 0.6);
  return pic;
}

Pic snowman(double ppm) {
  int w = static_cast<int>(1.2 * ppm), h = static_cast<int>(1.9 * ppm);
  Pic pic(w, h);
  cairo_t* cr = pic.cr;
  double cx = w / 2.0;
  const double r[] = {0.42, 0.32, 0.22};
  double y = h;
  for (int i = 0; i < 3; ++i) {
    double rr = r[i] * ppm;
    y -= rr * (i == 0 ? 1.0 : 1.7);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - rr * 0.3, y - rr * 0.3, rr * 0.1, cx, y, rr);
    cairo_pattern_add_color_stop_rgb(g, 0, 1, 1, 1);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.75, 0.8, 0.9);
    ellipse(cr, cx, y, rr, rr);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
  }
  double hr = r[2] * ppm;
  fill_rect(cr, cx - hr * 0.8, y - hr * 1.9, hr * 1.6, hr * 1.1, hex(0x202020));
  fill_rect(cr, cx - hr * 1.1, y - hr * 0.9, hr * 2.2, hr * 0.2, hex(0x202020));
  polygon(cr, {cx, y, cx + hr * 0.9, y + hr * 0.15, cx, y + hr * 0.25});
  set(cr, hex(0xf08a20));
  cairo_fill(cr);
  for (int side : {-1, 1}) {
    ellipse(cr, cx + side * hr * 0.35, y - hr * 0.3, hr * 0.1, hr * 0.1);
    set(cr, hex(0x101010));
    cairo_fill(cr);
  }
  return pic;
}

Pic surfer(double ppm, bool board_up) {
  Person p{hex(0xc89060), hex(0xe8c870), hex(0x1aa8c8), hex(0xf08a20), hex(0xc89060)};
  p.long_hair = !board_up;
  p.arm_right = 0.5;
  Pic pic(static_cast<int>(1.6 * ppm), static_cast<int>(2.3 * ppm));
  cairo_t* cr = pic.cr;
  if (board_up) {
    rounded_rect(cr, pic.w * 0.62, pic.h - 2.25 * ppm, 0.45 * ppm, 2.2 * ppm, 0.22 * ppm);
    fill_outline(cr, hex(0xf0f0f0), 1.5, 0.6);
    line(cr, pic.w * 0.62 + 0.225 * ppm, pic.h - 2.2 * ppm, pic.w * 0.62 + 0.225 * ppm, pic.h - 0.1 * ppm, 3,
         hex(0xe02a2a));
  }
  draw_person(cr, pic.w * 0.42, pic.h - 1, ppm, p);
  if (!board_up) {
    rounded_rect(cr, 0, pic.h - 0.25 * ppm, pic.w, 0.2 * ppm, 0.1 * ppm);
    fill_outline(cr, hex(0xf0e030), 1.5, 0.6);
  }
  return pic;
}

// Side view of a four-legged animal facing left.
Pic animal(double ppm, bool camel) {
  double len = camel ? 3.0 : 2.7, ht = camel ? 2.3 : 1.6;
  int w = static_cast<int>(len * ppm), h = static_cast<int>(ht * ppm);
  Pic pic(w, h);
  cairo_t* cr = pic.cr;
  RGB c = camel ? hex(0xc8a060) : hex(0x2a1e18);
  double lw = std::max(2.0, w * (camel ? 0.04 : 0.06));
  double belly = h * (camel ? 0.52 : 0.62);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  // Far legs darker, then the body, then the near legs.
  for (double x : {0.36, 0.76}) line(cr, w * x, belly - h * 0.05, w * x + 3, h - lw / 2, lw, shade(c, 0.7));
  if (camel) {
    ellipse(cr, w * 0.56, h * 0.42, w * 0.27, h * 0.12);
    fill_outline(cr, c, 1.5, 0.6);
    ellipse(cr, w * 0.58, h * 0.3, w * 0.14, h * 0.13);
    fill_outline(cr, c, 1.5, 0.6);
    cairo_move_to(cr, w * 0.34, h * 0.42);
    cairo_curve_to(cr, w * 0.2, h * 0.44, w * 0.2, h * 0.2, w * 0.14, h * 0.12);
    cairo_set_line_width(cr, w * 0.07);
    set(cr, c);
    cairo_stroke(cr);
    ellipse(cr, w * 0.1, h * 0.11, w * 0.075, h * 0.045);
    fill_outline(cr, c, 1, 0.6);
    ellipse(cr, w * 0.085, h * 0.09, w * 0.01, w * 0.01);
    set(cr, {0.1, 0.08, 0.06});
    cairo_fill(cr);
  } else {
    // Heavy shoulders, low head, horns.
    ellipse(cr, w * 0.55, h * 0.45, w * 0.32, h * 0.2);
    fill_outline(cr, c, 1.5, 1.6);
    ellipse(cr, w * 0.33, h * 0.38, w * 0.16, h * 0.22);
    fill_outline(cr, c, 1.5, 1.6);
    ellipse(cr, w * 0.13, h * 0.48, w * 0.1, h * 0.13);
    fill_outline(cr, shade(c, 1.2), 1.5, 1.6);
    for (int side : {-1, 1}) {
      cairo_move_to(cr, w * (0.16 + side * 0.03), h * 0.38);
      cairo_curve_to(cr, w * (0.2 + side * 0.06), h * 0.3, w * (0.2 + side * 0.08), h * 0.22, w * (0.15 + side * 0.1),
                     h * 0.16);
      cairo_set_line_width(cr, w * 0.022);
      set(cr, {0.95, 0.92, 0.85});
      cairo_stroke(cr);
    }
  }
  for (double x : {0.3, 0.7}) line(cr, w * x, belly - h * 0.05, w * x - 2, h - lw / 2, lw, c);
  line(cr, w * 0.86, h * 0.4, w * 0.94, h * 0.62, std::max(1.5, lw * 0.4), shade(c, 0.7));
  return pic;
}

}  // namespace

void register_figures(Registry& r) {
  const double V = car_ppm(1.0);
  const RGB blonde = hex(0xe8c870), brown = hex(0x6a3a1a), black = hex(0x1a1210), red = hex(0xa8401a);
  r["GFX/startgirl0.png"] = [=] { return person_pic(V, pit_girl(hex(0xf0f0f0), blonde, M_PI * 0.9, 1, {})); };
  r["GFX/startgirl1.png"] = [=] { return person_pic(V, pit_girl(hex(0xf0f0f0), blonde, M_PI * 0.35, 1, {})); };
  r["GFX/Pitstop_Girl_01.png"] = [=] { return person_pic(V, pit_girl(hex(0xd81e2a), brown, 0.5, 2, hex(0xd81e2a))); };
  r["GFX/Pitstop_Girl_04.png"] = [=] { return person_pic(V, pit_girl(hex(0x1e5ad8), blonde, 0.5, 2, hex(0xf0f0f0))); };
  r["GFX/Pitstop_Girl_Dadirizeze.png"] = [=] {
    return person_pic(V, pit_girl(hex(0xf0b010), black, 0.6, 3, hex(0xf0f0f0)));
  };
  r["GFX/Pitstop_Girl_Varavozo.png"] = [=] {
    return person_pic(V, pit_girl(hex(0x2aa84a), red, 0.5, 2, hex(0x2aa84a)));
  };
  r["GFX/Xmas_Girl_01.png"] = [=] { return person_pic(V, xmas_girl(hex(0xc81414), blonde, 0.3)); };
  r["GFX/Xmas_Girl_02.png"] = [=] { return person_pic(V, xmas_girl(hex(0x1e7a3a), brown, 2.5)); };
  r["GFX/Xmas_Girl_03.png"] = [=] { return person_pic(V, xmas_girl(hex(0xc81414), red, 0.4)); };
  r["GFX/Xmas_Girl_04.png"] = [=] { return person_pic(V, xmas_girl(hex(0xf0f0f0), black, 2.7)); };
  r["GFX/cheering3.png"] = [=] { return crowd(V, false); };
  r["GFX/cheeringwinter.png"] = [=] { return crowd(V, true); };
  r["GFX/Santa.png"] = [] { return santa(object_ppm(2.0)); };
  r["GFX/Snowman.png"] = [] { return snowman(object_ppm(1.0)); };
  r["GFX/BS_surfer.png"] = [] { return surfer(object_ppm(1.0), true); };
  r["GFX/BS_surfer2.png"] = [] { return surfer(object_ppm(1.0), false); };
  r["GFX/desert_camel.png"] = [] { return animal(object_ppm(0.5), true); };
  r["GFX/spain_bull.png"] = [] { return animal(object_ppm(0.5), false); };
}

}  // namespace art
