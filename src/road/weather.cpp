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

void Blit_To(SDL_Surface* display, SDL_Surface* picture, SDL_Rect* source, int x, int y) {
  if (!picture || !display) return;
  SDL_Rect at = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
  SDL_BlitSurface(picture, source, display, &at);
}

void Blit(SDL_Surface* picture, SDL_Rect* source, int x, int y) { Blit_To(SDL_GetVideoSurface(), picture, source, x, y); }

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

// The 2x2 piece at a picture's top left, when it can be written into the display as words:
// both 32 bits in the same channel order, the picture opaque but for its colour key.
struct Speck {
  Uint32 pixel[4];
  bool drawn[4];
};

bool Read_Speck(SDL_Surface* picture, const SDL_Surface* display, Speck& speck) {
  const SDL_PixelFormat* p = picture->format;
  const SDL_PixelFormat* d = display->format;
  if (p->BytesPerPixel != 4 || d->BytesPerPixel != 4 || p->Rmask != d->Rmask || p->Gmask != d->Gmask ||
      p->Bmask != d->Bmask || p->Amask != 0 || d->Amask != 0 || (picture->flags & SDL_SRCALPHA) || picture->w < 2 ||
      picture->h < 2)
    return false;
  if (SDL_MUSTLOCK(picture) && SDL_LockSurface(picture) < 0) return false;
  const bool keyed = picture->flags & SDL_SRCCOLORKEY;
  for (int k = 0; k < 4; ++k) {
    speck.pixel[k] = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(picture->pixels) + (k / 2) * picture->pitch)[k % 2];
    // SDL compares the whole word with the key when the picture has no alpha.
    speck.drawn[k] = !keyed || speck.pixel[k] != p->colorkey;
  }
  if (SDL_MUSTLOCK(picture)) SDL_UnlockSurface(picture);
  return true;
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
  for (Flake& f : fine_snow) Fall(f.x, f.y, 4);
  Draw_Specks(gfx_snowrain, fine_snow, 500, SDL_GetVideoSurface());
}

void Draw_Specks(SDL_Surface* picture, const Flake* flakes, int count, SDL_Surface* display) {
  if (!picture || !display) return;
  Speck speck;
  if (!Read_Speck(picture, display, speck)) {
    for (int i = 0; i < count; ++i) {
      SDL_Rect source = {0, 0, 2, 2};
      Blit_To(display, picture, &source, flakes[i].x, flakes[i].y);
    }
    return;
  }
  if (SDL_MUSTLOCK(display) && SDL_LockSurface(display) < 0) return;
  const SDL_Rect& clip = display->clip_rect;
  for (int i = 0; i < count; ++i)
    for (int k = 0; k < 4; ++k) {
      const int x = flakes[i].x + k % 2, y = flakes[i].y + k / 2;
      if (!speck.drawn[k] || x < clip.x || y < clip.y || x >= clip.x + clip.w || y >= clip.y + clip.h) continue;
      reinterpret_cast<Uint32*>(static_cast<Uint8*>(display->pixels) + y * display->pitch)[x] = speck.pixel[k];
    }
  if (SDL_MUSTLOCK(display)) SDL_UnlockSurface(display);
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
