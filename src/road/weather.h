#pragma once
// Screen-space weather drawn onto the display surface over the finished race picture:
// snowflakes, rain with lightning, fine snow, a passing seaplane and the scan-line overlay.
#include <SDL/SDL.h>

#include <cstdint>

struct Flake {
  int x, y;
};

struct Drop {
  int x, y, length;  // length 4..12
};

extern Flake snowflakes[50];
extern Drop rain[200];
extern Flake fine_snow[500];

extern int32_t flash_active, flash_alpha;
extern int32_t plane_active, plane_x, plane_y;
extern SDL_Surface* flash_surface;     // full screen, (255, 240, 240)
extern SDL_Surface* scanline_surface;  // white, black on every odd row
extern SDL_Surface* fog_mask;          // "GFX/fog_mask.bmp" with alpha 90, not drawn by the race

// Random positions for every flake and drop, then the two overlay surfaces.
void init_weather();
void free_weather();

void draw_snowflakes();
void draw_rain();
void draw_fine_snow();
// The 2x2 piece at the picture's top left at every flake, as colour-keyed blits draw it
// (written as words into a 32-bit display of the picture's format).
void Draw_Specks(SDL_Surface* picture, const Flake* flakes, int count, SDL_Surface* display);
void draw_lightning();
void draw_seaplane();
void draw_scanlines();

// The weather of the current track: snow on the winter scenario, rain with lightning,
// the seaplane or fine snow by the track's weather code.
void Draw_Weather();
