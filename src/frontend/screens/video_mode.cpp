// Opening the display and switching between window and full screen.
#include "frontend/screens/video_mode.h"

#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>

#include "core/state/game.h"
#include "frontend/graphics/display_settings.h"

int windowScaleOverride = 0;

namespace {
int desktop_w = 0, desktop_h = 0;

Uint32 Mode_Flags(int fullscreen) { return fullscreen ? SDL_FULLSCREEN : 0; }
}  // namespace

void Prepare_Presentation() {
  setenv("SDL12COMPAT_SCALE_METHOD", display.smooth ? "linear" : "nearest", 1);
}

void Note_Desktop_Size() {
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  desktop_w = info ? info->current_w : 0;
  desktop_h = info ? info->current_h : 0;
}

int Window_Scale() {
  if (windowScaleOverride >= 1 && windowScaleOverride <= kWindowSizeMax) return windowScaleOverride;
  return Window_Scale_For(desktop_w, desktop_h, display.window_size);
}

SDL_Surface* Open_Display(int fullscreen) {
  // Read by sdl12-compat at every SetVideoMode; full screen ignores it.
  char scale[8];
  std::snprintf(scale, sizeof scale, "%d", Window_Scale());
  setenv("SDL12COMPAT_WINDOW_SCALING", scale, 1);
  return SDL_SetVideoMode(640, 480, 16, Mode_Flags(fullscreen));
}

int Switch_Video_Mode(int fullscreen) {
  int was_fullscreen = screen && (screen->flags & SDL_FULLSCREEN) ? 1 : 0;
  SDL_Surface* opened = Open_Display(fullscreen);
  if (opened) {
    screen = opened;
    return 1;
  }
  // The failed switch may have closed the old display: open it again, or at least a window.
  opened = Open_Display(was_fullscreen);
  if (!opened && was_fullscreen) opened = Open_Display(0);
  if (!opened) {
    std::printf("ERROR: Cannot open the display.\n%s\n", SDL_GetError());
    std::exit(1);
  }
  screen = opened;
  return 0;
}
