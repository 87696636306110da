// The two bikes the player can ride, seen from behind: a sports bike that leans into
// the bends and a trike that turns without leaning.
#include <algorithm>
#include <cmath>

#include "cars.h"
#include "draw.h"
#include "manifest.h"

namespace art {

namespace {

struct BikePose {
  double steer = 0;  // -2 .. 2
  bool alt = false, brake = false, spin = false;
};

RGB tail(bool brake) { return brake ? RGB{1.0, 0.25, 0.15} : RGB{0.65, 0.05, 0.05}; }

void tyre(cairo_t* cr, double cx, double bottom, double w, double h, bool alt) {
  rounded_rect(cr, cx - w / 2, bottom - h, w, h, w * 0.45);
  set(cr, {0.08, 0.08, 0.09});
  cairo_fill(cr);
  for (int i = 0; i < 5; ++i) {
    double y = bottom - h * (0.1 + 0.18 * i + (alt ? 0.09 : 0));
    line(cr, cx - w * 0.3, y, cx + w * 0.3, y, 1, {0.25, 0.25, 0.27});
  }
}

void rider(cairo_t* cr, double cx, double seat, double u, RGB jacket, RGB helmet, double crouch) {
  // Legs down to the pegs.
  for (int side : {-1, 1}) line(cr, cx + side * u * 0.9, seat, cx + side * u * 1.35, seat + u * 2.6, u * 0.75, hex(0x202028));
  // Back, shoulders and arms reaching to the bars.
  double sh = seat - u * (4.2 - crouch);
  polygon(cr, {cx - u * 1.0, seat, cx + u * 1.0, seat, cx + u * 1.45, sh, cx - u * 1.45, sh});
  fill_outline(cr, jacket, 1, 0.6);
  line(cr, cx - u * 0.2, sh + u * 0.4, cx - u * 0.2, seat - u * 0.3, u * 0.3, shade(jacket, 1.4));
  for (int side : {-1, 1})
    line(cr, cx + side * u * 1.35, sh + u * 0.3, cx + side * u * 2.0, sh + u * 1.8, u * 0.55, shade(jacket, 0.85));
  ellipse(cr, cx, sh - u * 1.0, u * 1.05, u * 1.15);
  fill_outline(cr, helmet, 1, 0.6);
  line(cr, cx - u * 0.8, sh - u * 1.0, cx + u * 0.8, sh - u * 1.0, u * 0.25, shade(helmet, 1.5));
}

Pic draw_bike(bool trike, const BikePose& p, double ppm) {
  double u = 0.1 * ppm;  // 10 cm
  int w = static_cast<int>((trike ? 2.4 : 1.6) * ppm), h = static_cast<int>(1.9 * ppm);
  Pic pic(w, h);
  cairo_t* cr = pic.cr;
  double cx = w / 2.0, ground = h - 0.35 * ppm;
  cairo_save(cr);
  double lean = trike ? 0 : p.steer * 12 * M_PI / 180;
  cairo_translate(cr, cx, ground);
  cairo_rotate(cr, lean);
  cairo_translate(cr, -cx, -ground);
  // The front of the bike shows beside the rider in the direction of the turn.
  double turn = p.steer * u * (trike ? 1.2 : 0.8);
  if (trike) {
    for (int side : {-1, 1}) tyre(cr, cx + side * u * 7.5, ground, u * 2.2, u * 6.2, p.alt);
    tyre(cr, cx + turn * 2, ground - u * 2.5, u * 1.2, u * 4.5, p.alt);
    rounded_rect(cr, cx - u * 8, ground - u * 8.2, u * 16, u * 4.5, u * 1.5);
    fill_outline(cr, hex(0x8a1010), 1.2, 0.5);
    for (int side : {-1, 1}) {
      rounded_rect(cr, cx + side * u * 6.4 - u * 1.2, ground - u * 7.2, u * 2.4, u * 1.2, u * 0.4);
      set(cr, tail(p.brake));
      cairo_fill(cr);
    }
    fill_rect(cr, cx - u * 1.6, ground - u * 5.6, u * 3.2, u * 1.1, {0.93, 0.93, 0.88});
    for (int side : {-1, 1}) {
      ellipse(cr, cx + side * u * 4.5, ground - u * 3.2, u * 0.6, u * 0.5);
      set(cr, {0.8, 0.8, 0.82});
      cairo_fill(cr);
    }
    rider(cr, cx, ground - u * 8.6, u, hex(0x3a2a22), hex(0x1a1a1a), 0);
  } else {
    tyre(cr, cx + turn * 1.5, ground - u * 1.5, u * 1.2, u * 5.5, p.alt);
    tyre(cr, cx, ground, u * 1.9, u * 6.4, p.alt);
    // Exhaust, tail and plate.
    rounded_rect(cr, cx + u * 1.3, ground - u * 4.8, u * 1.4, u * 2.4, u * 0.5);
    fill_outline(cr, {0.7, 0.7, 0.73}, 1, 0.5);
    polygon(cr, {cx - u * 2.2, ground - u * 8.5, cx + u * 2.2, ground - u * 8.5, cx + u * 1.2, ground - u * 6.2,
                 cx - u * 1.2, ground - u * 6.2});
    fill_outline(cr, hex(0x3cbc2c), 1, 0.5);
    fill_rect(cr, cx - u * 1.0, ground - u * 6.2, u * 2.0, u * 1.0, {0.93, 0.93, 0.88});
    rounded_rect(cr, cx - u * 1.3, ground - u * 8.3, u * 2.6, u * 0.8, u * 0.3);
    set(cr, tail(p.brake));
    cairo_fill(cr);
    rider(cr, cx, ground - u * 8.8, u, hex(0x1a4a1a), hex(0x3cbc2c), 1.2);
  }
  cairo_restore(cr);
  if (p.spin) {
    Rng rng(9);
    for (int i = 0; i < 8; ++i) {
      // Round the rear tyre, within the width of the rider.
      double rr = u * rng.uniform(1.2, 2.2);
      double x = cx + rng.uniform(-0.5, 0.5) * (trike ? 1.6 : 0.3) * ppm, y = ground - rr - rng.uniform(0, 0.25) * ppm;
      ellipse(cr, x, y, rr, rr * 0.8);
      double v = rng.uniform(0.72, 0.9);
      set(cr, {v, v, v});
      cairo_fill(cr);
    }
  }
  return pic;
}

const BikePose kPoses[] = {{-2}, {-1}, {0}, {1}, {2}, {0, false, false, true}, {0, false, true, false},
                           {-2, true}, {0, true}, {2, true}};

// The ground row of a bike picture drawn at ppm.
int ground_row(int h, double ppm) { return static_cast<int>(h - 0.35 * ppm); }

// Rows from the highest point of any frame down to the ground, at ppm.
int frames_height(bool trike, double ppm) {
  int top = 1 << 20, ground = 0;
  for (const BikePose& p : kPoses) {
    Pic pic = draw_bike(trike, p, ppm);
    top = std::min(top, top_ink_row(pic));
    ground = ground_row(pic.h, ppm);
  }
  return ground - top + 1;
}

// A frame of the player's bike at the player's scale, cut to the bike: the same height
// in every frame with the tyres on the last row, as wide as the bike and rider.
Pic player_bike(bool trike, const BikePose& p) {
  const double ref = 100.0;
  const PlayerFit fit = fit_player(frames_height(trike, ref) / ref);
  Pic pic = draw_bike(trike, p, fit.ppm);
  const int ground = ground_row(pic.h, fit.ppm);
  const int tallest = frames_height(trike, fit.ppm);
  return crop_to_ink(pic, ground - std::max(tallest, fit.h) + 1, ground);
}

}  // namespace

Pic bike_showcase(bool trike, double ppm) { return draw_bike(trike, {1.2}, ppm); }

void register_bikes(Registry& r) {
  const auto& suffixes = gfx::Car_Frame_Suffixes();
  for (size_t i = 0; i < suffixes.size(); ++i) {
    BikePose p = kPoses[i];
    r["GFX/Bike_Kawa" + suffixes[i] + ".png"] = [p] { return player_bike(false, p); };
    r["GFX/Bike_Triglide" + suffixes[i] + ".png"] = [p] { return player_bike(true, p); };
  }
}

}  // namespace art
