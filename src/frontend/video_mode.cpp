#include "frontend/video_mode.h"

#include <SDL/SDL.h>

#include "core/game.h"

int Switch_Video_Mode(int fullscreen) {
  int was_fullscreen = screen && (screen->flags & SDL_FULLSCREEN) ? 1 : 0;
  SDL_Surface* opened = SDL_SetVideoMode(640, 480, 16, fullscreen ? SDL_FULLSCREEN : 0);
  if (opened) {
    screen = opened;
    return 1;
  }
  screen = SDL_SetVideoMode(640, 480, 16, was_fullscreen ? SDL_FULLSCREEN : 0);
  return 0;
}
