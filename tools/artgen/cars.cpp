// Cars and traffic seen from behind, built as small 3D models: the player's cars in
// their ten frames (steering, wheel animation, wheel spin, braking) and the opponents
// in three or five views.
#include <cmath>
#include <string>

#include "cars.h"
#include "manifest.h"
#include "model3d.h"

namespace art {

namespace {

// The cars, traffic, people and scenery are painted at 66 world units per metre (a lane
// of 250 is 3.8 m, a motorway lane): opponents at one pixel per world unit divided by
// their base scale.
const double kCarWorldPerMetre = 66.0;
// Structures over the road: sized so that their drawings span it.
const double kSpanWorldPerMetre = 92.4;

// Where the race picture puts the player's vehicle: its world point projects to row
// trunc(144 + 135 x 230.4 / 368) = 228 (centre row 144, camera 135 units above the road).
const int kPlayerRow = 228;
const double kCentreRow = 144.0, kCameraHeight = 135.0;

enum class Lamp { Rect, RoundPair, Strip, Vertical, Louvre, Small };
enum class Body { Car, Van, Bus, Taxi };

struct CarSpec {
  double W, H, L;      // width, height, length in metres
  RGB paint, roof;     // body and roof colour
  double ride;         // underside above the ground
  double belt;         // top of the lower body
  double cab_w, roof_w;             // cabin base and roof width, share of W
  double cab_z0, roof_z0, roof_z1, cab_z1;  // along the length, share of L
  Lamp lamp;
  int spoiler;  // 0 none, 1 lip, 2 wing
  double wheel_r, tyre_w;
  Body body = Body::Car;
  bool stripes = false;
  bool twin_exhaust = true;
};

RGB lamp_colour(bool brake) { return brake ? RGB{1.0, 0.12, 0.08} : RGB{0.62, 0.04, 0.04}; }
RGB lamp_core(bool brake) { return brake ? RGB{1.0, 0.78, 0.62} : RGB{0.85, 0.16, 0.1}; }

void lamp_rect(cairo_t* cr, double x0, double y0, double x1, double y1, bool brake) {
  double r = std::min(std::fabs(x1 - x0), std::fabs(y1 - y0)) * 0.3;
  if (brake) {
    rounded_rect(cr, std::min(x0, x1) - 0.02, y0 - 0.02, std::fabs(x1 - x0) + 0.04, y1 - y0 + 0.04, r + 0.02);
    set(cr, {1.0, 0.45, 0.3});
    cairo_fill(cr);
  }
  rounded_rect(cr, std::min(x0, x1), y0, std::fabs(x1 - x0), y1 - y0, r);
  set(cr, lamp_colour(brake));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 0.012);
  set(cr, {0.2, 0.02, 0.02});
  cairo_stroke(cr);
  double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  ellipse(cr, cx, cy, std::fabs(x1 - x0) * 0.28, (y1 - y0) * 0.22);
  set(cr, lamp_core(brake));
  cairo_fill(cr);
}

void lamp_round(cairo_t* cr, double cx, double cy, double r, bool brake) {
  if (brake) {
    ellipse(cr, cx, cy, r * 1.3, r * 1.3);
    set(cr, {1.0, 0.45, 0.3});
    cairo_fill(cr);
  }
  ellipse(cr, cx, cy, r, r);
  set(cr, {0.25, 0.25, 0.27});
  cairo_fill(cr);
  ellipse(cr, cx, cy, r * 0.82, r * 0.82);
  set(cr, lamp_colour(brake));
  cairo_fill(cr);
  ellipse(cr, cx, cy, r * 0.35, r * 0.35);
  set(cr, lamp_core(brake));
  cairo_fill(cr);
}

// Rear face of the lower body, in model metres (y up).
void rear_details(cairo_t* cr, const CarSpec& s, bool brake) {
  double hw = s.W / 2, top = s.belt, bot = s.ride;
  // Rounded look: lighter at the top, darker low down.
  cairo_pattern_t* g = cairo_pattern_create_linear(0, top, 0, bot);
  cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0.18);
  cairo_pattern_add_color_stop_rgba(g, 0.5, 1, 1, 1, 0.0);
  cairo_pattern_add_color_stop_rgba(g, 1, 0, 0, 0, 0.35);
  cairo_rectangle(cr, -hw, bot, s.W, top - bot);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  if (s.stripes) {
    for (double x : {-0.2, 0.08}) fill_rect(cr, x, bot + 0.14, 0.12, top - bot, {0.95, 0.95, 0.95});
  }
  // Bumper and diffuser.
  fill_rect(cr, -hw, bot, s.W, 0.15, {0.2, 0.2, 0.22});
  line(cr, -hw + 0.05, bot + 0.15, hw - 0.05, bot + 0.15, 0.015, shade(s.paint, 0.6));
  // Number plate.
  double py = bot + 0.17;
  if (s.body == Body::Bus) py = bot + 0.3;
  rounded_rect(cr, -0.26, py, 0.52, 0.11, 0.01);
  set(cr, {0.95, 0.86, 0.25});
  if (s.body != Body::Bus && s.body != Body::Taxi) set(cr, {0.93, 0.93, 0.9});
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 0.012);
  set(cr, {0.1, 0.1, 0.1});
  cairo_stroke(cr);
  for (int i = 0; i < 6; ++i) fill_rect(cr, -0.2 + i * 0.07, py + 0.025, 0.04, 0.06, {0.12, 0.12, 0.14});
  // Exhausts.
  auto pipe = [&](double x) {
    ellipse(cr, x, bot + 0.07, 0.05, 0.04);
    set(cr, {0.78, 0.78, 0.8});
    cairo_fill(cr);
    ellipse(cr, x, bot + 0.07, 0.032, 0.025);
    set(cr, {0.05, 0.05, 0.05});
    cairo_fill(cr);
  };
  if (s.body == Body::Car) {
    pipe(-hw + 0.35);
    if (s.twin_exhaust) pipe(hw - 0.35);
  }
  // Lamps.
  double lt = top - 0.05, lb = top - 0.2;
  switch (s.lamp) {
    case Lamp::Rect:
      for (int side : {-1, 1}) lamp_rect(cr, side * (hw - 0.04), lb, side * (hw - 0.4), lt, brake);
      break;
    case Lamp::RoundPair:
      for (int side : {-1, 1}) {
        lamp_round(cr, side * (hw - 0.13), (lt + lb) / 2, 0.075, brake);
        lamp_round(cr, side * (hw - 0.32), (lt + lb) / 2, 0.075, brake);
      }
      break;
    case Lamp::Strip:
      lamp_rect(cr, -(hw - 0.05), top - 0.15, hw - 0.05, top - 0.06, brake);
      break;
    case Lamp::Vertical:
      for (int side : {-1, 1}) lamp_rect(cr, side * (hw - 0.04), bot + 0.3, side * (hw - 0.17), top - 0.04, brake);
      break;
    case Lamp::Louvre:
      fill_rect(cr, -(hw - 0.06), top - 0.3, s.W - 0.12, 0.26, {0.08, 0.08, 0.09});
      for (int i = 0; i < 5; ++i)
        line(cr, -(hw - 0.08), top - 0.27 + i * 0.05, hw - 0.08, top - 0.27 + i * 0.05, 0.012, {0.35, 0.35, 0.37});
      for (int side : {-1, 1}) lamp_rect(cr, side * (hw - 0.07), top - 0.26, side * (hw - 0.32), top - 0.1, brake);
      break;
    case Lamp::Small:
      for (int side : {-1, 1}) lamp_rect(cr, side * (hw - 0.06), lb + 0.02, side * (hw - 0.2), lt - 0.02, brake);
      break;
  }
  // Emblem.
  ellipse(cr, 0, top - 0.1, 0.05, 0.035);
  set(cr, {0.85, 0.86, 0.9});
  cairo_fill(cr);
}

