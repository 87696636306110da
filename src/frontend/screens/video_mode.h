#pragma once
// Opening the display: a window scaled to its chosen size or the full screen at 4:3, and
// switching between them while the game runs. The game always draws 640x480; the scaling is
// sdl12-compat's presentation (SDL12COMPAT_WINDOW_SCALING, SDL12COMPAT_SCALE_METHOD).
#include <SDL/SDL.h>

extern int windowScaleOverride;  // --scale N for this run; 0 follows the display settings

// Sets the environment sdl12-compat reads at SDL_Init (the scaling method). Call before it.
void Prepare_Presentation();
// Remembers the desktop size; call after SDL_Init and before the first video mode.
void Note_Desktop_Size();
// The window scale the display opens with.
int Window_Scale();
// Opens the 640x480 display full screen or as a window at Window_Scale(). Null on failure.
SDL_Surface* Open_Display(int fullscreen);
// When the window system's connection breaks (the X server went away), the game ends at
// once with a line and exit code 1: SDL's own shutdown would wait forever on the dead
// connection. Set up by Open_Display; nothing happens without an X11 display.
void Watch_Display_Connection();
// Re-opens the display with SDL_FULLSCREEN or as a window and makes it `screen`.
// When the new mode cannot be opened the old one is opened again and 0 is returned; when
// no display can be opened at all the game ends with a message and exit code 1.
int Switch_Video_Mode(int fullscreen);
