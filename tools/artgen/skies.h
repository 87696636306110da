#pragma once
// Sky strips by scenario (1 Florida .. 12 Swisserland), for the menu pictures too.
#include "draw.h"

namespace art {

Pic sky_strip(int scenario);
// The strip painted once and shared; valid for the whole run.
const Pic& cached_strip(int scenario);

}  // namespace art
