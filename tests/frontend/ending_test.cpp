#include "frontend/screens/ending.h"

#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/menu_graphics.h"
#include "support/front_end.h"

namespace {

using EndingTest = FrontEndTest;

// A pixel of a 32-bit surface like the display.
uint32_t& Pixel32(SDL_Surface* surface, int x, int y) {
  return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch)[x];
}
uint32_t Colour_Of(SDL_Surface* surface, int x, int y) { return Pixel32(surface, x, y) & 0xFFFFFF; }

// A strip pattern in which every pixel differs from its neighbours and from black.
uint32_t Pattern(int x, int y) { return 0x800000u | static_cast<uint32_t>((x * 37 + y * 1013) % 0x7fffff); }

// The wave's rows, the glyphs' cells (a lacking character is a space) and the pictures.
TEST_F(EndingTest, WaveTableGlyphCellsAndPictures) {
  Init_Scroller();
  for (auto [x, row] : {std::pair{0, 435}, {90, 449}, {180, 435}, {270, 421}}) EXPECT_EQ(scroll_wave[x], row) << x;
  EXPECT_EQ(*std::min_element(scroll_wave, scroll_wave + 360), 421);
  EXPECT_EQ(*std::max_element(scroll_wave, scroll_wave + 360), 449);

  // '^' takes the first of its two cells.
  for (auto [c, x] :
       {std::pair{' ', 0}, {'!', 15}, {'#', 31}, {'A', 16 * 32 - 1}, {'^', 16 * 61 - 1}, {'~', 16 * 93 - 1}})
    EXPECT_EQ(Glyph_X(c), x) << c;
  for (char c : {'"', '`', '\t', '\0', static_cast<char>(0xe4)}) EXPECT_EQ(Glyph_X(c), 0) << int(c);
  ASSERT_NE(scroll_font, nullptr);
  EXPECT_GE(scroll_font->w, 1520);
  EXPECT_EQ(scroll_font->h, kScrollCellHeight);
  for (int c = -128; c < 128; ++c) EXPECT_LE(Glyph_X(static_cast<char>(c)) + kScrollCellWidth, scroll_font->w) << c;
  ASSERT_NE(scroll_strip, nullptr);
  EXPECT_EQ(scroll_strip->w, kScrollStripWidth);
  EXPECT_EQ(scroll_strip->format->BitsPerPixel, screen->format->BitsPerPixel);
  Free_Scroller();
}

// The screen after one frame against a model: the picture, the black band, and each
// column of the strip (moved two pixels on) at its row of the wave.
TEST_F(EndingTest, FramesFollowTheWaveAndGlyphsEnterAtTheRightEnd) {
  SDL_Surface* congrats = Load_Sprites("GFX/congrats.bmp", 0);
  ASSERT_NE(congrats, nullptr);
  const int text_length = static_cast<int>(std::strlen(kScrollText));
  scroll_read_pointer = text_length - 1;
  bool compared = false, glyph_checked = false;
  script = [&](int screen_id) {
    ASSERT_EQ(screen_id, SCREEN_ENDING);
    if (frame == 1) {
      EXPECT_EQ(scroll_read_pointer, text_length - 1);  // Init_Scroller keeps the place
      SDL_LockSurface(scroll_strip);
      for (int y = 0; y < kScrollCellHeight; ++y)
        for (int x = 0; x < kScrollStripWidth; ++x) Pixel32(scroll_strip, x, y) = Pattern(x, y);
      SDL_UnlockSurface(scroll_strip);
    } else if (frame == 2) {
      SDL_LockSurface(screen);
      SDL_LockSurface(congrats);
      int wrong = 0;
      for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
          uint32_t expected = Colour_Of(congrats, x, y);
          if (y >= 425 && y < 455) expected = 0;
          int row = y - scroll_wave[x % 360];
          if (row >= 0 && row < kScrollCellHeight) expected = Pattern(x + 18, row);
          wrong += Colour_Of(screen, x, y) != expected;
        }
      SDL_UnlockSurface(congrats);
      SDL_UnlockSurface(screen);
      EXPECT_EQ(wrong, 0);
      compared = true;
      glyph_counter = 12;  // the next frame takes a glyph
    } else if (frame == 3) {
      EXPECT_EQ(scroll_read_pointer, text_length);  // the last character was taken
      glyph_counter = 12;
    } else if (frame == 4) {
      EXPECT_EQ(scroll_read_pointer, 1);  // the text started again from its first character
      EXPECT_EQ(glyph_counter, 0);
      SDL_LockSurface(scroll_strip);
      SDL_LockSurface(scroll_font);
      int wrong = 0;
      for (int y = 0; y < kScrollCellHeight; ++y)
        for (int x = 0; x < kScrollCellWidth; ++x)
          wrong += Colour_Of(scroll_strip, 656 + x, y) != Colour_Of(scroll_font, Glyph_X(kScrollText[0]) + x, y);
      SDL_UnlockSurface(scroll_font);
      SDL_UnlockSurface(scroll_strip);
      EXPECT_EQ(wrong, 0);
      glyph_checked = true;
    } else if (frame == 6) {
      EXPECT_EQ(glyph_counter, 4);
      Push_Key(SDLK_SPACE);
    }
  };
  Run_Ending();
  SDL_FreeSurface(congrats);
  EXPECT_TRUE(compared);
  EXPECT_TRUE(glyph_checked);
  EXPECT_EQ(scroll_strip, nullptr);
  EXPECT_EQ(scroll_font, nullptr);
  EXPECT_EQ(Mix_PlayingMusic(), 0);
}

}  // namespace
