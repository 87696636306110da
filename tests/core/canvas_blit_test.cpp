#include "core/session/canvas_blit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The colour bits of one display pixel (a 32-bit display's fourth byte is unused).
Uint32 Colour_Bits(const SDL_Surface* s, int x, int y) {
  const Uint8* at = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
  Uint32 value = 0;
  std::memcpy(&value, at, s->format->BytesPerPixel);
  return value & (s->format->Rmask | s->format->Gmask | s->format->Bmask);
}

// The canvas copy gives exactly SDL's own pixels, for 16-bit (5-6-5, 5-5-5) and 32-bit
// displays in three byte orders (X-R-G-B takes the rows as they are), and with a clipping
// rectangle on the display.
TEST(CanvasBlit, MatchesSdlsBlitPixelForPixel) {
  std::vector<uint32_t> pixels(640 * 480);
  std::srand(3);
  for (uint32_t& p : pixels) p = static_cast<uint32_t>(std::rand()) << 8 ^ static_cast<uint32_t>(std::rand());
  SDL_Surface* canvas = Wrap_Canvas(pixels.data(), 640, 480);
  ASSERT_NE(canvas, nullptr);
  const Uint32 formats[5][4] = {{16, 0xF800, 0x07E0, 0x001F},
                                {16, 0x7C00, 0x03E0, 0x001F},
                                {32, 0xFF0000, 0xFF00, 0xFF},
                                {32, 0xFF, 0xFF00, 0xFF0000},
                                {32, 0xFF00, 0xFF0000, 0xFF000000}};
  for (const auto& m : formats) {
    for (bool clipped : {false, true}) {
      const int bits = static_cast<int>(m[0]);
      SDL_Surface* want = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, bits, m[1], m[2], m[3], 0);
      SDL_Surface* got = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, bits, m[1], m[2], m[3], 0);
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
        for (int x = 0; x < 640; ++x)
          ASSERT_EQ(Colour_Bits(want, x, y), Colour_Bits(got, x, y))
              << "at " << x << "," << y << " bits " << bits << " red mask " << m[1] << (clipped ? " clipped" : "");
      SDL_FreeSurface(want);
      SDL_FreeSurface(got);
    }
  }
  SDL_FreeSurface(canvas);
}

}  // namespace
