// Opening the display and switching between window and full screen.
#include "frontend/screens/video_mode.h"

#include <SDL/SDL.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "core/state/game.h"
#include "frontend/graphics/display_settings.h"
#include "frontend/screens/present_screen.h"

int windowScaleOverride = 0;

namespace {
int desktop_w = 0, desktop_h = 0;

Uint32 Mode_Flags(int fullscreen) { return fullscreen ? SDL_FULLSCREEN : 0; }

// Xlib's handler for a broken connection; the display pointer is not needed.
using IoErrorHandler = int (*)(void* display);
using SetIoErrorHandler = IoErrorHandler (*)(IoErrorHandler handler);

[[noreturn]] int Display_Gone(void*) {
  static const char line[] = "ERROR: The display has gone away.\n";
  // Only async-safe calls: the exit handlers would shut SDL down on the dead connection.
  ssize_t ignored = write(STDOUT_FILENO, line, sizeof line - 1);
  (void)ignored;
  _exit(1);
}
}  // namespace

void Watch_Display_Connection() {
  static bool watching = false;
  if (watching) return;
  // Xlib is loaded by SDL only for an X11 display; it is not loaded here for any other.
  void* xlib = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD);
  if (!xlib) return;
  auto set_handler = reinterpret_cast<SetIoErrorHandler>(dlsym(xlib, "XSetIOErrorHandler"));
  if (set_handler) {
    set_handler(Display_Gone);
    watching = true;
  }
  dlclose(xlib);
}

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
  // 32 bits: sdl12-compat hands the surface to SDL 2 without converting it again.
  Forget_Presentation();
  SDL_Surface* opened = SDL_SetVideoMode(640, 480, 32, Mode_Flags(fullscreen));
  if (opened) Watch_Display_Connection();
  return opened;
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
