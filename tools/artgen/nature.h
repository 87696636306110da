#pragma once
// Plant and rock painters, shared by the scenery sets and the menu pictures.
#include "draw.h"

namespace art {

Pic tree_round(double ppm, double height_m, RGB leaves, RGB bark, int seed, bool snowy);
Pic tree_bare(double ppm, double height_m, RGB bark, int seed, bool snowy);
Pic tree_conifer(double ppm, double height_m, RGB needles, int seed, bool snowy);
Pic palm(double ppm, double height_m, RGB fronds, int seed);
Pic cactus(double ppm, double height_m);
Pic bush(double ppm, double width_m, double height_m, RGB leaves, int seed, bool snowy, RGB flowers,
         bool has_flowers);
Pic rock(double ppm, double width_m, double height_m, RGB c, int seed);
Pic ground(RGB base, RGB detail, int seed, double detail_share, int kind);

}  // namespace art
