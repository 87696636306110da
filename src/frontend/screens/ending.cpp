#include "frontend/screens/ending.h"

#include <cmath>
#include <cstring>

#include "audio/playback/sound.h"
#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/menu_graphics.h"
#include "frontend/graphics/pad.h"
#include "frontend/screens/intro.h"
#include "frontend/screens/present_screen.h"
#include "frontend/screens/settings_screen.h"

uint16_t scroll_wave[360] = {};
const char* const kScrollText = " Congratulations! from Marvik Ilsabet Corvan Orlen Tessarine    ";
int scroll_read_pointer = 0;
int glyph_counter = 0;
SDL_Surface* scroll_strip = nullptr;
SDL_Surface* scroll_font = nullptr;

namespace {

constexpr Uint32 kFrameMs = 25;
constexpr int kBandTop = 425;
constexpr int kBandHeight = 30;
// Glyph order of the font picture: a space, then the printable characters without the
// double quote, with '^' a second time where the backquote would be.
const char kFontOrder[] =
    " !#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_^abcdefghijklmnopqrstuvwxyz{|}~";

SDL_Surface* congrats = nullptr;

void Free_Surface(SDL_Surface*& surface) {
  SDL_FreeSurface(surface);
  surface = nullptr;
}

// Moves the strip's pixels two columns to the left; the last two columns keep theirs.
void Shift_Strip() {
  if (!scroll_strip || SDL_LockSurface(scroll_strip) < 0) return;
  int bpp = scroll_strip->format->BytesPerPixel;
  Uint8* row = static_cast<Uint8*>(scroll_strip->pixels);
  for (int y = 0; y < scroll_strip->h; ++y, row += scroll_strip->pitch)
    std::memmove(row, row + 2 * bpp, static_cast<size_t>(scroll_strip->w - 2) * bpp);
  SDL_UnlockSurface(scroll_strip);
}

}  // namespace

int Glyph_X(char c) {
  if (c == '\0') return 0;
  const char* found = std::strchr(kFontOrder, c);
  if (!found || found == kFontOrder) return 0;
  return kScrollCellWidth * static_cast<int>(found - kFontOrder) - 1;
}

void Init_Scroller() {
  for (int i = 0; i < 360; ++i) {
    float angle = static_cast<float>(i * 0.0174532);
    scroll_wave[i] = static_cast<uint16_t>(435 + static_cast<int>(15 * std::sin(static_cast<double>(angle))));
  }
  Free_Scroller();
  SDL_Surface* strip = SDL_CreateRGBSurface(SDL_SWSURFACE, kScrollStripWidth, kScrollCellHeight, 32, 0, 0, 0, 0);
  scroll_strip = strip && screen ? SDL_DisplayFormat(strip) : nullptr;
  SDL_FreeSurface(strip);
  if (scroll_strip) SDL_FillRect(scroll_strip, nullptr, 0);
  scroll_font = Load_Sprites("GFX/scrollfont.bmp", 0);
  glyph_counter = 0;
}

void Free_Scroller() {
  Free_Surface(scroll_strip);
  Free_Surface(scroll_font);
}

void Put_Next_Glyph() {
  int length = static_cast<int>(std::strlen(kScrollText));
  if (scroll_read_pointer < 0 || scroll_read_pointer >= length) scroll_read_pointer = 0;
  char c = kScrollText[scroll_read_pointer++];
  if (!scroll_strip) return;
  SDL_Rect cell = {static_cast<Sint16>(kScrollStripWidth - kScrollCellWidth), 0, kScrollCellWidth,
                   kScrollCellHeight};
  SDL_FillRect(scroll_strip, &cell, 0);
  if (!scroll_font) return;
  // The blit takes only what lies inside the font picture; the rest of the cell stays black.
  SDL_Rect source = {static_cast<Sint16>(Glyph_X(c)), 0, kScrollCellWidth, kScrollCellHeight};
  SDL_BlitSurface(scroll_font, &source, scroll_strip, &cell);
}

void Draw_Scroller_Frame() {
  Draw_Image(0, 0, congrats);
  Shift_Strip();
  glyph_counter += 2;
  if (glyph_counter > 12) {
    Put_Next_Glyph();
    glyph_counter = 0;
  }
  SDL_Rect band = {0, kBandTop, 640, kBandHeight};
  SDL_FillRect(screen, &band, 0);
  if (scroll_strip) {
    for (int x = 0; x < 640; ++x) {
      SDL_Rect column = {static_cast<Sint16>(x + kScrollCellWidth), 0, 1, kScrollCellHeight};
      SDL_Rect at = {static_cast<Sint16>(x), static_cast<Sint16>(scroll_wave[x % 360]), 0, 0};
      SDL_BlitSurface(scroll_strip, &column, screen, &at);
    }
  }
  Draw_Crt_Filter();
  Present_Screen(screen);
}

void Run_Ending() {
  congrats = Load_Sprites("GFX/congrats.bmp", 0);
  if (music_ending) Mix_FreeMusic(music_ending);
  music_ending = Load_Music("SFX/Abspann.ogg");
  Stop_Music();
  Play_Ending_Music();
  Init_Scroller();
  bool running = true;
  while (running) {
    Uint32 start = SDL_GetTicks();
    Call_Frame_Hook(SCREEN_ENDING);
    SDL_Event event;
    while (running && Poll_Event(&event)) {
      if (Ends_Title_Screen(event)) running = false;
      else if (event.type == SDL_KEYDOWN && (event.key.keysym.sym == SDLK_F12 || event.key.keysym.sym == SDLK_PRINT))
        theGame->Take_Screenshot();
    }
    if (running) Draw_Scroller_Frame();
    Uint32 spent = SDL_GetTicks() - start;
    if (spent < kFrameMs) SDL_Delay(kFrameMs - spent);
  }
  Stop_Music();
  Mix_FreeMusic(music_ending);
  music_ending = nullptr;
  Free_Surface(congrats);
  Free_Scroller();
}
