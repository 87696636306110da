#include "frontend/screens/video_mode.h"

#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>

#include "core/state/game.h"

int Switch_Video_Mode(int fullscreen) {
  int was_fullscreen = screen && (screen->flags & SDL_FULLSCREEN) ? 1 : 0;
  SDL_Surface* opened = SDL_SetVideoMode(640, 480, 16, fullscreen ? SDL_FULLSCREEN : 0);
  if (opened) {
    screen = opened;
    return 1;
  }
  // The failed switch may have closed the old display: open it again, or at least a window.
  opened = SDL_SetVideoMode(640, 480, 16, was_fullscreen ? SDL_FULLSCREEN : 0);
  if (!opened && was_fullscreen) opened = SDL_SetVideoMode(640, 480, 16, 0);
  if (!opened) {
    std::printf("ERROR: Cannot open the display.\n%s\n", SDL_GetError());
    std::exit(1);
  }
  screen = opened;
  return 0;
}
