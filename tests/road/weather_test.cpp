#include "road/weather.h"

#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <vector>

#include "audio/sound.h"
#include "core/game.h"

namespace {

// A 16-bit display, the mixer and the two overlays.
class Weather : public ::testing::Test {
 protected:
  SDL_Surface* display = nullptr;
  std::vector<Uint8> silence = std::vector<Uint8>(176400, 0);
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO), 0);
    display = SDL_SetVideoMode(640, 480, 16, SDL_SWSURFACE);
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048), 0);
    init_weather();
    SDL_FillRect(display, nullptr, 0);
  }
  void TearDown() override {
    Mix_HaltChannel(-1);
    Free_Sounds();
    free_weather();
    Mix_CloseAudio();
    SDL_Quit();
  }
  Mix_Chunk* Chunk() { return Mix_QuickLoad_RAW(silence.data(), static_cast<Uint32>(silence.size())); }
  Uint16 Pixel(int x, int y) const { return static_cast<const Uint16*>(display->pixels)[y * display->pitch / 2 + x]; }
};

TEST_F(Weather, StartUpScattersEveryPieceOverTheScreen) {
  for (const Drop& d : rain) {
    ASSERT_TRUE(d.x >= 0 && d.x < 640 && d.y >= 0 && d.y < 480);
    ASSERT_TRUE(d.length >= 4 && d.length <= 12);
  }
  for (const Flake& f : fine_snow) ASSERT_TRUE(f.x >= 0 && f.x < 640 && f.y >= 0 && f.y < 480);
  ASSERT_NE(scanline_surface, nullptr);
  ASSERT_NE(flash_surface, nullptr);
}

TEST_F(Weather, DropsFallByFourTimesTheirLengthAndDriftOnePixel) {
  for (Drop& d : rain) d = {320, 0, 12};
  rain[1] = {100, 470, 4};
  draw_rain();
  EXPECT_EQ(rain[0].y, 48);
  EXPECT_TRUE(rain[0].x == 319 || rain[0].x == 321);
  EXPECT_EQ(rain[1].y, 0);  // 486 is past the bottom
}

TEST_F(Weather, FlakesDriftingOffTheSideRestartOnTheTopRow) {
  for (Flake& f : snowflakes) f = {-4, 100};
  draw_snowflakes();
  int restarted = 0;
  for (const Flake& f : snowflakes) {
    if (f.y == 0) {
      ++restarted;
      EXPECT_TRUE(f.x >= 0 && f.x < 640);
    } else {
      EXPECT_EQ(f.x, -3);
      EXPECT_EQ(f.y, 104);
    }
  }
  EXPECT_GT(restarted, 0);
}

TEST_F(Weather, SeaplaneCrossesIn107FramesWithItsSoundLooping) {
  sample_seaplane = Chunk();
  plane_active = 0;
  while (!plane_active) draw_seaplane();  // a 1-in-150 chance per frame
  EXPECT_EQ(plane_x, 640);
  EXPECT_EQ(plane_y, 200);
  ASSERT_GE(seaplane_channel, 0);
  EXPECT_TRUE(Mix_Playing(seaplane_channel));
  int channel = seaplane_channel, frames = 0;
  while (plane_active) {
    draw_seaplane();
    ++frames;
  }
  EXPECT_EQ(frames, 107);
  EXPECT_FALSE(Mix_Playing(channel));
}

TEST_F(Weather, LightningBrightensOverEightFramesThenThunders) {
  sample_thunder = Chunk();
  while (!flash_active) draw_lightning();
  Uint16 last = Pixel(10, 10);
  EXPECT_NE(last, 0);
  for (int alpha = 60; alpha <= 240; alpha += 30) {
    SDL_FillRect(display, nullptr, 0);
    draw_lightning();
    EXPECT_EQ(flash_alpha, alpha);
    EXPECT_GT(Pixel(10, 10) >> 11, last >> 11);  // brighter on a black screen each frame
    last = Pixel(10, 10);
    EXPECT_FALSE(Mix_Playing(-1));
  }
  SDL_FillRect(display, nullptr, 0);
  draw_lightning();
  EXPECT_EQ(Pixel(10, 10), 0);
  EXPECT_EQ(flash_active, 0);
  EXPECT_EQ(flash_alpha, 0);
  EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(Weather, ScanlinesDarkenOnlyTheOddRows) {
  SDL_FillRect(display, nullptr, 0x8410);  // mid grey
  draw_scanlines();
  EXPECT_GT(Pixel(5, 0), 0x8410);
  EXPECT_LT(Pixel(5, 1), 0x8410);
  EXPECT_EQ(Pixel(5, 479), Pixel(5, 1));
}

TEST_F(Weather, TheTrackChoosesWhichLayersRun) {
  Game game;
  theGame = &game;
  auto moved = [](auto& pieces) {
    int y = pieces[0].y;
    pieces[0].y = 10;
    Draw_Weather();
    bool result = pieces[0].y != 10;
    pieces[0].y = y;
    return result;
  };
  customTrack = 0;
  game.builtin_track = 2;
  EXPECT_TRUE(moved(snowflakes));
  game.builtin_track = 1;
  game.weather = 2;
  EXPECT_FALSE(moved(snowflakes));
  EXPECT_FALSE(moved(rain));  // rain only on custom tracks
  customTrack = 1;
  EXPECT_TRUE(moved(rain));
  game.weather = 5;
  EXPECT_TRUE(moved(fine_snow));
  EXPECT_FALSE(moved(rain));
  game.track_type = 2;
  EXPECT_TRUE(moved(snowflakes));
  customTrack = 0;
  theGame = nullptr;
}

}  // namespace
