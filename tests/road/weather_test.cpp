#include "road/weather.h"

#include <vector>

#include "audio/audio_fixture.h"
#include "support/front_end.h"

namespace {

// A 16-bit display and the mixer.
class Weather : public AudioTest {
 protected:
  void SetUp() override {
    AudioTest::SetUp();
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    ASSERT_NE(SDL_SetVideoMode(640, 480, 16, SDL_SWSURFACE), nullptr);
  }
};

TEST_F(Weather, PiecesFallWrapAndRestartOnTheTopRowAfterDriftingOff) {
  for (Drop& d : rain) d = {320, 0, 12};
  rain[1] = {100, 470, 4};
  draw_rain();
  EXPECT_EQ(rain[0].y, 48);
  EXPECT_TRUE(rain[0].x == 319 || rain[0].x == 321);
  EXPECT_EQ(rain[1].y, 0);  // 486 is past the bottom
  for (Flake& f : snowflakes) f = {-4, 100};
  draw_snowflakes();
  int restarted = 0;
  for (const Flake& f : snowflakes) {
    bool drifted_off = f.y == 0 && f.x >= 0 && f.x < 640;
    restarted += drifted_off;
    EXPECT_TRUE(drifted_off || (f.x == -3 && f.y == 104));
  }
  EXPECT_GT(restarted, 0);
}

TEST_F(Weather, SeaplaneCrossesIn107FramesWithItsSoundLooping) {
  sample_seaplane = Chunk(silence);
  while (!plane_active) draw_seaplane();  // a 1-in-150 chance per frame
  EXPECT_EQ(plane_x, 640);
  int channel = seaplane_channel, frames = 0;
  ASSERT_TRUE(channel >= 0 && Mix_Playing(channel));
  for (; plane_active; ++frames) draw_seaplane();
  EXPECT_EQ(frames, 107);
  EXPECT_FALSE(Mix_Playing(channel));
}

SDL_Surface* Xrgb_Surface(int w, int h) { return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0); }

Uint32& Pixel(SDL_Surface* s, int x, int y) { return reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x]; }

// Fine snow written as words leaves the same colours as one keyed SDL blit per flake: at and
// across every edge, inside a smaller clip, with and without the colour key.
TEST_F(Weather, SpecksDrawWhatKeyedBlitsDrawAcrossEveryEdge) {
  SDL_Surface* picture = Xrgb_Surface(3, 3);
  SDL_FillRect(picture, nullptr, 0x777777);
  Pixel(picture, 0, 0) = 0x123456;
  Pixel(picture, 1, 0) = 0;  // the key, black
  Pixel(picture, 1, 1) = 0xABCDEF;
  std::vector<Flake> flakes;
  for (int x : {-3, -2, -1, 0, 1, 4, 5, 317, 599, 600, 638, 639, 640})
    for (int y : {-2, -1, 0, 1, 4, 5, 404, 405, 478, 479, 480}) flakes.push_back({x, y});
  flakes.push_back({316, 240});  // overlaps the next: the later flake is on top
  flakes.push_back({317, 240});
  const SDL_Rect whole = {0, 0, 640, 480}, inner = {5, 5, 600, 400};
  for (bool keyed : {true, false})
    for (const SDL_Rect& clip : {whole, inner}) {
      SDL_SetColorKey(picture, keyed ? SDL_SRCCOLORKEY : 0, 0);
      SDL_Surface* written = Xrgb_Surface(640, 480);
      SDL_Surface* blitted = Xrgb_Surface(640, 480);
      for (SDL_Surface* s : {written, blitted}) {
        for (int y = 0; y < 480; ++y)
          for (int x = 0; x < 640; ++x) Pixel(s, x, y) = static_cast<Uint32>(x * 31 + y * 7919) & 0xFFFFFF;
        SDL_SetClipRect(s, &clip);
      }
      Draw_Specks(picture, flakes.data(), static_cast<int>(flakes.size()), written);
      for (const Flake& f : flakes) {
        SDL_Rect source = {0, 0, 2, 2}, at = {static_cast<Sint16>(f.x), static_cast<Sint16>(f.y), 0, 0};
        SDL_BlitSurface(picture, &source, blitted, &at);
      }
      int off = 0;
      for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) off += Picture_Pixel(written, x, y) != Picture_Pixel(blitted, x, y);
      EXPECT_EQ(off, 0) << "keyed " << keyed << ", clip width " << clip.w;
      SDL_FreeSurface(written);
      SDL_FreeSurface(blitted);
    }
  SDL_FreeSurface(picture);
}

}  // namespace