// Rear face of a van or bus, whose body goes up to the roof.
void tall_rear_details(cairo_t* cr, const CarSpec& s, bool brake) {
  double hw = s.W / 2;
  if (s.body == Body::Van) {
    // Two doors with windows, the split down the middle.
    for (int side : {-1, 1}) {
      rounded_rect(cr, side > 0 ? 0.06 : -hw + 0.12, s.H - 0.75, hw - 0.18, 0.5, 0.05);
      set(cr, {0.12, 0.15, 0.2});
      cairo_fill(cr);
    }
    line(cr, 0, s.ride + 0.2, 0, s.H - 0.08, 0.02, {0.3, 0.3, 0.32});
    fill_rect(cr, -hw, s.H - 1.2, s.W, 0.12, {0.15, 0.35, 0.75});
  } else {
    // Double-decker: upper and lower rear windows, advert panel.
    rounded_rect(cr, -hw + 0.15, s.H - 1.05, s.W - 0.3, 0.7, 0.06);
    set(cr, {0.12, 0.15, 0.2});
    cairo_fill(cr);
    fill_rect(cr, -hw + 0.2, s.H - 1.55, s.W - 0.4, 0.35, {0.95, 0.85, 0.2});
    rounded_rect(cr, -hw + 0.3, s.H - 2.6, s.W - 0.6, 0.7, 0.06);
    set(cr, {0.12, 0.15, 0.2});
    cairo_fill(cr);
    fill_rect(cr, -hw + 0.4, s.ride + 0.45, s.W - 0.8, 0.6, {0.15, 0.08, 0.08});
    for (int i = 0; i < 6; ++i)
      line(cr, -hw + 0.45, s.ride + 0.5 + i * 0.1, hw - 0.45, s.ride + 0.5 + i * 0.1, 0.02, {0.35, 0.1, 0.1});
  }
  fill_rect(cr, -hw, s.ride, s.W, 0.18, {0.1, 0.1, 0.11});
  double py = s.ride + 0.22;
  rounded_rect(cr, -0.26, py, 0.52, 0.11, 0.01);
  set(cr, {0.95, 0.86, 0.25});
  cairo_fill(cr);
  for (int i = 0; i < 6; ++i) fill_rect(cr, -0.2 + i * 0.07, py + 0.025, 0.04, 0.06, {0.12, 0.12, 0.14});
  for (int side : {-1, 1}) lamp_rect(cr, side * (hw - 0.05), s.ride + 0.3, side * (hw - 0.2), s.ride + 0.85, brake);
}

