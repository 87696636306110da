#pragma once
// Presenting the 640x480 screen. sdl12-compat's SDL_Flip hands its 32-bit X-R-G-B screen to
// SDL 2 as an A-R-G-B texture, and SDL's software renderer converts that back to the window's
// X-R-G-B: two conversions a frame. Present_Screen converts none: an unscaled window on the
// software renderer gets the rows copied into its own surface; any other size or renderer
// gets one texture in the screen's format on sdl12-compat's renderer, which keeps its
// scaling and black bars. Where neither can be done (another SDL, another screen format,
// no window) it falls back to SDL_Flip.
#include <SDL/SDL.h>

void Present_Screen(SDL_Surface* surface);
// The renderer goes with every video mode change: call before SDL_SetVideoMode.
void Forget_Presentation();
