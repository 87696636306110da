// What reaches the window: every pixel of the screen, at each window scale and after a
// change of video mode, read back from SDL 2's own window surface.
#include "frontend/screens/present_screen.h"

#include <SDL/SDL.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "core/state/game.h"
#include "frontend/screens/video_mode.h"

namespace {

struct WindowPicture {  // the leading fields of SDL 2's SDL_Surface
  Uint32 flags;
  void* format;
  int w, h, pitch;
  void* pixels;
};

// SDL 2's surface of sdl12-compat's one window, reached the way the game reaches it.
WindowPicture* Window_Picture() {
  void* sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_NOLOAD);
  if (!sdl2) return nullptr;
  auto window_from_id = reinterpret_cast<void* (*)(Uint32)>(dlsym(sdl2, "SDL_GetWindowFromID"));
  auto window_surface = reinterpret_cast<WindowPicture* (*)(void*)>(dlsym(sdl2, "SDL_GetWindowSurface"));
  dlclose(sdl2);
  for (Uint32 id = 1; id < 64; ++id)
    if (void* window = window_from_id(id)) return window_surface(window);
  return nullptr;
}

// A different colour at every screen pixel.
void Paint_Pattern(SDL_Surface* s, Uint32 seed) {
  for (int y = 0; y < s->h; ++y)
    for (int x = 0; x < s->w; ++x)
      reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x] = (x * 7919u + y * 104729u + seed) & 0xFFFFFF;
}

// Window pixels that are not the screen pixel they scale (nearest), reported with the first.
int Pixels_Off_Screen(const WindowPicture& window, SDL_Surface* s, int scale, std::string& first) {
  int off = 0;
  for (int y = 0; y < window.h; ++y)
    for (int x = 0; x < window.w; ++x) {
      Uint32 got = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(window.pixels) + y * window.pitch)[x] & 0xFFFFFF;
      Uint32 want = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + (y / scale) * s->pitch)[x / scale] & 0xFFFFFF;
      if (got != want && off++ == 0) first = std::to_string(x) + "," + std::to_string(y);
    }
  return off;
}

}  // namespace

TEST(PresentScreen, EveryPixelReachesTheWindowAtEachScaleAndAfterAModeChange) {
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  // Unscaled, scaled, unscaled again: each mode change drops the old texture for a new one.
  for (int scale : {1, 2, 1, 3}) {
    windowScaleOverride = scale;
    ASSERT_EQ(Switch_Video_Mode(0), 1) << scale;
    for (Uint32 seed : {0u, 12345u}) {  // a second frame: nothing kept from the first
      Paint_Pattern(screen, seed);
      Present_Screen(screen);
      WindowPicture* window = Window_Picture();
      ASSERT_NE(window, nullptr);
      ASSERT_EQ(window->w, 640 * scale);
      ASSERT_EQ(window->h, 480 * scale);
      std::string first;
      EXPECT_EQ(Pixels_Off_Screen(*window, screen, scale, first), 0) << "scale " << scale << ", first at " << first;
    }
  }
  windowScaleOverride = 0;
  SDL_Quit();
  screen = nullptr;
}