struct Pose {
  double yaw = 0, roll = 0;
  bool alt = false, brake = false, spin = false;
};

void add_wheel(Model& m, const CarSpec& s, double x0, double x1, double zc, bool alt) {
  const int n = 14;
  double r = s.wheel_r;
  std::vector<std::pair<double, double>> yz;
  for (int i = 0; i < n; ++i) {
    double a = 2 * M_PI * i / n;
    yz.push_back({r + r * std::sin(a), zc + r * std::cos(a)});
  }
  // Tread faces with alternating shade; the alternate frame shifts the pattern.
  for (int i = 0; i < n; ++i) {
    auto a = yz[i], b = yz[(i + 1) % n];
    bool dark = ((i + (alt ? 1 : 0)) & 1) != 0;
    RGB c = dark ? RGB{0.07, 0.07, 0.075} : RGB{0.2, 0.2, 0.21};
    m.add({{{x0, a.first, a.second}, {x0, b.first, b.second}, {x1, b.first, b.second}, {x1, a.first, a.second}},
           c,
           0.05});
  }
  // Side walls with a rim on the outer side.
  double outer = std::fabs(x0) > std::fabs(x1) ? x0 : x1;
  for (double x : {x0, x1}) {
    Poly f{{}, {0.12, 0.12, 0.13}, 0.1};
    bool plus = x == std::max(x0, x1);
    for (int i = 0; i < n; ++i) {
      int k = plus ? i : n - 1 - i;
      f.pts.push_back({x, yz[k].first, yz[k].second});
    }
    m.add(f);
    if (x == outer) {
      Poly rim{{}, {0.72, 0.73, 0.76}, 0.7};
      double xr = x + (plus ? 0.004 : -0.004);
      for (int i = 0; i < n; ++i) {
        int k = plus ? i : n - 1 - i;
        double a = 2 * M_PI * k / n + (alt ? M_PI / n : 0);
        rim.pts.push_back({xr, r + 0.6 * r * std::sin(a), zc + 0.6 * r * std::cos(a)});
      }
      m.add(rim);
    }
  }
}

// A glass pane inset into a quad face, pushed slightly outwards.
void add_glass(Model& m, V3 a, V3 b, V3 c, V3 d, double inset_u, double inset_v) {
  auto lerp = [](V3 p, V3 q, double t) { return p + (q - p) * t; };
  auto at = [&](double u, double v) { return lerp(lerp(a, b, u), lerp(d, c, u), v); };
  V3 n = normalize(cross(b - a, d - a));
  V3 off = n * 0.006;
  Poly g{{at(inset_u, inset_v) + off, at(1 - inset_u, inset_v) + off, at(1 - inset_u, 1 - inset_v) + off,
          at(inset_u, 1 - inset_v) + off},
         {0.1, 0.13, 0.17},
         0.3};
  g.depth_bias = 0.05;
  m.add(g);
  // A lighter diagonal reflection across the pane.
  V3 off2 = n * 0.009;
  double u0 = inset_u + 0.05, u1 = 1 - inset_u - 0.05;
  Poly streak({at(u0, 0.25) + off2, at(u1, 0.45) + off2, at(u1, 0.58) + off2, at(u0, 0.38) + off2}, {0.2, 0.25, 0.31},
              0.2);
  streak.depth_bias = 0.06;
  m.add(streak);
}

