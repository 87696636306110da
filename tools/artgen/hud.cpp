// Race overlays: speedometer dial, gear gate, HUD icons, the glyph sheets of the race
// picture and the ending's scroll font, weather particles and tyre smoke.
#include <cmath>
#include <string>

#include "draw.h"
#include "manifest.h"

namespace art {

namespace {

// The needle turns about (318, 445) on the screen; the dial is drawn with its bottom
// centre at (318, 480), so the hub sits 35 pixels above the dial's bottom edge.
const int kDialW = 224, kDialH = 146;
const double kHubX = kDialW / 2.0, kHubY = kDialH - 35.0;

// Screen direction of the needle at a speed (degrees, as the needle computes it).
void needle_dir(double speed, double& dx, double& dy) {
  double a = (speed * 209.0 / 160.0 - 15.0) * M_PI / 180.0;
  dx = -std::cos(a);
  dy = -std::sin(a);
}

Pic speedometer() {
  Pic p(kDialW, kDialH);
  cairo_t* cr = p.cr;
  const double R = 106;
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, kDialW, kDialH);
  cairo_clip(cr);
  // Chrome rim and dark face.
  cairo_pattern_t* rim = cairo_pattern_create_linear(0, kHubY - R, 0, kHubY + R);
  cairo_pattern_add_color_stop_rgb(rim, 0, 0.92, 0.93, 0.95);
  cairo_pattern_add_color_stop_rgb(rim, 0.5, 0.45, 0.47, 0.5);
  cairo_pattern_add_color_stop_rgb(rim, 1, 0.85, 0.86, 0.88);
  ellipse(cr, kHubX, kHubY, R, R);
  cairo_set_source(cr, rim);
  cairo_fill(cr);
  cairo_pattern_destroy(rim);
  cairo_pattern_t* face = cairo_pattern_create_radial(kHubX, kHubY - 30, 10, kHubX, kHubY, R);
  cairo_pattern_add_color_stop_rgb(face, 0, 0.16, 0.18, 0.22);
  cairo_pattern_add_color_stop_rgb(face, 1, 0.04, 0.05, 0.07);
  ellipse(cr, kHubX, kHubY, R - 5, R - 5);
  cairo_set_source(cr, face);
  cairo_fill(cr);
  cairo_pattern_destroy(face);
  // Red zone from 130 to 160.
  cairo_set_line_width(cr, 7);
  set(cr, {0.85, 0.1, 0.08});
  for (double v = 130; v < 160; v += 0.5) {
    double dx, dy;
    needle_dir(v, dx, dy);
    double dx2, dy2;
    needle_dir(v + 0.6, dx2, dy2);
    cairo_move_to(cr, kHubX + dx * 92, kHubY + dy * 92);
    cairo_line_to(cr, kHubX + dx2 * 92, kHubY + dy2 * 92);
    cairo_stroke(cr);
  }
  // Ticks every 5, long ones every 10, numbers every 20.
  for (int v = 0; v <= 160; v += 5) {
    double dx, dy;
    needle_dir(v, dx, dy);
    bool major = v % 10 == 0;
    double r0 = major ? 84 : 90, r1 = 98;
    line(cr, kHubX + dx * r0, kHubY + dy * r0, kHubX + dx * r1, kHubY + dy * r1, major ? 2.6 : 1.4,
         v >= 130 ? RGB{1, 0.75, 0.7} : RGB{0.95, 0.95, 0.95});
    if (v % 20 == 0) {
      std::string s = std::to_string(v);
      double rr = 70;
      double tw = text_width(cr, Face::Title, 15, s);
      text(cr, Face::Title, 15, kHubX + dx * rr - tw / 2, kHubY + dy * rr + 5.5, s, {0.98, 0.92, 0.7});
    }
  }
  text(cr, Face::Title, 10, kHubX, kHubY - 32, "km/h", {0.7, 0.75, 0.8}, Align::Centre);
  // Hub cap under the needle.
  cairo_pattern_t* hub = cairo_pattern_create_radial(kHubX - 3, kHubY - 3, 1, kHubX, kHubY, 11);
  cairo_pattern_add_color_stop_rgb(hub, 0, 0.95, 0.95, 0.97);
  cairo_pattern_add_color_stop_rgb(hub, 1, 0.3, 0.31, 0.34);
  ellipse(cr, kHubX, kHubY, 11, 11);
  cairo_set_source(cr, hub);
  cairo_fill(cr);
  cairo_pattern_destroy(hub);
  cairo_restore(cr);
  return p;
}

// The gate of the gear display: the ball (30 x 30) rests with its corner at the slot
// offsets (0, 60) (30, 0) (30, 60) (60, 0) (60, 60) (90, 60).
Pic gearplate() {
  Pic p(120, 90);
  cairo_t* cr = p.cr;
  rounded_rect(cr, 0.5, 0.5, 119, 89, 12);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 90);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.78, 0.8, 0.83);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.46, 0.48, 0.52);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 1.5);
  set(cr, {0.25, 0.26, 0.28});
  cairo_stroke(cr);
  for (int i = 0; i < 40; ++i) line(cr, 6, 4 + i * 2.1, 114, 4 + i * 2.1, 0.5, {1, 1, 1}, 0.12);
  // Grooves: the cross bar and the channels to the six slots.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  auto groove = [&](double x0, double y0, double x1, double y1) {
    line(cr, x0, y0, x1, y1, 16, {0.12, 0.12, 0.14});
    line(cr, x0, y0 + 1, x1, y1 + 1, 12, {0.05, 0.05, 0.06});
  };
  groove(15, 45, 105, 45);
  groove(15, 45, 15, 75);
  groove(45, 15, 45, 75);
  groove(75, 15, 75, 75);
  groove(105, 45, 105, 75);
  const char* labels[] = {"1", "2", "3", "4", "5", "6"};
  const double lx[] = {15, 45, 45, 75, 75, 105}, ly[] = {75, 15, 75, 15, 75, 75};
  for (int i = 0; i < 6; ++i) {
    double y = ly[i] < 45 ? 8 : 89;
    (void)y;
    text(cr, Face::Title, 9, lx[i] + (i == 0 || i == 5 ? 0 : 12), ly[i] + 4, labels[i], {0.9, 0.9, 0.9},
         Align::Centre);
  }
  return p;
}

