#pragma once
// Pixel scales that keep the sprites in proportion to the road.
namespace art {

// Pixels per metre of the player's car, which is drawn unscaled.
double player_ppm();
// World units per metre; a vehicle sprite with base scale 1 is painted at one pixel
// per world unit, a roadside object at half that (the road draws objects at twice its
// scale), each divided by its base scale.
double world_per_metre();
inline double vehicle_ppm(double base_scale) { return world_per_metre() / base_scale; }
inline double object_ppm(double base_scale) { return world_per_metre() / (2.0 * base_scale); }

}  // namespace art

#include <string>

#include "draw.h"

namespace art {

// A car model seen from behind and to the side, filling about w x h pixels.
Pic car_showcase(const std::string& model, int w, int h);
Pic bike_showcase(bool trike, double ppm);

}  // namespace art