// Windows along both flanks, in the planes x = -hw and x = +hw.
void add_side_windows(Model& m, double hw, double y0, double y1, double z0, double z1, double pitch, double width) {
  RGB glass{0.1, 0.13, 0.17};
  for (double z = z0; z + width <= z1 + 1e-6; z += pitch) {
    double x = hw + 0.006;
    Poly left({{-x, y0, z}, {-x, y0, z + width}, {-x, y1, z + width}, {-x, y1, z}}, glass, 0.3);
    Poly right({{x, y0, z}, {x, y1, z}, {x, y1, z + width}, {x, y0, z + width}}, glass, 0.3);
    left.depth_bias = right.depth_bias = 20;
    m.add(left);
    m.add(right);
  }
}

Model build_car(const CarSpec& s, const Pose& p) {
  Model m;
  double hw = s.W / 2;
  bool tall = s.body == Body::Van || s.body == Body::Bus;
  double top = tall ? s.H : s.belt;
  double r = 0.06;
  // The sill tucks in above the ground so that the tyres show at the corners.
  double tuck = tall ? r : 0.1;
  std::vector<std::pair<double, double>> profile = {
      {-hw + tuck, s.ride}, {hw - tuck, s.ride}, {hw, s.ride + 0.2}, {hw, top - 0.12}, {hw - 0.05, top},
      {-hw + 0.05, top}, {-hw, top - 0.12}, {-hw, s.ride + 0.2}};
  (void)r;
  CarSpec shape = s;
  bool brake = p.brake;
  // The body leans on its springs about the sill line; the wheels stay on the road.
  const double lean = p.roll * M_PI / 180, cl = std::cos(lean), sl = std::sin(lean);
  cairo_matrix_t leaning;
  cairo_matrix_init(&leaning, cl, sl, -sl, cl, s.ride * sl, s.ride - s.ride * cl);
  auto rear = [shape, brake, tall, leaning](cairo_t* cr) {
    cairo_transform(cr, &leaning);
    if (tall)
      tall_rear_details(cr, shape, brake);
    else
      rear_details(cr, shape, brake);
  };
  m.prism_z(profile, 0, s.L, s.paint, tall ? 0.35 : 0.45, rear);

  if (s.body == Body::Bus) {
    add_side_windows(m, hw, s.H - 1.05, s.H - 0.35, 0.4, s.L - 0.4, 1.25, 1.05);
    add_side_windows(m, hw, s.H - 2.6, s.H - 1.9, 1.6, s.L - 0.4, 1.25, 1.05);
  } else if (s.body == Body::Van) {
    add_side_windows(m, hw, s.H - 0.95, s.H - 0.35, s.L - 1.7, s.L - 0.3, 1.4, 1.2);
    add_side_windows(m, hw, s.H - 0.95, s.H - 0.35, 1.2, 2.6, 1.4, 1.2);
  }
  if (!tall) {
    // Cabin: a loft from the belt line to the roof.
    double cw = hw * s.cab_w, rw = hw * s.roof_w;
    V3 b0{-cw, top, s.cab_z0 * s.L}, b1{cw, top, s.cab_z0 * s.L}, b2{cw, top, s.cab_z1 * s.L},
        b3{-cw, top, s.cab_z1 * s.L};
    V3 t0{-rw, s.H, s.roof_z0 * s.L}, t1{rw, s.H, s.roof_z0 * s.L}, t2{rw, s.H, s.roof_z1 * s.L},
        t3{-rw, s.H, s.roof_z1 * s.L};
    m.add({{b0, t0, t1, b1}, s.paint, 0.5});  // rear window frame
    add_glass(m, b0, t0, t1, b1, 0.12, 0.1);
    m.add({{t0, t3, t2, t1}, s.roof, 0.6});   // roof
    m.add({{b0, b3, t3, t0}, s.paint, 0.4});  // left side
    add_glass(m, b0, b3, t3, t0, 0.08, 0.15);
    m.add({{b1, t1, t2, b2}, s.paint, 0.4});  // right side
    add_glass(m, b1, t1, t2, b2, 0.15, 0.08);
    m.add({{b2, t2, t3, b3}, {0.1, 0.13, 0.17}, 0.3});  // windscreen
    if (p.brake) {
      // Third brake light at the top of the rear window.
      V3 n = normalize(cross(t0 - b0, b1 - b0)) * 0.012;
      double y = s.H - 0.05, z = s.roof_z0 * s.L + 0.02;
      m.add({{V3{-0.25, y - 0.04, z} + n, V3{-0.25, y, z} + n, V3{0.25, y, z} + n, V3{0.25, y - 0.04, z} + n},
             {1.0, 0.2, 0.12},
             0,
             nullptr,
             true});
    }
    if (s.body == Body::Taxi) m.box({-0.25, s.H, s.L * 0.45}, {0.25, s.H + 0.14, s.L * 0.55}, {1.0, 0.8, 0.15}, 0.2);
    if (s.spoiler == 2) {
      double y0 = top + 0.14, y1 = top + 0.19;
      m.box({-hw + 0.06, y0, 0.04}, {hw - 0.06, y1, 0.32}, shade(s.paint, 0.8), 0.5);
      for (double x : {-hw + 0.35, hw - 0.43}) m.box({x, top, 0.12}, {x + 0.08, y0, 0.22}, {0.12, 0.12, 0.12});
    } else if (s.spoiler == 1) {
      m.box({-hw + 0.1, top, 0.0}, {hw - 0.1, top + 0.05, 0.18}, shade(s.paint, 0.85), 0.5);
    }
  }
  for (auto& f : m.faces)
    for (auto& v : f.pts) {
      double y = v.y - s.ride;
      v = {v.x * cl - y * sl, s.ride + v.x * sl + y * cl, v.z};
    }
  // Wheels: rear and front axles, inside the body's outline, so they are painted first
  // and show only below and beside it.
  const size_t body_faces = m.faces.size();
  double zr = 0.75, zf = s.L - 0.85;
  for (double zc : {zr, zf})
    for (int side : {-1, 1}) {
      double xo = side * (hw - 0.02), xi = side * (hw - 0.02 - s.tyre_w);
      add_wheel(m, s, std::min(xo, xi), std::max(xo, xi), zc, p.alt);
    }
  for (size_t i = body_faces; i < m.faces.size(); ++i) m.faces[i].depth_bias -= 100;
  return m;
}

