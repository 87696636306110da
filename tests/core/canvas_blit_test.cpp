#include "core/session/canvas_blit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The canvas copy gives exactly SDL's own pixels, for 5-6-5 and 5-5-5 displays and with a
// clipping rectangle on the display.
TEST(CanvasBlit, MatchesSdlsBlitPixelForPixel) {
  std::vector<uint32_t> pixels(640 * 480);
  std::srand(3);
  for (uint32_t& p : pixels) p = static_cast<uint32_t>(std::rand()) << 8 ^ static_cast<uint32_t>(std::rand());
  SDL_Surface* canvas = SDL_CreateRGBSurfaceFrom(pixels.data(), 640, 480, 32, 640 * 4, 0xFF, 0xFF00, 0xFF0000, 0);
  ASSERT_NE(canvas, nullptr);
  const Uint32 formats[2][3] = {{0xF800, 0x07E0, 0x001F}, {0x7C00, 0x03E0, 0x001F}};
  for (const auto& m : formats) {
    for (bool clipped : {false, true}) {
      SDL_Surface* want = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 16, m[0], m[1], m[2], 0);
      SDL_Surface* got = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 16, m[0], m[1], m[2], 0);
      ASSERT_TRUE(want && got);
      SDL_FillRect(want, nullptr, 0x1234);
      SDL_FillRect(got, nullptr, 0x1234);
      SDL_Rect clip = {13, 7, 600, 400};
      if (clipped) {
        SDL_SetClipRect(want, &clip);
        SDL_SetClipRect(got, &clip);
      }
      SDL_BlitSurface(canvas, nullptr, want, nullptr);
      Blit_Canvas(canvas, got);
      for (int y = 0; y < 480; ++y)
        ASSERT_EQ(std::memcmp(static_cast<char*>(want->pixels) + y * want->pitch,
                              static_cast<char*>(got->pixels) + y * got->pitch, 640 * 2),
                  0)
            << "row " << y << " mask " << m[0] << (clipped ? " clipped" : "");
      SDL_FreeSurface(want);
      SDL_FreeSurface(got);
    }
  }
  SDL_FreeSurface(canvas);
}

}  // namespace
