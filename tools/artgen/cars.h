#pragma once
#include "draw.h"
// Pixel scales that keep the sprites in proportion to the road.
namespace art {

// World units per metre of the cars, traffic and people on the track (a lane of 250 is
// 3.8 m); the pictures of a set with base scale b are painted at car_ppm(b).
double car_world_per_metre();
inline double car_ppm(double base_scale) { return car_world_per_metre() / base_scale; }

// The player's vehicle is drawn unscaled and centred on the row its world point projects
// to. Its picture, h rows high with the tyres on the last row, stands on the same row as an
// opponent drawn at the road's scale (row - centre row) / camera height, so it is painted
// at that scale: fit_player gives the pixels per metre and h for a vehicle whose picture
// is `metres_high` tall (roof to tyres, as seen by the camera).
struct PlayerFit {
  double ppm;
  int h;
};
PlayerFit fit_player(double metres_high);

// Cuts a picture to the columns its pixels cover, between rows top and bottom (inclusive).
Pic crop_to_ink(Pic& src, int top, int bottom);
// The first row with a visible pixel, or h when there is none.
int top_ink_row(Pic& p);
// Roadside objects stand beside the cars at the cars' scale: painted at half a pixel per
// world unit (the road draws objects at twice its scale), divided by their base scale.
inline double object_ppm(double base_scale) { return car_world_per_metre() / (2.0 * base_scale); }

// Gates, banners, bridges and tunnels over the road are drawn to the road, not to the cars
// (a checkpoint gate spans five lanes): their drawings in metres are painted at
// span_world_per_metre() pixels per metre, divided by the sprite's base scale.
double span_world_per_metre();
inline double span_ppm(double base_scale) { return span_world_per_metre() / base_scale; }

}  // namespace art

#include <string>

#include "draw.h"

namespace art {

// A car model seen from behind and to the side, filling about w x h pixels.
Pic car_showcase(const std::string& model, int w, int h);
// The same view turned by `yaw` degrees, centred in the box (x, y, w, h) of any cairo surface.
void draw_car_fitted(cairo_t* cr, const std::string& model, double yaw, double x, double y, double w, double h);
Pic bike_showcase(bool trike, double ppm);

}  // namespace art