// Grey smoke puffs round the driven wheels, opaque enough to survive the cut-out; they
// keep within the track width and above the road, so the picture stays the car's size.
void wheel_smoke(cairo_t* cr, double cx, double ground, double half_track, double size) {
  Rng rng(77);
  for (int side : {-1, 1})
    for (int i = 0; i < 9; ++i) {
      double rad = size * rng.uniform(0.18, 0.3);
      double x = cx + side * (half_track + rng.uniform(-0.9, -0.15) * size);
      double y = ground - rad - rng.uniform(0.0, 0.5) * size;
      ellipse(cr, x, y, rad, rad * 0.85);
      double v = rng.uniform(0.72, 0.9);
      set(cr, {v, v, v * 1.02});
      cairo_fill_preserve(cr);
      cairo_set_line_width(cr, 1);
      set(cr, {v * 0.8, v * 0.8, v * 0.82});
      cairo_stroke(cr);
    }
}

const CarSpec& spec_for(const std::string& model) {
  static const std::map<std::string, CarSpec> specs = [] {
    std::map<std::string, CarSpec> m;
    //            W     H     L     paint            roof            ride  belt  cab  roof  cz0   rz0   rz1   cz1
    m["Nissan_GTR"] = {1.9, 1.37, 4.7, hex(0x6a7078), hex(0x6a7078), 0.18, 0.86, 0.86, 0.7, 0.12, 0.3, 0.6, 0.72,
                       Lamp::RoundPair, 2, 0.34, 0.27};
    m["CLS"] = {1.87, 1.4, 4.9, hex(0x1b2a48), hex(0x1b2a48), 0.17, 0.9, 0.84, 0.66, 0.14, 0.34, 0.58, 0.72,
                Lamp::Rect, 0, 0.33, 0.24};
    m["Koenigsegg"] = {1.99, 1.12, 4.3, hex(0xf07a10), hex(0x222222), 0.12, 0.72, 0.8, 0.6, 0.2, 0.4, 0.6, 0.72,
                       Lamp::Strip, 2, 0.34, 0.3};
    m["DeLorean"] = {1.85, 1.14, 4.2, hex(0xb9bec4), hex(0xb9bec4), 0.16, 0.72, 0.82, 0.7, 0.18, 0.3, 0.55, 0.7,
                     Lamp::Louvre, 0, 0.32, 0.24};
    m["911"] = {1.8, 1.3, 4.5, hex(0x9ec53a), hex(0x9ec53a), 0.15, 0.84, 0.8, 0.62, 0.12, 0.26, 0.52, 0.66,
                Lamp::Strip, 1, 0.33, 0.26};
    m["Mini"] = {1.7, 1.42, 3.8, hex(0x0f5a2a), hex(0xf0f0ea), 0.16, 0.88, 0.92, 0.86, 0.04, 0.06, 0.7, 0.76,
                 Lamp::Vertical, 0, 0.3, 0.21};
    m["Shelby"] = {1.88, 1.32, 4.8, hex(0x1d4fb0), hex(0x1d4fb0), 0.16, 0.86, 0.82, 0.66, 0.12, 0.32, 0.58, 0.68,
                   Lamp::Rect, 1, 0.34, 0.27};
    m["HSV_GTS"] = {1.9, 1.45, 4.9, hex(0xe8c21a), hex(0xe8c21a), 0.17, 0.92, 0.86, 0.7, 0.1, 0.26, 0.6, 0.72,
                    Lamp::Rect, 2, 0.34, 0.26};
    m["Esprit"] = {1.86, 1.12, 4.3, hex(0x1a9a9a), hex(0x1a9a9a), 0.14, 0.74, 0.8, 0.64, 0.14, 0.3, 0.54, 0.68,
                   Lamp::RoundPair, 2, 0.32, 0.26};
    m["BMW_M3"] = {1.84, 1.38, 4.6, hex(0x2b2b30), hex(0x2b2b30), 0.16, 0.88, 0.86, 0.7, 0.1, 0.26, 0.6, 0.72,
                   Lamp::Rect, 1, 0.33, 0.25};
    m["F512"] = {1.98, 1.14, 4.5, hex(0xc20e0e), hex(0xc20e0e), 0.13, 0.74, 0.78, 0.62, 0.2, 0.36, 0.58, 0.7,
                 Lamp::RoundPair, 0, 0.34, 0.3};
    m["Trabi"] = {1.5, 1.44, 3.55, hex(0xd9cfa8), hex(0xeeeeea), 0.2, 0.86, 0.92, 0.84, 0.06, 0.12, 0.62, 0.7,
                  Lamp::Small, 0, 0.28, 0.16};
    m["Beetle"] = {1.6, 1.5, 4.1, hex(0x79a8d0), hex(0x79a8d0), 0.2, 0.82, 0.82, 0.58, 0.1, 0.3, 0.56, 0.7,
                   Lamp::Small, 0, 0.32, 0.18};
    m["Manta"] = {1.67, 1.33, 4.4, hex(0x7a1f8a), hex(0x202020), 0.16, 0.84, 0.84, 0.68, 0.12, 0.3, 0.58, 0.7,
                  Lamp::Rect, 1, 0.3, 0.22};
    m["Octavia"] = {1.81, 1.47, 4.7, hex(0x6f8a80), hex(0x6f8a80), 0.17, 0.92, 0.88, 0.76, 0.06, 0.14, 0.62, 0.72,
                    Lamp::Vertical, 0, 0.32, 0.22};
    m["Honda"] = {1.81, 1.17, 4.4, hex(0xf2f2f0), hex(0x202020), 0.14, 0.76, 0.82, 0.64, 0.16, 0.34, 0.56, 0.7,
                  Lamp::Strip, 2, 0.33, 0.27};
    m["R190"] = {1.7, 1.39, 4.45, hex(0x6b1d1d), hex(0x6b1d1d), 0.17, 0.88, 0.88, 0.74, 0.1, 0.22, 0.6, 0.72,
                 Lamp::Rect, 1, 0.31, 0.21};
    m["Scirocco"] = {1.81, 1.4, 4.25, hex(0xd8a818), hex(0xd8a818), 0.16, 0.88, 0.84, 0.66, 0.1, 0.22, 0.6, 0.72,
                     Lamp::Rect, 1, 0.32, 0.23};
    m["Audi_A4"] = {1.83, 1.43, 4.7, hex(0x8e9298), hex(0x8e9298), 0.17, 0.9, 0.86, 0.72, 0.1, 0.24, 0.6, 0.72,
                    Lamp::Rect, 0, 0.32, 0.23};
    m["uk_taxi"] = {1.77, 1.8, 4.6, hex(0x18181a), hex(0x18181a), 0.2, 0.98, 0.9, 0.84, 0.06, 0.1, 0.64, 0.7,
                    Lamp::Vertical, 0, 0.33, 0.2, Body::Taxi};
    m["Transporter"] = {1.9, 2.3, 4.9, hex(0xf2f2f2), hex(0xf2f2f2), 0.22, 0, 0, 0, 0, 0, 0, 0, Lamp::Vertical, 0,
                        0.35, 0.22, Body::Van};
    m["uk_bus"] = {2.5, 4.4, 9.5, hex(0xc81414), hex(0xc81414), 0.3, 0, 0, 0, 0, 0, 0, 0, Lamp::Vertical, 0, 0.5,
                   0.3, Body::Bus};
    m["Shelby"].stripes = true;
    m["Trabi"].twin_exhaust = false;
    m["Beetle"].twin_exhaust = false;
    return m;
  }();
  return specs.at(model);
}

