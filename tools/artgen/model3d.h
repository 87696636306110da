#pragma once
// A small flat-shaded 3D renderer for vehicles seen from behind: planar faces,
// back-face culling, painter's order and orthographic projection onto a cairo picture.
#include <functional>
#include <vector>

#include "draw.h"

namespace art {

struct V3 {
  double x = 0, y = 0, z = 0;
};
V3 operator+(V3 a, V3 b);
V3 operator-(V3 a, V3 b);
V3 operator*(V3 a, double s);
double dot(V3 a, V3 b);
V3 cross(V3 a, V3 b);
V3 normalize(V3 a);

struct Poly {
  std::vector<V3> pts;  // planar, ordered so that the right-hand normal points outwards
  RGB colour;
  double gloss = 0.3;   // specular strength
  // Optional detail painted in the face's plane: called with the cairo matrix set so
  // that user space is (x, y) of the model when the face lies in the z = const plane.
  std::function<void(cairo_t*)> decal;
  bool flat_colour = false;  // no lighting (lamps, glass reflections)
  double depth_bias = 0;     // drawn as if this much nearer (details lying on a larger face)

  Poly(std::vector<V3> p, RGB c, double g = 0.3, std::function<void(cairo_t*)> d = nullptr, bool flat = false)
      : pts(std::move(p)), colour(c), gloss(g), decal(std::move(d)), flat_colour(flat) {}
};

struct Camera3 {
  double yaw_deg = 0;    // model turned about the vertical axis, positive: nose to the right
  double roll_deg = 0;   // positive: top leans to the left
  double pitch_deg = 15; // camera looks down by this angle
  double ppm = 50;       // pixels per model unit
  V3 pivot;              // model point the rotations turn about
};

class Model {
 public:
  std::vector<Poly> faces;
  void add(Poly f) { faces.push_back(std::move(f)); }
  // Box between two corners.
  void box(V3 lo, V3 hi, RGB c, double gloss = 0.2);
  // A prism along x: the profile (y, z pairs, counter-clockwise in y-z) from x0 to x1.
  void prism_x(const std::vector<std::pair<double, double>>& yz, double x0, double x1, RGB c, double gloss = 0.2);
  // A prism along z: the profile (x, y pairs, counter-clockwise seen from behind) from z0 to z1.
  // The rear cap (z0) gets the decal.
  void prism_z(const std::vector<std::pair<double, double>>& xy, double z0, double z1, RGB c, double gloss,
               std::function<void(cairo_t*)> rear_decal = nullptr);
};

struct Projection {
  double ox = 0, oy = 0;  // image position of the projected pivot
  double min_x = 0, max_x = 0, min_y = 0, max_y = 0;  // projected extent (relative)
};

// Measures the projected extent of a model, relative to the pivot.
Projection measure(const Model& m, const Camera3& cam);
// Draws the model with its pivot at (ox, oy) of the picture.
void render(cairo_t* cr, const Model& m, const Camera3& cam, double ox, double oy);
// Image position of a model point for the same camera and origin.
void project_point(const Camera3& cam, double ox, double oy, V3 p, double& sx, double& sy);

}  // namespace art
