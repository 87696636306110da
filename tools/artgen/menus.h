#pragma once
// Pieces of the menu pictures shared with the full-screen pictures.
#include "draw.h"

namespace art {

// A small view down a road of a scenario (1 Florida .. 12 Swisserland).
Pic scenario_view(int scenario, int w, int h);
// The plate of a grid cell: light label band at the top, tinted panel below.
void cell_plate(Pic& p, RGB tint);
void licence_card(cairo_t* cr, double cx, double cy, double s);

}  // namespace art