struct Sheet {
  int w, h;
  double ox, oy;  // image position of the pivot
};

Camera3 camera_for(const CarSpec& s, double ppm, double pitch, const Pose& p) {
  Camera3 c;
  c.ppm = ppm;
  c.pitch_deg = pitch;
  c.yaw_deg = p.yaw;
  c.roll_deg = 0;  // the body's lean is in the model
  c.pivot = {0, 0, 0.9};
  (void)s;
  return c;
}

// One size for all views of an opponent, big enough for every pose.
Sheet sheet_for(const CarSpec& s, double ppm, double pitch, const std::vector<Pose>& poses) {
  double left = 0, right = 0, up = 0, down = 0;
  for (const auto& p : poses) {
    Projection pr = measure(build_car(s, p), camera_for(s, ppm, pitch, p));
    left = std::max(left, -pr.min_x);
    right = std::max(right, pr.max_x);
    up = std::max(up, -pr.min_y);
    down = std::max(down, pr.max_y);
  }
  double half = std::ceil(std::max(left, right)) + 3;
  Sheet sh;
  sh.w = static_cast<int>(2 * half);
  sh.ox = half;
  sh.h = static_cast<int>(std::ceil(up + down) + 2);
  sh.oy = sh.h - 1 - down;
  return sh;
}

