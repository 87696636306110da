#pragma once
#include <cstdint>

// rand() mod (hi - lo + 1) + lo, both ends included.
int Random_Range(int lo, int hi);

// Uniform float in [0, 1) from a multiply-with-carry generator.
float random01();
// Restores the generator's initial state (z = 222, w = 111).
void Reset_Random01();