Pic gearball() {
  Pic p(30, 30);
  cairo_pattern_t* g = cairo_pattern_create_radial(11, 10, 1, 15, 15, 14);
  cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.85, 0.8);
  cairo_pattern_add_color_stop_rgb(g, 0.35, 0.9, 0.12, 0.08);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.35, 0.02, 0.02);
  ellipse(p.cr, 15, 15, 13.5, 13.5);
  cairo_set_source(p.cr, g);
  cairo_fill(p.cr);
  cairo_pattern_destroy(g);
  return p;
}

// Small keyed icons beside the HUD texts.
Pic hud_icon(int which) {
  Pic p(28, 28);
  cairo_t* cr = p.cr;
  RGB gold{1.0, 0.8, 0.2}, dark{0.15, 0.12, 0.05};
  cairo_set_line_width(cr, 2);
  switch (which) {
    case 0:  // stopwatch
      ellipse(cr, 14, 16, 10.5, 10.5);
      fill_outline(cr, {0.95, 0.95, 0.9}, 2, 0.3);
      fill_rect(cr, 11.5, 1.5, 5, 3, gold);
      line(cr, 14, 16, 14, 8, 2, {0.8, 0.1, 0.1});
      line(cr, 14, 16, 19, 18, 1.5, dark);
      break;
    case 1:  // score: a star
      cairo_new_path(cr);
      for (int i = 0; i < 10; ++i) {
        double a = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? 5.5 : 12.5;
        cairo_line_to(cr, 14 + r * std::cos(a), 15 + r * std::sin(a));
      }
      cairo_close_path(cr);
      fill_outline(cr, gold, 1.5, 0.4);
      break;
    case 2:  // road with a flag
      polygon(cr, {9, 4, 19, 4, 26, 27, 2, 27});
      fill_outline(cr, {0.35, 0.35, 0.38}, 1.2, 0.5);
      for (int i = 0; i < 3; ++i) fill_rect(cr, 13.3, 6 + i * 7.5, 1.6 + i * 0.5, 4, {1, 1, 1});
      break;
    default:  // position: podium
      fill_rect(cr, 9, 10, 10, 17, gold);
      fill_rect(cr, 1, 16, 8, 11, {0.8, 0.82, 0.86});
      fill_rect(cr, 19, 19, 8, 8, {0.8, 0.5, 0.25});
      text(cr, Face::Title, 10, 14, 21, "1", dark, Align::Centre);
      break;
  }
  return p;
}