Pic draw_car(const CarSpec& s, double ppm, double pitch, const Pose& p, const Sheet& sh) {
  Pic pic(sh.w, sh.h);
  Model m = build_car(s, p);
  Camera3 cam = camera_for(s, ppm, pitch, p);
  render(pic.cr, m, cam, sh.ox, sh.oy);
  if (p.spin) {
    double gx, gy;
    project_point(cam, sh.ox, sh.oy, {0, 0, 0.75}, gx, gy);
    wheel_smoke(pic.cr, gx, gy + 0.1 * ppm, (s.W / 2 - 0.15) * ppm, 0.55 * ppm);
  }
  return pic;
}

std::vector<Pose> player_poses();

// Frame i of the player's car: every frame has the same height with the tyres on the
// last row, and is as wide as the car in that frame, so the car shadow fits the body.
Pic player_frame(const CarSpec& s, size_t i) {
  const std::vector<Pose> poses = player_poses();
  const double pitch = 9;  // as the opponents are seen
  double up = 0, down = 0;
  for (const auto& p : poses) {
    Projection pr = measure(build_car(s, p), camera_for(s, 1.0, pitch, p));
    up = std::max(up, -pr.min_y);
    down = std::max(down, pr.max_y);
  }
  const PlayerFit fit = fit_player(up + down);
  const Camera3 cam = camera_for(s, fit.ppm, pitch, poses[i]);
  const Model m = build_car(s, poses[i]);
  const Projection pr = measure(m, cam);
  Pic pic(static_cast<int>(std::ceil(pr.max_x - pr.min_x)) + 2, fit.h);
  const double ox = 1 - pr.min_x, oy = fit.h - 1 - down * fit.ppm;
  render(pic.cr, m, cam, ox, oy);
  if (poses[i].spin) {
    double gx, gy;
    project_point(cam, ox, oy, {0, 0, 0.75}, gx, gy);
    wheel_smoke(pic.cr, gx, gy + 0.1 * fit.ppm, (s.W / 2 - 0.15) * fit.ppm, 0.55 * fit.ppm);
  }
  return pic;
}

// The turn of a car in its half-lock and full-lock pictures, in degrees.
const double kHalfLock = 6, kFullLock = 12;

std::vector<Pose> player_poses() {
  // Frame order of the player's car.
  const double h = kHalfLock, f = kFullLock;
  return {{-f, -4, false}, {-h, -2, false}, {0, 0, false},  {h, 2, false}, {f, 4, false},
          {0, 0, false, false, true}, {0, 0, false, true, false}, {-f, -4, true}, {0, 0, true},
          {f, 4, true}};
}

