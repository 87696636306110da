#include "model3d.h"

#include <algorithm>
#include <cmath>

namespace art {

V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 operator*(V3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
V3 normalize(V3 a) {
  double l = std::sqrt(dot(a, a));
  return l > 0 ? a * (1.0 / l) : a;
}

void Model::box(V3 lo, V3 hi, RGB c, double gloss) {
  prism_z({{lo.x, lo.y}, {hi.x, lo.y}, {hi.x, hi.y}, {lo.x, hi.y}}, lo.z, hi.z, c, gloss);
}

void Model::prism_z(const std::vector<std::pair<double, double>>& xy, double z0, double z1, RGB c, double gloss,
                    std::function<void(cairo_t*)> rear_decal) {
  size_t n = xy.size();
  // The profile runs counter-clockwise seen from behind (looking along +z), so the
  // rear cap, whose outward normal is -z, is that order reversed.
  Poly rear{{}, c, gloss, rear_decal};
  for (size_t i = n; i-- > 0;) rear.pts.push_back({xy[i].first, xy[i].second, z0});
  Poly front{{}, c, gloss};
  for (size_t i = 0; i < n; ++i) front.pts.push_back({xy[i].first, xy[i].second, z1});
  add(rear);
  add(front);
  for (size_t i = 0; i < n; ++i) {
    auto a = xy[i], b = xy[(i + 1) % n];
    add({{{a.first, a.second, z0}, {b.first, b.second, z0}, {b.first, b.second, z1}, {a.first, a.second, z1}},
         c,
         gloss});
  }
}

void Model::prism_x(const std::vector<std::pair<double, double>>& yz, double x0, double x1, RGB c, double gloss) {
  size_t n = yz.size();
  Poly left{{}, c, gloss}, right{{}, c, gloss};
  // A profile counter-clockwise in (y, z) has its normal along +x.
  for (size_t i = n; i-- > 0;) left.pts.push_back({x0, yz[i].first, yz[i].second});
  for (size_t i = 0; i < n; ++i) right.pts.push_back({x1, yz[i].first, yz[i].second});
  add(left);
  add(right);
  for (size_t i = 0; i < n; ++i) {
    auto a = yz[i], b = yz[(i + 1) % n];
    add({{{x0, a.first, a.second}, {x0, b.first, b.second}, {x1, b.first, b.second}, {x1, a.first, a.second}}, c,
         gloss});
  }
}

namespace {

struct Xform {
  double cy, sy, cr, sr, cp, sp;
  V3 pivot;
  explicit Xform(const Camera3& c) {
    double y = c.yaw_deg * M_PI / 180, r = c.roll_deg * M_PI / 180, p = c.pitch_deg * M_PI / 180;
    cy = std::cos(y);
    sy = std::sin(y);
    cr = std::cos(r);
    sr = std::sin(r);
    cp = std::cos(p);
    sp = std::sin(p);
    pivot = c.pivot;
  }
  // Model to view space: x right, y up (screen), z depth (away from the camera).
  V3 rotate(V3 v) const {
    // roll about z (positive moves the top to the left)
    V3 a{v.x * cr - v.y * sr, v.x * sr + v.y * cr, v.z};
    // yaw about y (positive turns the nose, +z, towards +x)
    V3 b{a.x * cy + a.z * sy, a.y, -a.x * sy + a.z * cy};
    // camera pitch: looking down
    return {b.x, b.y * cp + b.z * sp, -b.y * sp + b.z * cp};
  }
  V3 apply(V3 p) const { return rotate(p - pivot); }
};

const V3 kLight = normalize({0.35, 0.85, -0.45});

}  // namespace

void project_point(const Camera3& cam, double ox, double oy, V3 p, double& sx, double& sy) {
  Xform t(cam);
  V3 v = t.apply(p);
  sx = ox + v.x * cam.ppm;
  sy = oy - v.y * cam.ppm;
}

Projection measure(const Model& m, const Camera3& cam) {
  Xform t(cam);
  Projection pr;
  bool first = true;
  for (const auto& f : m.faces)
    for (const auto& p : f.pts) {
      V3 v = t.apply(p);
      double x = v.x * cam.ppm, y = -v.y * cam.ppm;
      if (first) {
        pr.min_x = pr.max_x = x;
        pr.min_y = pr.max_y = y;
        first = false;
      }
      pr.min_x = std::min(pr.min_x, x);
      pr.max_x = std::max(pr.max_x, x);
      pr.min_y = std::min(pr.min_y, y);
      pr.max_y = std::max(pr.max_y, y);
    }
  return pr;
}

void render(cairo_t* cr, const Model& m, const Camera3& cam, double ox, double oy) {
  Xform t(cam);
  struct Item {
    const Poly* f;
    double depth;
    std::vector<V3> v;
    V3 n;
  };
  std::vector<Item> items;
  for (const auto& f : m.faces) {
    if (f.pts.size() < 3) continue;
    Item it{&f, 0, {}, {}};
    for (const auto& p : f.pts) it.v.push_back(t.apply(p));
    // Newell's normal in view space.
    V3 n{};
    for (size_t i = 0; i < it.v.size(); ++i) {
      V3 a = it.v[i], b = it.v[(i + 1) % it.v.size()];
      n.x += (a.y - b.y) * (a.z + b.z);
      n.y += (a.z - b.z) * (a.x + b.x);
      n.z += (a.x - b.x) * (a.y + b.y);
    }
    it.n = normalize(n);
    if (it.n.z >= -1e-6) continue;  // faces away from the camera
    for (const auto& v : it.v) it.depth += v.z;
    it.depth = it.depth / it.v.size() - f.depth_bias;
    items.push_back(std::move(it));
  }
  std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.depth > b.depth; });
  // The light is fixed to the model's surroundings, so turn it with the camera pitch only.
  Xform light_t(Camera3{0, 0, cam.pitch_deg, 1, {}});
  V3 l = light_t.rotate(kLight);
  for (const auto& it : items) {
    const Poly& f = *it.f;
    RGB c = f.colour;
    if (!f.flat_colour) {
      double d = std::max(0.0, dot(it.n, l));
      double k = 0.5 + 0.55 * d;
      V3 h = normalize(l + V3{0, 0, -1});
      double s = std::pow(std::max(0.0, dot(it.n, h)), 18) * f.gloss;
      c = {std::min(1.0, c.r * k + s), std::min(1.0, c.g * k + s), std::min(1.0, c.b * k + s)};
    }
    cairo_new_path(cr);
    for (size_t i = 0; i < it.v.size(); ++i) {
      double x = ox + it.v[i].x * cam.ppm, y = oy - it.v[i].y * cam.ppm;
      if (i == 0)
        cairo_move_to(cr, x, y);
      else
        cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
    set(cr, c);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);  // closes hairline gaps between neighbouring faces
    if (f.decal) {
      // Affine map of the face plane z = const: model (x, y) to the image.
      double z = f.pts[0].z;
      V3 o = t.apply({0, 0, z}), ex = t.apply({1, 0, z}), ey = t.apply({0, 1, z});
      cairo_matrix_t mtx;
      cairo_matrix_init(&mtx, (ex.x - o.x) * cam.ppm, -(ex.y - o.y) * cam.ppm, (ey.x - o.x) * cam.ppm,
                        -(ey.y - o.y) * cam.ppm, ox + o.x * cam.ppm, oy - o.y * cam.ppm);
      cairo_save(cr);
      // Clip to the face.
      cairo_new_path(cr);
      for (size_t i = 0; i < it.v.size(); ++i) {
        double x = ox + it.v[i].x * cam.ppm, y = oy - it.v[i].y * cam.ppm;
        if (i == 0)
          cairo_move_to(cr, x, y);
        else
          cairo_line_to(cr, x, y);
      }
      cairo_close_path(cr);
      cairo_clip(cr);
      cairo_transform(cr, &mtx);
      // Decals are lit like their face.
      f.decal(cr);
      cairo_restore(cr);
    }
  }
}

}  // namespace art
