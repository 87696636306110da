#pragma once
// Copying the finished 32-bit canvas onto the display surface.
#include <SDL/SDL.h>

#include <cstdint>

// The surface wrapping canvas pixels (32 bits, B in the low byte, no alpha); null on failure.
SDL_Surface* Wrap_Canvas(uint32_t* pixels, int width, int height);

// Copies `source` (a surface made by Wrap_Canvas) onto `target` at (0, 0). Same pixels as
// SDL_BlitSurface: rows copied as they are to an X-R-G-B target, a plain loop for 16-bit
// targets and other 32-bit targets with 8-bit channels; any other pair goes through
// SDL_BlitSurface.
void Blit_Canvas(SDL_Surface* source, SDL_Surface* target);