// The road shows view k of a car whose screen offset from the centre is about 70 k
// pixels. The views turn as far as the player's car does, so that a car beside the
// player never looks turned further than the player's own at full lock: five views turn
// by half and full lock, three by full lock.
std::vector<Pose> opponent_poses(int views) {
  if (views == 3) return {{-kFullLock, 0}, {0, 0}, {kFullLock, 0}};
  std::vector<Pose> v;
  for (int i = 0; i < views; ++i) v.push_back({(i - views / 2) * kHalfLock, 0});
  return v;
}

}  // namespace

void draw_car_fitted(cairo_t* cr, const std::string& model, double yaw, double x, double y, double w, double h) {
  const CarSpec& s = spec_for(model);
  Pose pose{yaw, 0};
  Camera3 cam = camera_for(s, 1.0, 12, pose);
  Projection pr = measure(build_car(s, pose), cam);
  double ppm = std::min(w / (pr.max_x - pr.min_x), h / (pr.max_y - pr.min_y));
  cam.ppm = ppm;
  render(cr, build_car(s, pose), cam, x + w / 2.0 - (pr.min_x + pr.max_x) / 2 * ppm,
         y + h / 2.0 - (pr.min_y + pr.max_y) / 2 * ppm);
}

Pic car_showcase(const std::string& model, int w, int h) {
  Pic pic(w, h);
  draw_car_fitted(pic.cr, model, 32, 0, 0, w, h);
  return pic;
}

double span_world_per_metre() { return kSpanWorldPerMetre; }
double car_world_per_metre() { return kCarWorldPerMetre; }

PlayerFit fit_player(double metres_high) {
  PlayerFit f{50.0, 0};
  for (int i = 0; i < 40; ++i) {
    f.h = static_cast<int>(std::ceil(metres_high * f.ppm)) + 2;
    const int level_row = kPlayerRow - f.h / 2 + f.h;  // anchor row of an opponent beside it
    f.ppm = kCarWorldPerMetre * (level_row - kCentreRow) / kCameraHeight;
  }
  f.h = std::max(f.h, static_cast<int>(std::ceil(metres_high * f.ppm)) + 2);
  return f;
}

int top_ink_row(Pic& p) {
  const uint32_t* d = p.data();
  for (int y = 0; y < p.h; ++y)
    for (int x = 0; x < p.w; ++x)
      if ((d[y * p.stride_words() + x] >> 24) >= 128) return y;
  return p.h;
}

Pic crop_to_ink(Pic& src, int top, int bottom) {
  const uint32_t* d = src.data();
  int x0 = src.w, x1 = -1;
  for (int y = std::max(0, top); y <= std::min(bottom, src.h - 1); ++y)
    for (int x = 0; x < src.w; ++x)
      if ((d[y * src.stride_words() + x] >> 24) >= 128) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
      }
  if (x1 < x0) return Pic(1, bottom - top + 1);
  Pic out(x1 - x0 + 3, bottom - top + 1);
  cairo_set_source_surface(out.cr, src.surface, 1 - x0, -top);
  cairo_paint(out.cr);
  return out;
}

void register_cars(Registry& r) {
  const auto& stems = gfx::Player_Car_Stems();
  const auto& suffixes = gfx::Car_Frame_Suffixes();
  for (const auto& stem : stems) {
    if (stem.rfind("Bike_", 0) == 0) continue;  // bikes.cpp
    std::string model = stem.substr(4);
    for (size_t i = 0; i < suffixes.size(); ++i) {
      r["GFX/" + stem + suffixes[i] + ".png"] = [model, i]() {
        return player_frame(spec_for(model), i);
      };
    }
  }
  for (const auto& set : gfx::Opponent_Sets()) {
    auto suffix = gfx::View_Suffixes(set.views);
    for (int i = 0; i < set.views; ++i) {
      std::string model = set.stem;
      int views = set.views;
      r["GFX/" + set.stem + suffix[i] + ".png"] = [model, views, i]() {
        const CarSpec& s = spec_for(model);
        // Sprite sets with a base scale of 2 are painted at half the resolution.
        double ppm = car_ppm(model == "Transporter" ? 2.0 : 1.0);
        auto poses = opponent_poses(views);
        Sheet sh = sheet_for(s, ppm, 9, poses);
        // Every view stands on the picture's last row, where the road puts the ground.
        sh.oy = sh.h - 1 - measure(build_car(s, poses[i]), camera_for(s, ppm, 9, poses[i])).max_y;
        return draw_car(s, ppm, 9, poses[i], sh);
      };
    }
  }
}

}  // namespace art