// Glyph sheet laid out as the canvas font reads it: cells of cw x ch in rows of 16,
// each followed by one pixel of gap to the right and below, characters 32..127.
Pic glyph_sheet(int cw, int ch, double size, double outline) {
  const int per_row = 16, rows = 6;
  Pic p(per_row * (cw + 1), rows * (ch + 1));
  cairo_t* cr = p.cr;
  int advance = cw - 4;
  for (int c = 33; c < 127; ++c) {
    int i = c - 32;
    double x0 = (i % per_row) * (cw + 1), y0 = (i / per_row) * (ch + 1);
    std::string s(1, static_cast<char>(c));
    cairo_save(cr);
    cairo_rectangle(cr, x0, y0, cw, ch);
    cairo_clip(cr);
    // The ink, outline included, keeps to columns 0 .. advance + 1 of the cell, so that
    // text right-aligned at x ends by x + 2 and neighbours barely touch.
    double w = text_width(cr, Face::Title, size, s);
    double room = advance + 2 - 2 * outline - 0.5;
    double sx = w > room ? room / w : 1.0;
    double cx = x0 + (advance + 2) / 2.0;
    cairo_translate(cr, cx, y0 + ch * 0.8);
    cairo_scale(cr, sx, 1);
    select_face(cr, Face::Title, size);
    cairo_move_to(cr, -w / 2, 0);
    cairo_text_path(cr, s.c_str());
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, outline * 2 / sx);
    // The glyph blit skips pixels with R = 0, so the outline is dark red, not black.
    set(cr, {0.2, 0.06, 0.03});
    cairo_stroke_preserve(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, -ch * 0.75, 0, 0);
    cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 1.0, 0.85);
    cairo_pattern_add_color_stop_rgb(g, 1, 1.0, 0.72, 0.1);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
  }
  return p;
}

// One row of 16 x 32 cells and a blank spare cell at the end; each glyph keeps to columns
// 1..14 of its cell so that a reader starting one pixel early still takes the whole glyph.
Pic scroll_font() {
  const std::string& order = gfx::Scroll_Font_Order();
  Pic p((static_cast<int>(order.size()) + 1) * 16, 32);
  cairo_t* cr = p.cr;
  fill_rect(cr, 0, 0, p.w, p.h, {0, 0, 0});
  for (size_t i = 0; i < order.size(); ++i) {
    std::string s(1, order[i]);
    if (s == " ") continue;
    double x0 = i * 16.0;
    cairo_save(cr);
    cairo_rectangle(cr, x0 + 1, 0, 14, 32);
    cairo_clip(cr);
    double w = text_width(cr, Face::Title, 26, s);
    double sx = w > 13 ? 13 / w : 1.0;
    cairo_translate(cr, x0 + 8, 26);
    cairo_scale(cr, sx, 1);
    select_face(cr, Face::Title, 26);
    cairo_move_to(cr, -w / 2, 0);
    cairo_text_path(cr, s.c_str());
    cairo_pattern_t* g = cairo_pattern_create_linear(0, -22, 0, 2);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.6, 0.9, 1.0);
    cairo_pattern_add_color_stop_rgb(g, 0.5, 1.0, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgb(g, 0.55, 0.9, 0.5, 0.1);
    cairo_pattern_add_color_stop_rgb(g, 1, 1.0, 0.85, 0.3);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
  }
  return p;
}

