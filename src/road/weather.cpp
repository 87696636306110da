#include "road/weather.h"

#include <cstdlib>

#include "audio/playback/sound.h"
#include "core/state/game.h"
#include "frontend/graphics/menu_graphics.h"

Flake snowflakes[50];
Drop rain[200];
Flake fine_snow[500];

int32_t flash_active = 0, flash_alpha = 0;
int32_t plane_active = 0, plane_x = 640, plane_y = 200;
SDL_Surface* flash_surface = nullptr;
SDL_Surface* scanline_surface = nullptr;
SDL_Surface* fog_mask = nullptr;

namespace {

// A 640x480 surface in the display's format (16-bit 565 before a video mode exists).
SDL_Surface* Make_Overlay() {
  SDL_Surface* display = SDL_GetVideoSurface();
  if (display) {
    const SDL_PixelFormat* f = display->format;
    return SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, f->BitsPerPixel, f->Rmask, f->Gmask,
                                f->Bmask, f->Amask);
  }
  return SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 16, 0xF800, 0x07E0, 0x001F, 0);
}

SDL_Surface* Make_Scanlines() {
  SDL_Surface* surface = Make_Overlay();
  if (!surface) return nullptr;
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 255, 255, 255));
  Uint32 black = SDL_MapRGB(surface->format, 0, 0, 0);
  for (Sint16 row = 1; row < 480; row += 2) {
    SDL_Rect line = {0, row, 640, 1};
    SDL_FillRect(surface, &line, black);
  }
  return surface;
}

void Blit(SDL_Surface* picture, SDL_Rect* source, int x, int y) {
  SDL_Surface* display = SDL_GetVideoSurface();
  if (!picture || !display) return;
  SDL_Rect at = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
  SDL_BlitSurface(picture, source, display, &at);
}

void Blit_Alpha(SDL_Surface* overlay, int alpha) {
  if (!overlay) return;
  SDL_SetAlpha(overlay, SDL_SRCALPHA, static_cast<Uint8>(alpha));
  Blit(overlay, nullptr, 0, 0);
}

// One frame of fall and drift; a piece that drifts off the sides starts again on row 0.
void Fall(int& x, int& y, int fall) {
  y += fall;
  if (y > 480) y = 0;
  x += std::rand() % 2 == 0 ? -1 : 1;
  if (x < -4 || x > 644) {
    x = std::rand() % 640;
    y = 0;
  }
}

}  // namespace

void init_weather() {
  for (Flake& f : snowflakes) {
    f.x = std::rand() % 640;
    f.y = std::rand() % 480;
  }
  for (Drop& d : rain) {
    d.x = std::rand() % 640;
    d.y = std::rand() % 480;
    d.length = std::rand() % 9 + 4;
  }
  for (Flake& f : fine_snow) {
    f.x = std::rand() % 640;
    f.y = std::rand() % 480;
  }
  flash_surface = Make_Overlay();
  if (flash_surface) SDL_FillRect(flash_surface, nullptr, SDL_MapRGB(flash_surface->format, 255, 240, 240));
  scanline_surface = Make_Scanlines();
  fog_mask = Load_Sprites("GFX/fog_mask.bmp", 0);
  if (fog_mask) SDL_SetAlpha(fog_mask, SDL_SRCALPHA, 90);
  Set_Menu_Graphics_Hooks({free_weather});
}

void free_weather() {
  SDL_FreeSurface(flash_surface);
  SDL_FreeSurface(scanline_surface);
  SDL_FreeSurface(fog_mask);
  flash_surface = scanline_surface = fog_mask = nullptr;
}

void draw_snowflakes() {
  for (Flake& f : snowflakes) {
    Fall(f.x, f.y, 4);
    Blit(gfx_snowflake, nullptr, f.x, f.y);
  }
}

void draw_rain() {
  for (Drop& d : rain) {
    Fall(d.x, d.y, 4 * d.length);
    SDL_Rect streak = {0, 0, 2, static_cast<Uint16>(d.length)};
    Blit(gfx_raindrop, &streak, d.x, d.y);
  }
}

void draw_fine_snow() {
  for (Flake& f : fine_snow) {
    Fall(f.x, f.y, 4);
    SDL_Rect speck = {0, 0, 2, 2};
    Blit(gfx_snowrain, &speck, f.x, f.y);
  }
}

void draw_lightning() {
  if (!flash_active) {
    if (std::rand() % 100 != 99) return;
    flash_active = 10;
    flash_alpha = 30;
    Blit_Alpha(flash_surface, flash_alpha);
    return;
  }
  flash_alpha += 30;
  if (flash_alpha > 255) {
    flash_alpha = 0;
    flash_active = 0;
    Play_Thunder();
    return;
  }
  Blit_Alpha(flash_surface, flash_alpha);
}

void draw_seaplane() {
  if (!plane_active) {
    if (std::rand() % 150 != 149) return;
    plane_active = 1;
    plane_x = 640;
    plane_y = 200;
    Start_Seaplane();
    return;
  }
  plane_x -= 10;
  plane_y -= 2;
  if (plane_x < -423) {
    plane_active = 0;
    Stop_Seaplane();
  }
  Blit(gfx_seaplane, nullptr, plane_x, plane_y);
}

void draw_scanlines() { Blit_Alpha(scanline_surface, 50); }

void Draw_Weather() {
  if (!theGame) return;
  int code = theGame->weather;
  if ((!customTrack && theGame->builtin_track == 2) || (customTrack && theGame->track_type == 2))
    draw_snowflakes();
  if (!customTrack) return;
  if (code == 2) {
    draw_rain();
    draw_lightning();
  }
  if (code == 4) draw_seaplane();
  if (code == 5) draw_fine_snow();
}
