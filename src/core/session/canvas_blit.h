#pragma once
// Copying the finished 32-bit canvas onto the display surface.
#include <SDL/SDL.h>

// Copies `source` (the surface wrapping the canvas: 32 bits, R in the low byte, no alpha)
// onto `target` at (0, 0). Same pixels as SDL_BlitSurface, done by a plain loop for 16-bit
// targets and 32-bit targets with 8-bit channels; any other pair goes through SDL_BlitSurface.
void Blit_Canvas(SDL_Surface* source, SDL_Surface* target);