Pic snowflake() {
  Pic p(8, 8);
  cairo_t* cr = p.cr;
  for (int i = 0; i < 3; ++i) {
    double a = i * M_PI / 3;
    line(cr, 4 - 3.4 * std::cos(a), 4 - 3.4 * std::sin(a), 4 + 3.4 * std::cos(a), 4 + 3.4 * std::sin(a), 1.2,
         {0.95, 0.97, 1.0});
  }
  fill_rect(cr, 3, 3, 2, 2, {1, 1, 1});
  return p;
}

Pic raindrop() {
  Pic p(2, 12);
  vgradient(p.cr, 0, 0, 2, 12, {0.55, 0.62, 0.72}, {0.85, 0.9, 1.0});
  return p;
}

Pic fine_snow() {
  Pic p(2, 2);
  fill_rect(p.cr, 0, 0, 2, 2, {0.96, 0.97, 1.0});
  return p;
}

// Soft puff for the additive tyre smoke: a faint haze with a bell-shaped falloff and no
// edge, dim enough that a dozen puffs over one spot still leave the road readable.
Pic smoke_puff() {
  Pic p(64, 64);
  cairo_pattern_t* g = cairo_pattern_create_radial(32, 32, 0, 32, 32, 31);
  for (int i = 0; i <= 8; ++i) {
    double t = i / 8.0, a = 0.11 * std::exp(-3.2 * t * t) * (1 - t);
    cairo_pattern_add_color_stop_rgba(g, t, 1, 1, 1.03, a);
  }
  cairo_rectangle(p.cr, 0, 0, 64, 64);
  cairo_set_source(p.cr, g);
  cairo_fill(p.cr);
  cairo_pattern_destroy(g);
  // A few lumps, so that overlapping puffs do not look like one disc.
  cairo_set_operator(p.cr, CAIRO_OPERATOR_ADD);
  for (int i = 0; i < 6; ++i) {
    double a = i * 1.1, r = 9 + (i % 3) * 3;
    double x = 32 + 11 * std::cos(a), y = 32 + 11 * std::sin(a);
    cairo_pattern_t* h = cairo_pattern_create_radial(x, y, 0, x, y, r);
    cairo_pattern_add_color_stop_rgba(h, 0, 1, 1, 1, 0.025);
    cairo_pattern_add_color_stop_rgba(h, 1, 1, 1, 1, 0);
    cairo_rectangle(p.cr, 0, 0, 64, 64);
    cairo_set_source(p.cr, h);
    cairo_fill(p.cr);
    cairo_pattern_destroy(h);
  }
  cairo_set_operator(p.cr, CAIRO_OPERATOR_OVER);
  return p;
}

}  // namespace

void register_hud(Registry& r) {
  r["GFX/speedometer.png"] = speedometer;
  r["GFX/gearplate.bmp"] = gearplate;
  r["GFX/gearball.bmp"] = gearball;
  r["GFX/icon_time.bmp"] = [] { return hud_icon(0); };
  r["GFX/icon_score.bmp"] = [] { return hud_icon(1); };
  r["GFX/icon_road.bmp"] = [] { return hud_icon(2); };
  r["GFX/icon_position.bmp"] = [] { return hud_icon(3); };
  r["GFX/VantoRelloFont12.png"] = [] { return glyph_sheet(12, 16, 15, 1.0); };
  r["GFX/VantoRelloFont60.png"] = [] { return glyph_sheet(51, 69, 64, 2.5); };
  r["GFX/scrollfont.bmp"] = scroll_font;
  r["GFX/Snowflake.bmp"] = snowflake;
  r["GFX/raindrop2.bmp"] = raindrop;
  r["GFX/snowrain.bmp"] = fine_snow;
  r["GFX/tsmoke2.png"] = smoke_puff;
}

}  // namespace art
